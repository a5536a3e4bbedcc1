#pragma once
// The designer's 8 x 8 chequer (white where x + y is even, silver
// elsewhere) that band strips and empty picture areas are filled with.

#include "platform/canvas_types.h"

namespace vl {

inline TvlBrush vlDesignerPatternBrush() {
  TvlBrush b;
  b.Style = TvlBrushStyle::Pattern;
  b.Color = clSilver;
  b.PatternBack = clWhite;
  for (std::size_t y = 0; y < 8; ++y) b.Pattern[y] = y % 2 == 0 ? 0x55 : 0xAA;
  return b;
}

}  // namespace vl
