#pragma once
// The launcher's image list: the 32 x 32 glyphs of its two web buttons,
// drawn in code (index 0 the home page, index 1 the product page).

#include <QImage>
#include <vector>

namespace vl {

inline constexpr int kGlyphSize = 32;

std::vector<QImage> vlLauncherGlyphs();

}  // namespace vl
