// Linear codes at the resolutions envelopes are printed at: every bar a
// whole number of device pixels, so that a scanner's decoder reads them
// back at 150 dpi as at 600; and QR text that phone readers show right.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "engine/core/units.h"
#include "tests/barcode/barcode_fixture.h"

namespace vl {
namespace {

constexpr double kResolutions[] = {150, 200, 300, 600};

// The linear codes of an envelope, each in a view of a size a template
// would give it.
struct LinearCase {
  const char* Name;
  std::uint8_t Symbology;
  const char* Text;
  double WideRatio;
  std::int32_t Width, Height;
  const char* Expected;  // what a reader gives back
};
constexpr LinearCase kLinearCodes[] = {
    {"code128", bcCode128, "VL-2024-0001", 2, 260, 60, "VL-2024-0001"},
    {"code128_short_view", bcCode128, "ROUTE 66", 2, 150, 40, "ROUTE 66"},
    {"code39", bcCode39, "ENVELOPE 7", 2, 330, 60, "ENVELOPE 7"},
    {"code39_narrow_view", bcCode39, "VL-0042", 2, 200, 50, "VL-0042"},
    {"code39_3to1", bcCode39, "ENVELOPE 7", 3, 330, 60, "ENVELOPE 7"},
    {"ean13", bcEAN13, "400638133393", 2, 200, 80, "4006381333931"},
};

class BarCodeScan : public test::PrintedBarCodeTest {
 protected:
  static std::unique_ptr<TvlBarCodeView> MakeLinear(const LinearCase& c) {
    auto v = Make(c.Symbology, c.Text, 20, 20, c.Width, c.Height);
    v->WideRatio = c.WideRatio;
    return v;
  }
};

TEST_F(BarCodeScan, EveryLinearCodeReadsBackAtEveryPrinterResolution) {
  if (!test::HaveZbarimg()) GTEST_SKIP() << "zbarimg is not installed (package zbar-tools): decoding not checked";
  for (const LinearCase& c : kLinearCodes) {
    for (double dpi : kResolutions) {
      auto v = MakeLinear(c);
      const std::string name = std::string(c.Name) + "_" + std::to_string(static_cast<int>(dpi));
      const std::optional<std::string> read = test::ZbarDecode(test::Render(*v, dpi), name);
      EXPECT_EQ(read.value_or("(nothing read)"), c.Expected) << name;
    }
  }
}

// The widths of the bars in device pixels at a resolution, and their left
// edges from the first one.
TEST_F(BarCodeScan, BarsOfOneWidthAreEquallyManyWholePixelsWide) {
  for (const LinearCase& c : kLinearCodes) {
    for (double dpi : kResolutions) {
      auto v = MakeLinear(c);
      v->ShowText = false;
      const std::vector<TvlRect> bars = test::BlackFills(*v, dpi / kPageUnitsPerInch);
      const std::string name = std::string(c.Name) + " at " + std::to_string(static_cast<int>(dpi));
      ASSERT_FALSE(bars.empty()) << name;
      std::int32_t narrow = bars.front().Width();
      for (const TvlRect& r : bars) narrow = std::min(narrow, r.Width());
      std::set<std::int32_t> widths;
      for (const TvlRect& r : bars) {
        EXPECT_EQ(r.Width() % narrow, 0) << name << ": a bar of " << r.Width() << " beside narrow ones of " << narrow;
        EXPECT_EQ((r.Left - bars.front().Left) % narrow, 0) << name << ": a bar off the module grid";
        widths.insert(r.Width() / narrow);
      }
      if (c.Symbology == bcCode39) {
        EXPECT_EQ(widths, (std::set<std::int32_t>{1, static_cast<std::int32_t>(c.WideRatio)})) << name;
      }
      // Fitted into its view: no wider than the view, and centred in it.
      const double scale = dpi / kPageUnitsPerInch;
      EXPECT_GE(bars.front().Left, vlRound(v->Left * scale)) << name;
      EXPECT_LE(bars.back().Right, vlRound((v->Left + v->Width) * scale)) << name;
    }
  }
}

TEST_F(BarCodeScan, AWideRatioBetweenTwoAndThreeGivesWholePixelWideBars) {
  // 2.5 at two pixels a module: wide bars of five pixels.
  auto v = Make(bcCode39, "VL-0042", 0, 0, 400, 60);
  v->FitToView = false;
  v->ModuleWidth = 2;
  v->WideRatio = 2.5;
  v->ShowText = false;
  std::set<std::int32_t> widths;
  for (const TvlRect& r : test::BlackFills(*v)) widths.insert(r.Width());
  EXPECT_EQ(widths, (std::set<std::int32_t>{2, 5}));
  // At one pixel a module the wide bars round to three: no half pixels.
  v->ModuleWidth = 1;
  widths.clear();
  for (const TvlRect& r : test::BlackFills(*v)) widths.insert(r.Width());
  EXPECT_EQ(widths, (std::set<std::int32_t>{1, 3}));
}

TEST_F(BarCodeScan, QrTextIsUtf8MarkedForReadersAndTheOldEncodingIsAnOption) {
  const struct {
    const char* text;
    bool oldDiffers;  // the old encoding had no marker for it (Latin-1 or Shift-JIS)
  } cases[] = {
      {"Garc\xC3\xAD" "a \xE5\xBC\xA0\xE4\xB8\x89", false},  // no one legacy set holds both: UTF-8 either way
      {"Garc\xC3\xAD" "a", true},
      {"\xE6\x9D\x8E\xE6\x98\x8E", true},   // Kanji that Shift-JIS holds
      {"\xE5\xBC\xA0\xE4\xB8\x89", false},  // simplified Chinese Shift-JIS lacks: UTF-8 either way
  };
  const bool zbar = test::HaveZbarimg();
  if (!zbar) std::fprintf(stderr, "zbarimg is not installed (package zbar-tools): codes are not decoded\n");
  auto same = [](const TvlBarCodeSymbol& a, const TvlBarCodeSymbol& b) {
    return std::equal(a.Bars.begin(), a.Bars.end(), b.Bars.begin(), b.Bars.end(),
                      [](const TvlBarCodeBar& x, const TvlBarCodeBar& y) {
                        return x.X == y.X && x.Y == y.Y && x.Width == y.Width && x.Height == y.Height;
                      });
  };
  for (const auto& c : cases) {
    auto v = Make(bcQRCode, c.text, 20, 20, 100, 100);
    if (zbar) {
      EXPECT_EQ(test::ZbarDecode(test::Render(*v, 300), "utf8").value_or("(nothing read)"), c.text);
    }
    const auto marked = v->Symbol(v->Request(v->Code));
    v->Utf8Eci = false;
    const auto plain = v->Symbol(v->Request(v->Code));
    ASSERT_TRUE(marked->Ok() && plain->Ok()) << c.text;
    EXPECT_EQ(!same(*marked, *plain), c.oldDiffers) << c.text;
  }
}

}  // namespace
}  // namespace vl
