#pragma once
// Bounds for the layout fields that a template, a prepared report or a script
// sets besides coordinates (view.h bounds those): page margins, columns and
// their gap, font size, line and character spacing. Within them the sums that
// place columns, lines and views stay far inside 32 bits; a crafted file or
// an assignment outside them is clamped, as coordinates are.

#include <cstdint>

#include "engine/model/view.h"

namespace vl {

// More columns than fit any real sheet of labels.
inline constexpr std::int32_t kColumnsLimit = 100;
// Points; a letter of this size is 70 cm tall.
inline constexpr std::int32_t kFontSizeLimit = 2000;
// Extra pixels between two characters.
inline constexpr std::int32_t kCharSpacingLimit = 10000;

// Margins, gaps and line spacing are distances: the coordinate bound.
std::int32_t vlBoundDistance(std::int64_t value);
std::int32_t vlBoundColumns(std::int64_t value);
std::int32_t vlBoundFontSize(std::int64_t value);
std::int32_t vlBoundCharSpacing(std::int64_t value);
// A sum computed wide, brought back to 32 bits.
std::int32_t vlClampTo32(std::int64_t value);

}  // namespace vl
