// Postal four-state codes measured in inches on the picture: sorting
// machines want the bar heights, widths and pitch their post office
// publishes, whatever the size of the view the code was put in.

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/core/units.h"
#include "tests/barcode/barcode_fixture.h"

namespace vl {
namespace {

class BarCodePostal : public test::PrintedBarCodeTest {};

constexpr double kMm = 1 / 25.4;

// Published ranges, inches (pitch in bars per inch).
struct PostalCase {
  const char* Name;
  std::uint8_t Symbology;
  const char* Code;
  std::size_t Bars;
  double FullMin, FullMax, TrackerMin, TrackerMax, WidthMin, WidthMax, PitchMin, PitchMax;
};
constexpr PostalCase kPostalCodes[] = {
    // USPS-B-3200.
    {"Intelligent Mail", bcIntelligentMail, "01234567094987654321-01234567891", 65, 0.125, 0.165, 0.039, 0.057,
     0.015, 0.025, 20, 24},
    {"Royal Mail", bcRoyalMail, "SN34RD1A", 38, 4.22 * kMm, 5.84 * kMm, 1.02 * kMm, 1.52 * kMm, 0.38 * kMm,
     0.63 * kMm, 20, 24},
    {"Australia Post", bcAusPost, "56439111", 37, 4.6 * kMm, 5.6 * kMm, 1.0 * kMm, 1.6 * kMm, 0.4 * kMm, 0.6 * kMm,
     22, 25},
};

// Views lower than the nominal full bar (for the 5 mm codes, than the
// minimum) up to about three times it, as wide as a template makes them.
constexpr std::int32_t kViewHeights[] = {12, 24, 60};
constexpr std::int32_t kViewWidth = 290;

TEST_F(BarCodePostal, BarsKeepTheirPublishedSizesAt300DpiWhateverTheViewHeight) {
  for (const PostalCase& c : kPostalCodes) {
    for (std::int32_t height : kViewHeights) {
      const std::string name = std::string(c.Name) + " in a view " + std::to_string(height) + " high";
      auto v = Make(c.Symbology, c.Code, 20, 20, kViewWidth, height);
      v->ShowText = false;
      const QImage img = test::Render(*v, 300);
      // The picture is a whole number of pixels: measured at its own
      // resolution, which is 300 dpi rounded.
      const double dpi = img.height() * kPageUnitsPerInch / (height + 40);
      const double dpiX = img.width() * kPageUnitsPerInch / (kViewWidth + 40);
      const double scale = dpi / kPageUnitsPerInch;
      const int viewTop = vlRound(20 * scale), viewBottom = vlRound((20 + height) * scale) - 1;
      const int middle = (viewTop + viewBottom) / 2;  // every bar's tracker crosses it
      const std::vector<test::DarkRun> bars = test::DarkRunsInRow(img, middle);
      ASSERT_EQ(bars.size(), c.Bars) << name;

      const double pitch = (bars.back().Start - bars.front().Start) / static_cast<double>(c.Bars - 1);
      EXPECT_GE(dpiX / pitch, c.PitchMin) << name;
      EXPECT_LE(dpiX / pitch, c.PitchMax) << name;
      int shortest = img.height(), tallest = 0, top = img.height(), bottom = 0;
      for (const test::DarkRun& bar : bars) {
        EXPECT_GE(bar.Length / dpiX, c.WidthMin) << name;
        EXPECT_LE(bar.Length / dpiX, c.WidthMax) << name;
        const std::vector<test::DarkRun> column = test::DarkRunsInColumn(img, bar.Start + bar.Length / 2);
        ASSERT_EQ(column.size(), 1u) << name;
        shortest = std::min(shortest, column[0].Length);
        tallest = std::max(tallest, column[0].Length);
        top = std::min(top, column[0].Start);
        bottom = std::max(bottom, column[0].Start + column[0].Length);
      }
      EXPECT_GE(tallest / dpi, c.FullMin) << name;
      EXPECT_LE(tallest / dpi, c.FullMax) << name;
      EXPECT_GE(shortest / dpi, c.TrackerMin) << name;
      EXPECT_LE(shortest / dpi, c.TrackerMax) << name;
      // Centred in the view, up and down and across.
      EXPECT_NEAR(top - viewTop, viewBottom + 1 - bottom, 2) << name;
      const int viewLeft = vlRound(20 * dpiX / kPageUnitsPerInch);
      const int viewRight = vlRound((20 + kViewWidth) * dpiX / kPageUnitsPerInch);
      EXPECT_NEAR(bars.front().Start - viewLeft, viewRight - (bars.back().Start + bars.back().Length), 2) << name;
    }
  }
}

TEST_F(BarCodePostal, AViewLowerThanTheNominalBarsGetsLowerBarsDownToTheMinimum) {
  // Intelligent Mail: nominal full bars are 0.145 in; a lower view's
  // height is taken down to 0.125 in, a taller view's never.
  const double dpi = 600, scale = dpi / kPageUnitsPerInch;
  auto fullBar = [&](std::int32_t height) {
    auto v = Make(bcIntelligentMail, "01234567094987654321", 20, 20, kViewWidth, height);
    const std::vector<TvlRect> bars = test::BlackFills(*v, scale);
    std::int32_t tallest = 0;
    for (const TvlRect& r : bars) tallest = std::max(tallest, r.Height());
    return tallest / dpi;
  };
  EXPECT_NEAR(fullBar(12), 12 / kPageUnitsPerInch, 2 / dpi);  // 0.131 in
  EXPECT_NEAR(fullBar(13), 13 / kPageUnitsPerInch, 2 / dpi);  // 0.142 in
  EXPECT_NEAR(fullBar(14), 0.145, 1 / dpi);
  EXPECT_NEAR(fullBar(60), 0.145, 1 / dpi);
  EXPECT_NEAR(fullBar(8), 0.125, 1 / dpi);  // a view too low: the bars overhang it alike
}

}  // namespace
}  // namespace vl
