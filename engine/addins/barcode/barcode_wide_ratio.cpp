// Code 39's wide elements widened from libzint's two modules.

#include "engine/addins/barcode/barcode_wide_ratio.h"

#include <algorithm>
#include <cmath>

namespace vl {
namespace {

// An element of one module stays narrow; anything wider is a wide one.
float Widen(float width, float ratio) { return width > 1.5f ? ratio : width; }

}  // namespace

void vlWidenCode39(TvlBarCodeSymbol& symbol, float ratio) {
  if (symbol.Bars.empty() || ratio == 2.0f) return;
  std::sort(symbol.Bars.begin(), symbol.Bars.end(),
            [](const TvlBarCodeBar& a, const TvlBarCodeBar& b) { return a.X < b.X; });
  const float oldWidth = symbol.Width;
  const float rightQuiet = oldWidth - (symbol.Bars.back().X + symbol.Bars.back().Width);
  float oldEnd = symbol.Bars.front().X, newEnd = oldEnd;  // the left quiet zone stays
  for (TvlBarCodeBar& bar : symbol.Bars) {
    const float space = bar.X - oldEnd;
    oldEnd = bar.X + bar.Width;
    bar.X = newEnd + (space > 0 ? Widen(space, ratio) : 0);
    bar.Width = Widen(bar.Width, ratio);
    newEnd = bar.X + bar.Width;
  }
  symbol.Width = newEnd + rightQuiet;
  for (TvlBarCodeCaption& caption : symbol.Captions) caption.X *= symbol.Width / oldWidth;
}

}  // namespace vl
