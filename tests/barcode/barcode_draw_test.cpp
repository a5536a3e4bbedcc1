// Barcodes drawn onto pictures read back with a scanner's decoder, postal
// codes counted bar by bar, and values that cannot be encoded.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "engine/core/engine_state.h"
#include "engine/core/units.h"
#include "engine/model/view_render.h"
#include "platform/qt/qt_canvas.h"
#include "platform/recording_canvas.h"
#include "tests/barcode/barcode_fixture.h"

namespace vl {
namespace {

using test::BarCodeTest;
using test::Dark;
using test::Render;

// Dark runs along one row of the picture.
int DarkRuns(const QImage& img, int y) { return static_cast<int>(test::DarkRunsInRow(img, y).size()); }

using test::BlackFills;

class BarCodeDraw : public test::PrintedBarCodeTest {};

TEST_F(BarCodeDraw, CodesDrawnToAPictureDecodeBackToTheirText) {
  if (!test::HaveZbarimg()) GTEST_SKIP() << "zbarimg is not installed (package zbar-tools): decoding not checked";
  const struct {
    const char* name;
    std::uint8_t symbology;
    const char* text;
    std::int32_t width, height, rotation;
    double dpi;
  } cases[] = {
      {"qr", bcQRCode, "https://example.com/track?id=VL-0042", 100, 100, 0, 150},
      {"qr_multiline", bcQRCode, "Ann Smith\r\n1 Main Street\r\n20500 Washington", 90, 90, 0, 200},
      {"code128", bcCode128, "VL-2024-0001 Ab", 300, 60, 0, 200},
      {"code128_turned", bcCode128, "ROUTE 66", 60, 240, 90, 200},
      {"code128_upside_down", bcCode128, "ROUTE 66", 240, 60, 180, 200},
      {"code39", bcCode39, "ENVELOPE 7", 330, 60, 0, 200},
      {"ean13", bcEAN13, "400638133393", 200, 80, 0, 300},
      {"qr_turned", bcQRCode, "Turned 270", 60, 60, 270, 300},
  };
  for (const auto& c : cases) {
    auto v = Make(c.symbology, c.text, 20, 20, c.width, c.height);
    v->Rotation = c.rotation;
    const std::optional<std::string> read = test::ZbarDecode(Render(*v, c.dpi), c.name);
    std::string expected = c.text;
    if (c.symbology == bcEAN13) expected += "1";  // the check digit added
    if (c.symbology == bcQRCode) expected.erase(std::remove(expected.begin(), expected.end(), '\r'), expected.end());
    ASSERT_TRUE(read) << c.name;
    std::string got = *read;
    got.erase(std::remove(got.begin(), got.end(), '\r'), got.end());
    EXPECT_EQ(got, expected) << c.name;
  }
}

TEST_F(BarCodeDraw, EverySymbologyDrawsItsSampleOnOnePage) {
  std::vector<std::unique_ptr<TvlBarCodeView>> views;
  for (std::uint8_t k = 0; k < bcSymbologyCount; ++k) {
    const TvlSymbologyInfo* info = vlSymbologyInfo(k);
    ASSERT_TRUE(info);
    const bool matrix = info->FixedRatio;
    views.push_back(Make(k, info->Sample, 20 + (k % 3) * 250, 20 + (k / 3) * 110, matrix ? 90 : 230, matrix ? 90 : 70));
    views.back()->FrameTyp = vlftLeft | vlftTop | vlftRight | vlftBottom;
    views.back()->FrameColor = vlRGB(0xC0, 0xC0, 0xC0);
  }
  auto error = Make(bcEAN13, "ABC", 20, 350, 230, 70);  // letters in an EAN-13
  views.push_back(std::move(error));
  auto turned = Make(bcCode128, "Turned", 270, 350, 60, 200);
  turned->Rotation = 90;
  views.push_back(std::move(turned));
  std::vector<TvlView*> page;
  for (const auto& v : views) page.push_back(v.get());
  const double dpi = 150, scale = dpi / kPageUnitsPerInch;
  const QImage img = vlRenderViewsToImage(page, 780, 570, dpi);
  img.save(QString::fromStdString(::testing::TempDir() + "barcode_gallery.png"), "PNG");
  if (const char* dir = std::getenv("VL_BARCODE_PNG_DIR"))
    img.save(QString::fromStdString(std::string(dir) + "/barcodes.png"), "PNG");
  for (const auto& v : views) {
    int dark = 0;
    for (int y = vlRound((v->Top + 2) * scale); y < vlRound((v->Top + v->Height - 2) * scale); ++y)
      for (int x = vlRound((v->Left + 2) * scale); x < vlRound((v->Left + v->Width - 2) * scale); ++x)
        dark += Dark(img, x, y);
    EXPECT_GT(dark, 200) << v->Code;
  }
}

TEST_F(BarCodeDraw, AnIntelligentMailCodeAt300DpiHas65SharpBars) {
  auto v = Make(bcIntelligentMail, "01234567094987654321-01234567891", 20, 20, 280, 24);
  v->ShowText = false;
  const QImage img = Render(*v, 300);
  const double scale = 300 / kPageUnitsPerInch;
  const int middle = vlRound((20 + 12) * scale);  // every bar crosses the tracker row
  EXPECT_EQ(DarkRuns(img, middle), 65);
  // Bars are drawn without smoothing: only black and white pixels.
  for (int x = 0; x < img.width(); ++x) {
    const int g = qGray(img.pixel(x, middle));
    EXPECT_TRUE(g == 0 || g == 255) << x << ": " << g;
  }
  // Ascenders and descenders: rows 0.06 in above and below the middle,
  // beyond the tracker but within the full bars, see fewer bars.
  const int top = middle - 18, bottom = middle + 18;
  EXPECT_GT(DarkRuns(img, top), 10);
  EXPECT_LT(DarkRuns(img, top), 65);
  EXPECT_GT(DarkRuns(img, bottom), 10);
  EXPECT_LT(DarkRuns(img, bottom), 65);

  // Royal Mail and Australia Post codes are four-state bars too.
  auto rm = Make(bcRoyalMail, "SN34RD1A", 20, 20, 200, 24);
  EXPECT_EQ(DarkRuns(Render(*rm, 300), middle), 38);  // 8 characters: 4 bars each, check, start and stop
  auto aus = Make(bcAusPost, "56439111", 20, 20, 200, 24);
  EXPECT_EQ(DarkRuns(Render(*aus, 300), middle), 37);
}

TEST_F(BarCodeDraw, APdfGetsTheBarsAsVectorFiguresNotAPicture) {
  auto qr = Make(bcQRCode, "Sharp at any resolution", 20, 20, 100, 100);
  auto code = Make(bcCode128, "VL-0001", 140, 20, 200, 60);
  const QString path = QString::fromStdString(::testing::TempDir() + "barcode_vector.pdf");
  {
    QPdfWriter pdf(path);
    pdf.setResolution(1200);
    pdf.setPageSize(QPageSize(QPageSize::A5));
    QPainter painter(&pdf);
    TvlQtCanvas canvas(painter, {pdf.width(), pdf.height()}, 1200, 1200);
    const double scale = 1200 / kPageUnitsPerInch;
    vlDrawViews(canvas, {qr.get(), code.get()}, scale, scale);
  }
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  EXPECT_GT(bytes.size(), 1000);
  EXPECT_FALSE(bytes.contains("/Subtype /Image")) << "the bars went into the PDF as a picture";
}

TEST_F(BarCodeDraw, AValueTheSymbologyCannotTakeDrawsAnOutlinedBoxWithTheReason) {
  const struct {
    std::uint8_t symbology;
    const char* text;
    const char* reason;
  } cases[] = {
      {bcEAN13, "40063813339A", "EAN-13: Invalid character in data"},
      {bcEAN13, "4006381333932", "EAN-13: Invalid check digit"},
      {bcEAN13, "1234567", "EAN-13: 12 digits are needed, or 13 with the check digit"},
      {bcIntelligentMail, "0123", "Intelligent Mail: "},
      {bcCode128, "\xE4\xB8\xAD", "Code 128: "},  // a Chinese character
      {bcCode39, "lower case", "Code 39: lower-case letters cannot be encoded"},  // not printed as capitals
      {bcEAN13, "400638133393+123", "EAN-13: an add-on after \"+\" has 2 or 5 digits"},  // not padded to 00123
      {99, "1", "Unknown symbology 99"},
  };
  for (const auto& c : cases) {
    auto v = Make(c.symbology, c.text, 10, 10, 200, 60);
    v->DrawScaleX = v->DrawScaleY = 1;
    TvlRecordingCanvas canvas;
    v->Draw(canvas);
    int outlines = 0;
    std::string text;
    for (const TvlCanvasOp& op : canvas.Ops()) {
      if (op.Kind != TvlOpKind::Rectangle) continue;
      ++outlines;
      EXPECT_EQ(op.Rect, (TvlRect{10, 10, 210, 70})) << c.text;
    }
    for (const TvlTextRun& run : canvas.TextRuns()) text += (text.empty() ? "" : " ") + run.Text;
    EXPECT_EQ(outlines, 1) << c.text;
    EXPECT_TRUE(BlackFills(*v).empty()) << c.text;  // no bars of a wrong code
    EXPECT_EQ(text.rfind(c.reason, 0), 0u) << c.text << " gave: " << text;
    for (const TvlTextRun& run : canvas.TextRuns()) {
      EXPECT_GE(run.At.X, 10);
      EXPECT_LT(run.At.Y, 70);
    }
  }
}

TEST_F(BarCodeDraw, RotationTurnsTheBarsAndTheModuleWidthSetsTheirSize) {
  const auto bars = [](TvlView& v) { return BlackFills(v); };
  auto across = Make(bcCode128, "12345678", 0, 0, 400, 80);
  across->ShowText = false;
  auto up = Make(bcCode128, "12345678", 0, 0, 80, 400);
  up->ShowText = false;
  up->Rotation = 90;
  const std::vector<TvlRect> a = bars(*across), u = bars(*up);
  ASSERT_FALSE(a.empty());
  ASSERT_EQ(a.size(), u.size());
  // Turned counter-clockwise: the first bar is at the bottom, lying across
  // the whole view.
  EXPECT_EQ(a.front().Height(), 80);
  EXPECT_EQ(u.front().Width(), 80);
  EXPECT_GT(u.front().Top, u.back().Top);
  for (std::size_t k = 0; k < a.size(); ++k) {
    EXPECT_EQ(a[k].Width(), u[k].Height());
    EXPECT_EQ(a[k].Height(), u[k].Width());
  }

  // At a module width of 2 pixels the narrowest bar is 2 wide, the code
  // centred in the view whatever its width.
  across->FitToView = false;
  across->ModuleWidth = 2;
  const std::vector<TvlRect> fixed = bars(*across);
  std::int32_t narrowest = 1000, left = 1000, right = 0;
  for (const TvlRect& r : fixed) {
    narrowest = std::min(narrowest, r.Width());
    left = std::min(left, r.Left), right = std::max(right, r.Right);
  }
  EXPECT_EQ(narrowest, 2);
  EXPECT_NEAR(left + right, 400, 2);
  EXPECT_LT(right - left, 250);
  // The bars take the view's height (the quiet zones are left and right).
  EXPECT_EQ(fixed.front().Top, 0);
  EXPECT_EQ(fixed.front().Bottom, 80);
}

TEST_F(BarCodeDraw, TheDesignerShowsASampleWhileTheValueWaitsForItsExpressions) {
  auto v = Make(bcIntelligentMail, "[Tracking]-[Zip]", 0, 0, 280, 24);
  auto fills = [&] { return BlackFills(*v).size(); };
  // Printed as it stands, the expression is no Intelligent Mail value.
  EXPECT_EQ(fills(), 0u);
  vlState().DocMode = TvlDocMode::dmDesign;
  EXPECT_EQ(fills(), 65u);
  v->Code.clear();
  EXPECT_EQ(fills(), 65u);
  vlState().DocMode = TvlDocMode::dmPrinting;
  EXPECT_EQ(fills(), 0u);  // an empty value prints nothing
}

}  // namespace
}  // namespace vl
