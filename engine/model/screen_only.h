#pragma once
// A view flag bit beside those of codes.h (any view class): the view is
// drawn on screen (design view, preview) and never on a printer or into a
// PDF, for guides such as a label's outline.

#include <cstdint>

namespace vl {

inline constexpr std::uint16_t flScreenOnly = 0x1000;

}  // namespace vl
