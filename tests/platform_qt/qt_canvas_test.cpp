#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QPaintEngine>
#include <QPdfWriter>
#include <QTemporaryDir>

#include "platform/bitmap_codec.h"
#include "platform/picture.h"
#include "platform/qt/qt_canvas.h"
#include "platform/recording_canvas.h"
#include "tests/platform/picture_fixtures.h"

namespace vl {
namespace {

class QtCanvas : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "qt_canvas_test";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) app_ = new QGuiApplication(argc, argv);
  }
  static QGuiApplication* app_;
};
QGuiApplication* QtCanvas::app_ = nullptr;

// Pixels that differ from white, and their bounding box.
QRect InkBox(const QImage& img, int* count = nullptr) {
  QRect box;
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if ((img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
        box = box.united(QRect(x, y, 1, 1));
        ++n;
      }
  if (count) *count = n;
  return box;
}

TEST_F(QtCanvas, ExclusiveOrFiguresDrawnTwiceRestoreTheSurface) {
  TvlQtImageCanvas c(80, 60);
  c.SetSolidBrush(vlRGB(30, 120, 200));
  c.FillRect({10, 10, 50, 40});
  c.TextOut(5, 40, "Xor");
  const QImage before = c.Image().copy();
  for (TvlPenMode mode : {TvlPenMode::Xor, TvlPenMode::Not}) {
    for (int pass = 0; pass < 2; ++pass) {
      c.SetPen({vlRGB(255, 255, 255), 1, TvlPenStyle::Solid, mode});
      c.SetSolidBrush(vlRGB(0, 255, 0));
      c.Rectangle({30, 30, 45, 50});  // the inside is combined as well
      c.SetClearBrush();
      c.Rectangle({5, 5, 60, 45});  // corners meet without inverting twice
      c.MoveTo(0, 0);
      c.LineTo(79, 59);
      c.LineTo(79, 0);
      c.SetPenStyle(TvlPenStyle::Dot);
      c.MoveTo(0, 30);
      c.LineTo(80, 30);
      if (pass == 0) {
        EXPECT_NE(c.Image(), before);
      }
    }
    EXPECT_EQ(c.Image(), before);
  }
}

TEST_F(QtCanvas, TurnedTextReadsUpwardFromItsOrigin) {
  TvlQtImageCanvas c(60, 200);
  TvlCanvasFont f;
  f.Height = 16;
  f.Escapement = 900;
  c.SetFont(f);
  c.SetBkMode(TvlBkMode::Transparent);
  const std::string text = "ii....WWWWW";
  const int w = c.TextWidth(text);
  c.TextOut(20, 180, text);
  int ink = 0;
  const QRect box = InkBox(c.Image(), &ink);
  ASSERT_GT(ink, 20);
  // The cell lies right of x and above y; the text runs up the page.
  EXPECT_GE(box.left(), 19);
  EXPECT_LE(box.right(), 20 + c.TextMetrics().Height);
  EXPECT_LE(box.bottom(), 181);
  EXPECT_GE(box.top(), 180 - w - 1);
  EXPECT_GT(box.height(), 3 * box.width());
  // The heavy end of the text (its last characters) is at the top quarter,
  // the light start at the bottom quarter.
  int top = 0, bottom = 0;
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 60; ++x)
      if ((c.Image().pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
        if (y < 180 - 3 * w / 4) ++top;
        if (y > 180 - w / 4) ++bottom;
      }
  EXPECT_GT(top, 2 * bottom);
}

TEST_F(QtCanvas, AHalfTurnTurnsFiguresAndLaterClipsAboutTheCentreUntilItEnds) {
  TvlQtImageCanvas c(100, 60);
  c.SetSolidBrush(clBlack);
  c.SetHalfTurn({0, 0, 100, 60});
  c.FillRect({10, 10, 30, 20});
  EXPECT_EQ(InkBox(c.Image()), QRect(QPoint(70, 40), QPoint(89, 49)));
  // A clip set while turned turns with the drawing.
  c.SelectClipRegion(TvlRegion(TvlRect{0, 0, 50, 60}));
  c.FillRect({0, 0, 100, 5});
  EXPECT_EQ(InkBox(c.Image()), QRect(QPoint(50, 40), QPoint(99, 59)));
  c.SelectClipRegion(std::nullopt);
  c.SetHalfTurn({});
  c.FillRect({0, 0, 5, 5});
  EXPECT_EQ(InkBox(c.Image()), QRect(QPoint(0, 0), QPoint(99, 59)));
}

TEST_F(QtCanvas, WindowsFaceNamesFindTheirInstalledTwins) {
  const struct {
    const char* Face;
    const char* Family;
  } cases[] = {{"Arial", "Liberation Sans"},
               {"Times New Roman", "Liberation Serif"},
               {"Courier New", "Liberation Mono"},
               {"\xE5\xAE\x8B\xE4\xBD\x93", "WenQuanYi Zen Hei"},  // 宋体
               {"SimSun", "WenQuanYi Zen Hei"}};
  for (const auto& k : cases) {
    TvlCanvasFont f;
    f.Name = k.Face;
    EXPECT_EQ(QFontInfo(vlQtFont(f)).family(), QString::fromUtf8(k.Family)) << k.Face;
  }
}

TEST_F(QtCanvas, RareChineseCharactersInNamesDrawRealGlyphs) {
  // U+20BB7 (a family name) lies in CJK Extension B, outside every usual face.
  if (!QFontDatabase::families().contains(QStringLiteral("HanaMinB")))
    GTEST_SKIP() << "HanaMin is not installed (package fonts-hanazono)";
  const auto draw = [](const char* text) {
    TvlQtImageCanvas c(120, 60);
    TvlCanvasFont f;
    f.Name = "\xE5\xAE\x8B\xE4\xBD\x93";  // 宋体
    f.Height = 40;
    c.SetFont(f);
    c.SetBkMode(TvlBkMode::Transparent);
    c.TextOut(10, 10, text);
    return c.Image().copy();
  };
  const QImage rare = draw("\xF0\xA0\xAE\xB7");        // 𠮷
  const QImage missing = draw("\xF4\x8F\xBF\xBD");     // U+10FFFD, in no font: the missing-glyph box
  const QImage lookalike = draw("\xE5\x90\x89");        // 吉, the everyday character it resembles
  int ink = 0;
  InkBox(rare, &ink);
  EXPECT_GT(ink, 100);
  EXPECT_NE(rare, missing);
  EXPECT_NE(rare, lookalike);
}

TEST_F(QtCanvas, TextWidthIncludesSpacingAndClippedTextStaysInside) {
  TvlQtImageCanvas c(200, 60);
  c.SetFontHeight(20);
  const int plain = c.TextWidth("Envelope");
  c.SetCharSpacing(3);
  EXPECT_EQ(c.TextWidth("Envelope"), plain + 8 * 3);
  EXPECT_EQ(c.MeasureText("Envelope\r\nab").Width, plain + 24);
  // Drawn text lies within its measured width.
  c.SetBkMode(TvlBkMode::Transparent);
  c.TextOut(10, 5, "Envelope");
  EXPECT_LE(InkBox(c.Image()).right(), 10 + plain + 24);
  c.SetCharSpacing(0);
  // Clipped output leaves everything outside the rectangle untouched.
  TvlQtImageCanvas d(200, 60);
  d.SetFontHeight(30);
  d.SetSolidBrush(vlRGB(255, 255, 0));  // opaque background colour
  d.TextRect({20, 10, 60, 30}, 5, 0, "WWWWWWWWWW", toClipped);
  const QRect box = InkBox(d.Image());
  EXPECT_EQ(box, QRect(20, 10, 40, 20));
}

// A vector device at a printer's resolution that keeps the width of every
// text item it is given, as PDF and printers receive text.
class TextItemDevice : public QPaintDevice {
 public:
  explicit TextItemDevice(int dpi) : dpi_(dpi) {}
  QPaintEngine* paintEngine() const override { return &engine_; }
  std::vector<qreal>& Widths() { return engine_.Widths; }

 protected:
  int metric(PaintDeviceMetric m) const override {
    switch (m) {
      case PdmWidth: case PdmHeight: return 10 * dpi_;
      case PdmWidthMM: case PdmHeightMM: return 254;
      case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return dpi_;
      case PdmDepth: return 32;
      case PdmNumColors: return 0x7FFFFFFF;
      case PdmDevicePixelRatio: return 1;
      case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
      default: return 0;
    }
  }

 private:
  struct Engine : QPaintEngine {
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawTextItem(const QPointF&, const QTextItem& item) override { Widths.push_back(item.width()); }
    Type type() const override { return User; }
    std::vector<qreal> Widths;
  };
  int dpi_;
  mutable Engine engine_;
};

TEST_F(QtCanvas, SpacedTextReachesVectorDevicesAsWideAsMeasured) {
  for (const int dpi : {72, 300, 600}) {
    TextItemDevice device(dpi);
    QPainter painter(&device);
    TvlQtCanvas c(painter, {10 * dpi, 10 * dpi}, dpi, dpi);
    c.SetFontHeight(dpi / 4);
    c.SetBkMode(TvlBkMode::Transparent);
    c.SetCharSpacing(dpi / 10);
    const int measured = c.TextWidth("123456");
    c.TextOut(10, 10, "123456");
    painter.end();
    ASSERT_EQ(device.Widths().size(), 1u) << dpi;
    EXPECT_NEAR(device.Widths()[0], measured, 1) << dpi;
  }
}

TEST_F(QtCanvas, RightToLeftTextStaysInItsCell) {
  TvlQtImageCanvas c(200, 40);
  c.SetFontHeight(20);
  c.SetBkMode(TvlBkMode::Transparent);
  const std::string hebrew = "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D abc";  // reads right to left
  const int w = c.TextWidth(hebrew);
  c.TextRect({0, 0, 200, 40}, 10, 5, hebrew, toClipped | toRtlReading);
  const QRect box = InkBox(c.Image());
  ASSERT_FALSE(box.isEmpty());
  EXPECT_GE(box.left(), 9);
  EXPECT_LE(box.right(), 10 + w + 1);
}

TEST_F(QtCanvas, FillsFramesPatternsAndRegionsHitExactPixels) {
  TvlQtImageCanvas c(40, 40);
  c.SetSolidBrush(clBlack);
  c.FillRect({2, 3, 7, 9});
  EXPECT_EQ(InkBox(c.Image()), QRect(2, 3, 5, 6));
  TvlQtImageCanvas r(40, 40);
  r.SetClearBrush();
  r.Rectangle({5, 5, 15, 12});
  int ink = 0;
  EXPECT_EQ(InkBox(r.Image(), &ink), QRect(5, 5, 10, 7));
  EXPECT_EQ(ink, 2 * 10 + 2 * 5);
  // A chequer pattern brush, aligned to the surface.
  TvlQtImageCanvas p(16, 16);
  TvlBrush b;
  b.Style = TvlBrushStyle::Pattern;
  b.Color = clSilver;
  b.PatternBack = clWhite;
  b.Pattern = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  p.SetBrush(b);
  p.FillRect({0, 0, 16, 16});
  EXPECT_EQ(p.Image().pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(p.Image().pixel(1, 0) & 0xFFFFFF, 0xC0C0C0u);
  EXPECT_EQ(p.Image().pixel(9, 1) & 0xFFFFFF, 0xFFFFFFu);
  // A clip region with a hole keeps the hole.
  TvlQtImageCanvas h(30, 30);
  h.SelectClipRegion(TvlRegion(TvlRect{0, 0, 30, 30}).Subtract(TvlRegion(TvlRect{10, 10, 20, 20})));
  h.SetSolidBrush(clBlack);
  h.FillRect({0, 0, 30, 30});
  EXPECT_EQ(h.Image().pixel(15, 15) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(h.Image().pixel(9, 15) & 0xFFFFFF, 0u);
  // A dashed pen: 18 on, 6 off.
  TvlQtImageCanvas dash(60, 3);
  dash.SetPenStyle(TvlPenStyle::Dash);
  dash.SetBkMode(TvlBkMode::Transparent);
  dash.MoveTo(0, 1);
  dash.LineTo(60, 1);
  EXPECT_EQ(dash.Image().pixel(17, 1) & 0xFFFFFF, 0u);
  EXPECT_EQ(dash.Image().pixel(20, 1) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(dash.Image().pixel(25, 1) & 0xFFFFFF, 0u);
  // On a surface of twice the resolution the dashes keep their length on
  // paper (36 on, 12 off) rather than shrinking to a quarter of it.
  TvlQtImageCanvas fine(120, 3, 192);
  fine.SetPenStyle(TvlPenStyle::Dash);
  fine.SetBkMode(TvlBkMode::Transparent);
  fine.MoveTo(0, 1);
  fine.LineTo(120, 1);
  EXPECT_EQ(fine.Image().pixel(35, 1) & 0xFFFFFF, 0u);
  EXPECT_EQ(fine.Image().pixel(40, 1) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(fine.Image().pixel(50, 1) & 0xFFFFFF, 0u);
}

TEST_F(QtCanvas, PicturesStretchAndCorruptOnesDrawNothing) {
  TvlQtImageCanvas c(40, 40);
  const TvlPicture icon(TvlPictureKind::Icon, fixtures::TwoByTwoIcon());
  c.StretchDraw({0, 0, 40, 40}, icon, true);
  EXPECT_EQ(c.Image().pixel(5, 5) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(c.Image().pixel(35, 5) & 0xFFFFFF, 0x00FF00u);
  EXPECT_EQ(c.Image().pixel(5, 35) & 0xFFFFFF, 0x0000FFu);
  EXPECT_EQ(c.Image().pixel(35, 35) & 0xFFFFFF, 0xFFFFFFu);  // transparent: the surface shows
  TvlQtImageCanvas d(40, 40);
  std::string cut = fixtures::TwoByTwoIcon();
  cut.resize(40);
  d.StretchDraw({0, 0, 40, 40}, TvlPicture(TvlPictureKind::Icon, cut));
  d.StretchDraw({0, 0, 40, 40}, TvlPicture(TvlPictureKind::Jpeg, "\xFF\xD8\xFF\xE0garbage"));
  EXPECT_TRUE(InkBox(d.Image()).isEmpty());
  // A metafile plays onto the image surface.
  fixtures::EmfWriter emf(1000, 1000, 100, 100, 10, 10);
  emf.Brush(1, 0, 0x0000FF);
  emf.Select(1);
  emf.Rect(0, 0, 50, 50);
  d.StretchDraw({0, 0, 40, 40}, TvlPicture(TvlPictureKind::Metafile, emf.Finish()));
  EXPECT_EQ(d.Image().pixel(10, 10) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(d.Image().pixel(30, 30) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(QtCanvas, ARecordedPagePlaysBackPixelForPixel) {
  auto scene = [](TvlCanvas& c) {
    c.SetSolidBrush(vlRGB(200, 220, 255));
    c.FillRect({5, 5, 70, 40});
    c.SetPen({vlRGB(200, 0, 0), 3, TvlPenStyle::Solid, TvlPenMode::Copy});
    c.Rectangle({10, 10, 60, 30});
    c.SetPen({clBlack, 1, TvlPenStyle::DashDot, TvlPenMode::Copy});
    c.MoveTo(0, 45);
    c.LineTo(80, 45);
    c.ExcludeClipRect({30, 0, 40, 60});
    c.SetFontHeight(14);
    c.TextRect({0, 0, 80, 60}, 12, 12, "Page", toClipped);
    TvlRaster r;
    r.Width = 2, r.Height = 1, r.Pixels = {0xFF00FF00, 0xFF0000FF};
    c.StretchRaster({50, 48, 70, 58}, r, TvlStretchMode::ColorOnColor, false);
  };
  TvlQtImageCanvas direct(80, 60);
  scene(direct);
  TvlRecordingCanvas rec({80, 60});
  scene(rec);
  TvlQtImageCanvas played(80, 60);
  rec.Replay(played);
  EXPECT_EQ(played.Image(), direct.Image());
}

TEST_F(QtCanvas, OffscreenImagesCopyAndPrinterSurfacesWritePdf) {
  TvlQtImageCanvas c(50, 50);
  auto off = c.CreateOffscreen(10, 10);
  off->SetSolidBrush(clBlack);
  off->FillRect({0, 0, 10, 10});
  c.DrawCanvas(20, 30, *off);
  EXPECT_EQ(InkBox(c.Image()), QRect(20, 30, 10, 10));

  QTemporaryDir dir;
  const QString path = dir.filePath("page.pdf");
  {
    QPdfWriter pdf(path);
    pdf.setResolution(300);
    QPainter painter(&pdf);
    TvlQtCanvas canvas(painter, {pdf.width(), pdf.height()}, 300, 300);
    EXPECT_EQ(canvas.PixelsPerInchX(), 300);
    canvas.SetFontHeight(50);
    canvas.TextOut(100, 100, "Vellora");
    canvas.SetPenMode(TvlPenMode::Xor);  // drawn as a copy pen on PDF
    canvas.Rectangle({50, 50, 600, 200});
  }
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().startsWith("%PDF"));
}

}  // namespace
}  // namespace vl
