#pragma once
// The postal four-state codes laid out by their postal specification:
// sorting machines expect bars of a set height, width and pitch in
// inches, whatever box the code was drawn into. Every figure is snapped to
// whole device pixels, the tracker centred on the full bars.

#include <cstdint>
#include <vector>

#include "engine/addins/barcode/barcode_symbol.h"

namespace vl {

// A range of a published dimension and the size aimed at inside it.
struct TvlPostalRange {
  double Min = 0, Nominal = 0, Max = 0;
};

// A four-state code's published dimensions, in inches (pitch in bars per
// inch).
struct TvlPostalSpec {
  TvlPostalRange Pitch;     // bars per inch
  TvlPostalRange BarWidth;  // inches
  TvlPostalRange FullBar;   // inches, ascender to descender
  TvlPostalRange Tracker;   // inches, the middle part every bar has
  double QuietZone = 0;     // inches left and right of the bars
};

// The dimensions of Intelligent Mail, Royal Mail and Australia Post codes;
// nullptr for any other symbology.
const TvlPostalSpec* vlPostalSpec(std::uint8_t symbology);

struct TvlPostalLayout {
  std::vector<TvlBarCodeBar> Bars;  // device pixels from the code's top-left
  int Width = 0, Height = 0;        // the bars' extent, device pixels
  int Pitch = 0, BarWidth = 0, FullBar = 0, Tracker = 0;  // device pixels
};

// Lays out the bars of an encoded four-state symbol (in modules: each bar
// full, ascender, descender or tracker by where it reaches) at the given
// device pixels per inch along and across the bars: the nominal sizes, or
// when fitted into a box of boxWidth x boxHeight device pixels smaller than
// they need, a denser pitch and lower bars down to the published minimums.
TvlPostalLayout vlLayPostalBars(const TvlBarCodeSymbol& symbol, const TvlPostalSpec& spec, double alongPpi,
                                double acrossPpi, double boxWidth, double boxHeight, bool fitted);

}  // namespace vl
