// Four-state postal codes in inches, snapped to device pixels.
//
// Figures: USPS Intelligent Mail (USPS-B-3200): 20-24 bars per inch, bars
// 0.015-0.025 in wide, full bars 0.125-0.165 in, tracker 0.039-0.057 in,
// 0.125 in clear each side. Royal Mail 4-state: 20-24 bars per inch, bars
// 0.38-0.63 mm, tracker 1.02-1.52 mm, ascender and descender 1.60-2.16 mm
// beyond it (full bars 4.22-5.84 mm), 2 mm clear. Australia Post: 22-25
// bars per inch, bars 0.4-0.6 mm, full bars 4.6-5.6 mm (about 5 mm), tracker
// 1.0-1.6 mm, 6 mm clear.

#include "engine/addins/barcode/barcode_postal_layout.h"

#include <algorithm>
#include <cmath>

namespace vl {
namespace {

constexpr double kMm = 1 / 25.4;

constexpr TvlPostalSpec kIntelligentMail{
    {20, 22, 24}, {0.015, 0.020, 0.025}, {0.125, 0.145, 0.165}, {0.039, 0.048, 0.057}, 0.125};
constexpr TvlPostalSpec kRoyalMail{{20, 22, 24},
                                   {0.38 * kMm, 0.50 * kMm, 0.63 * kMm},
                                   {4.22 * kMm, 5.03 * kMm, 5.84 * kMm},
                                   {1.02 * kMm, 1.27 * kMm, 1.52 * kMm},
                                   2 * kMm};
constexpr TvlPostalSpec kAusPost{{22, 23.5, 25},
                                 {0.4 * kMm, 0.5 * kMm, 0.6 * kMm},
                                 {4.6 * kMm, 5.0 * kMm, 5.6 * kMm},
                                 {1.0 * kMm, 1.3 * kMm, 1.6 * kMm},
                                 6 * kMm};

// The whole number of pixels nearest want that lies in [lo, hi]; when no
// whole number does (a coarse screen), the nearest to want. At least 1.
int WholePixels(double lo, double want, double hi) {
  const double first = std::ceil(lo - 1e-9), last = std::floor(hi + 1e-9);
  const double n = first <= last ? std::clamp(std::round(want), first, last) : std::round(want);
  return static_cast<int>(std::clamp(n, 1.0, 1e6));
}

int Pixels(const TvlPostalRange& inches, double want, double ppi) {
  return WholePixels(inches.Min * ppi, want * ppi, inches.Max * ppi);
}

enum class Reach { Tracker, Ascender, Descender, Full };

}  // namespace

const TvlPostalSpec* vlPostalSpec(std::uint8_t symbology) {
  switch (symbology) {
    case bcIntelligentMail: return &kIntelligentMail;
    case bcRoyalMail: return &kRoyalMail;
    case bcAusPost: return &kAusPost;
    default: return nullptr;
  }
}

TvlPostalLayout vlLayPostalBars(const TvlBarCodeSymbol& symbol, const TvlPostalSpec& spec, double alongPpi,
                                double acrossPpi, double boxWidth, double boxHeight, bool fitted) {
  TvlPostalLayout out;
  if (symbol.Bars.empty() || !(alongPpi > 0) || !(acrossPpi > 0)) return out;
  std::vector<TvlBarCodeBar> bars = symbol.Bars;
  std::sort(bars.begin(), bars.end(), [](const TvlBarCodeBar& a, const TvlBarCodeBar& b) { return a.X < b.X; });
  float top = bars.front().Y, bottom = top;
  for (const TvlBarCodeBar& b : bars) top = std::min(top, b.Y), bottom = std::max(bottom, b.Y + b.Height);

  // Pitch and heights in inches: the nominal ones, or a smaller box's down
  // to the smallest the post office takes. A larger box never stretches a
  // code towards the edge of its tolerance, where a printer's own spread
  // would take it beyond.
  const double count = static_cast<double>(bars.size());
  double pitch = 1 / spec.Pitch.Nominal, full = spec.FullBar.Nominal;
  if (fitted && std::isfinite(boxWidth) && std::isfinite(boxHeight)) {
    pitch = std::clamp((boxWidth / alongPpi - 2 * spec.QuietZone) / count, 1 / spec.Pitch.Max, 1 / spec.Pitch.Nominal);
    full = std::clamp(boxHeight / acrossPpi, spec.FullBar.Min, spec.FullBar.Nominal);
  }
  out.Pitch = WholePixels(alongPpi / spec.Pitch.Max, pitch * alongPpi, alongPpi / spec.Pitch.Min);
  const double duty = spec.BarWidth.Nominal * spec.Pitch.Nominal;  // bar width in pitches
  out.BarWidth = std::min(Pixels(spec.BarWidth, duty * out.Pitch / alongPpi, alongPpi), std::max(1, out.Pitch - 1));
  out.FullBar = Pixels(spec.FullBar, full, acrossPpi);
  const double trackerShare = spec.Tracker.Nominal / spec.FullBar.Nominal;
  out.Tracker = Pixels(spec.Tracker, trackerShare * out.FullBar / acrossPpi, acrossPpi);
  // Centred: ascender and descender parts of equal whole pixels.
  if ((out.FullBar - out.Tracker) % 2 != 0) {
    const bool roomAbove = out.Tracker + 1 <= std::floor(spec.Tracker.Max * acrossPpi + 1e-9);
    out.Tracker += roomAbove ? 1 : -1;
    if (out.Tracker < 1) out.Tracker = 1, ++out.FullBar;
  }
  const int reach = (out.FullBar - out.Tracker) / 2;

  const float tolerance = (bottom - top) / 8;
  for (std::size_t k = 0; k < bars.size(); ++k) {
    const TvlBarCodeBar& b = bars[k];
    const bool up = b.Y - top < tolerance, down = bottom - (b.Y + b.Height) < tolerance;
    const Reach kind = up && down ? Reach::Full : up ? Reach::Ascender : down ? Reach::Descender : Reach::Tracker;
    TvlBarCodeBar bar;
    bar.X = static_cast<float>(k * out.Pitch);
    bar.Width = static_cast<float>(out.BarWidth);
    bar.Y = kind == Reach::Full || kind == Reach::Ascender ? 0.0f : static_cast<float>(reach);
    const int end = kind == Reach::Full || kind == Reach::Descender ? out.FullBar : reach + out.Tracker;
    bar.Height = static_cast<float>(end) - bar.Y;
    out.Bars.push_back(bar);
  }
  out.Width = static_cast<int>(bars.size() - 1) * out.Pitch + out.BarWidth;
  out.Height = out.FullBar;
  return out;
}

}  // namespace vl
