#pragma once
// Code 39 at another wide-to-narrow ratio: libzint draws its wide bars and
// spaces twice as wide as the narrow ones; readers also take up to three
// times, which survives ink spread and coarse printers better.

#include "engine/addins/barcode/barcode_symbol.h"

namespace vl {

// Re-lays the symbol's bars (left to right, each bar and space either
// narrow or twice as wide) with wide elements ratio modules wide, and moves
// its quiet zone, width and centred captions along. A ratio of 2 leaves
// the symbol as it is.
void vlWidenCode39(TvlBarCodeSymbol& symbol, float ratio);

}  // namespace vl
