#pragma once
// What the barcode tests share: the Qt image surface (fonts need a GUI
// application), decoding a drawn page with zbarimg, and the envelope
// template whose barcodes are bound to expressions.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/render/render_views.h"
#include "engine/addins/barcode/barcode_view.h"
#include "engine/core/engine_state.h"
#include "engine/model/band_view.h"
#include "engine/model/memo_view.h"
#include "engine/model/object_factory.h"
#include "engine/model/report.h"
#include "platform/recording_canvas.h"

namespace vl::test {

inline void EnsureGuiApplication() {
  if (QGuiApplication::instance()) return;
  static int argc = 1;
  static char name[] = "barcode_tests";
  static char* argv[] = {name, nullptr};
  new QGuiApplication(argc, argv);  // lives to the end of the test program
}

inline bool HaveZbarimg() { return std::system("command -v zbarimg >/dev/null 2>&1") == 0; }

// What zbarimg reads from the picture (the data of every symbol it finds,
// as it prints them), or nullopt when it finds none.
inline std::optional<std::string> ZbarDecode(const QImage& image, const std::string& name) {
  const std::string path = ::testing::TempDir() + "barcode_" + name + ".png";
  if (!image.save(QString::fromStdString(path), "PNG")) return std::nullopt;
  const std::string command = "zbarimg --quiet --raw '" + path + "' 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return std::nullopt;
  std::string out;
  char buf[512];
  while (std::size_t n = std::fread(buf, 1, sizeof buf, pipe)) out.append(buf, n);
  const int rc = pclose(pipe);
  if (rc != 0 || out.empty()) return std::nullopt;
  if (out.back() == '\n') out.pop_back();
  return out;
}

// The view alone on a white picture at the given resolution; the page
// reaches 20 page units beyond the view unless a size is given.
inline QImage Render(TvlView& view, double dpi, std::int32_t width = 0, std::int32_t height = 0) {
  return vlRenderViewsToImage({&view}, width ? width : view.Left + view.Width + 20,
                              height ? height : view.Top + view.Height + 20, dpi);
}

inline bool Dark(const QImage& img, int x, int y) { return qGray(img.pixel(x, y)) < 128; }

// A stretch of dark pixels along a row or a column: where it starts and
// how many pixels it covers.
struct DarkRun {
  int Start = 0, Length = 0;
};

// The dark runs along row y of the picture, left to right.
inline std::vector<DarkRun> DarkRunsInRow(const QImage& img, int y) {
  std::vector<DarkRun> runs;
  for (int x = 0; x < img.width(); ++x) {
    if (!Dark(img, x, y)) continue;
    if (x == 0 || !Dark(img, x - 1, y)) runs.push_back({x, 0});
    ++runs.back().Length;
  }
  return runs;
}

// The dark runs down column x of the picture, top to bottom.
inline std::vector<DarkRun> DarkRunsInColumn(const QImage& img, int x) {
  std::vector<DarkRun> runs;
  for (int y = 0; y < img.height(); ++y) {
    if (!Dark(img, x, y)) continue;
    if (y == 0 || !Dark(img, x, y - 1)) runs.push_back({y, 0});
    ++runs.back().Length;
  }
  return runs;
}

// The class is registered while a test runs, as the programs register it.
class BarCodeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureGuiApplication();
    registered_ = vlAddIns().Find(kBarCodeClassName) != nullptr;
    if (!registered_) vlAddIns().Register({kBarCodeClassName, [] { return std::make_unique<TvlBarCodeView>(); }, {}});
  }
  void TearDown() override {
    if (!registered_) vlAddIns().Unregister(kBarCodeClassName);
  }

  static std::unique_ptr<TvlBarCodeView> Make(std::uint8_t symbology, const std::string& code, std::int32_t left,
                                              std::int32_t top, std::int32_t width, std::int32_t height) {
    auto v = std::unique_ptr<TvlBarCodeView>(static_cast<TvlBarCodeView*>(vlCreateView(otAddIn, kBarCodeClassName).release()));
    v->Symbology = symbology;
    v->Code = code;
    v->Left = left, v->Top = top, v->Width = width, v->Height = height;
    v->FrameTyp = vlftNone;
    return v;
  }

 private:
  bool registered_ = false;
};

// Barcodes drawn as printed pages draw them (where a value waiting for its
// expressions is no sample but what it is).
class PrintedBarCodeTest : public BarCodeTest {
 protected:
  void SetUp() override {
    BarCodeTest::SetUp();
    vlState().DocMode = TvlDocMode::dmPrinting;
  }
  void TearDown() override {
    vlState().DocMode = TvlDocMode::dmDesign;
    BarCodeTest::TearDown();
  }
};

// The rectangles a view fills black when drawn at the given scale (device
// pixels per page unit), in order.
inline std::vector<TvlRect> BlackFills(TvlView& v, double scale = 1) {
  v.DrawScaleX = v.DrawScaleY = scale;
  TvlRecordingCanvas canvas;
  v.Draw(canvas);
  std::vector<TvlRect> out;
  TvlBrush brush;
  for (const TvlCanvasOp& op : canvas.Ops()) {
    if (op.Kind == TvlOpKind::Brush) brush = op.Brush;
    if (op.Kind == TvlOpKind::FillRect && brush.Style == TvlBrushStyle::Solid && brush.Color == clBlack)
      out.push_back(op.Rect);
  }
  return out;
}

// An envelope whose codes follow the address: a QR code of the whole
// address, a Code 128 of the dictionary variable PostCode (an expression of
// Zip and Plus4) and an Intelligent Mail code routed to the Zip, all on a
// report title band. The names Name, Street, Zip, Plus4 and City are left
// to the caller: script variables, or dictionary variables bound to a
// dataset's fields for a merge.
inline std::unique_ptr<TvlReport> BarCodeEnvelope() {
  auto report = std::make_unique<TvlReport>();
  TvlPage& page = *report->Pages.Add();
  page.Name = "Envelope";
  report->Dictionary.Variables.Set(" Post", "");
  report->Dictionary.Variables.Set("PostCode", "Zip + '-' + Plus4");
  report->Dictionary.Variables.Set("Tracking", "'01234567094987654321'");

  auto band = std::make_unique<TvlBandView>();
  band->Name = "Title";
  band->FrameTyp = btReportTitle;
  band->Top = 0, band->Height = 360;
  page.Objects.push_back(std::move(band));

  auto address = std::make_unique<TvlMemoView>();
  address->Name = "Address";
  address->Left = 60, address->Top = 160, address->Width = 300, address->Height = 60;
  address->Memo = {"[Name]", "[Street]", "[Zip] [City]"};
  page.Objects.push_back(std::move(address));

  auto make = [&](const char* name, std::uint8_t symbology, const char* code, std::int32_t left, std::int32_t top,
                  std::int32_t width, std::int32_t height) {
    auto v = std::unique_ptr<TvlView>(vlCreateView(otAddIn, kBarCodeClassName).release());
    auto& b = static_cast<TvlBarCodeView&>(*v);
    b.Name = name;
    b.Symbology = symbology;
    b.Code = code;
    b.Left = left, b.Top = top, b.Width = width, b.Height = height;
    page.Objects.push_back(std::move(v));
    return &b;
  };
  make("AddressQR", bcQRCode, "[Name]\r\n[Street]\r\n[Zip] [City]", 400, 140, 110, 110);
  make("PostCode", bcCode128, "[PostCode]", 60, 240, 260, 50);
  TvlBarCodeView* imb = make("Routing", bcIntelligentMail, "[Tracking]-[Zip]", 60, 300, 280, 22);
  imb->ShowText = false;
  return report;
}

}  // namespace vl::test
