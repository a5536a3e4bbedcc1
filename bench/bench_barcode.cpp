// The barcodes of one merged envelope drawn at 300 dpi onto the recording
// surface: a QR code of the address, a Code 128 and an Intelligent Mail
// code, each with a new value (encoded twice: natural size, then the bar
// height that fills the view) and with the value of the last draw (symbols
// kept by the view).

#include <benchmark/benchmark.h>

#include <string>

#include "engine/addins/barcode/barcode_view.h"
#include "engine/core/engine_state.h"
#include "platform/recording_canvas.h"

namespace {

struct Envelope {
  vl::TvlBarCodeView Qr, Code128, Imb;
  Envelope() {
    Qr.Symbology = vl::bcQRCode;
    Qr.Width = Qr.Height = 110;
    Code128.Symbology = vl::bcCode128;
    Code128.Width = 260, Code128.Height = 50;
    Imb.Symbology = vl::bcIntelligentMail;
    Imb.Width = 280, Imb.Height = 22;
    Imb.ShowText = false;
    for (vl::TvlBarCodeView* v : {&Qr, &Code128, &Imb}) v->DrawScaleX = v->DrawScaleY = 300 / 91.6256157635468;
  }
  void SetRecord(int n) {
    const std::string zip = std::to_string(10000 + n % 90000);
    Qr.Code = "Customer " + std::to_string(n) + "\r\n" + std::to_string(n % 997) + " Main Street\r\n" + zip + " Springfield";
    Code128.Code = zip + "-" + std::to_string(1000 + n % 9000);
    Imb.Code = "01234567094987654321-" + zip;
  }
  void Draw(vl::TvlCanvas& canvas) {
    for (vl::TvlBarCodeView* v : {&Qr, &Code128, &Imb}) v->Draw(canvas);
  }
};

void BM_EnvelopeCodesNewValues(benchmark::State& state) {
  vl::vlState().DocMode = vl::TvlDocMode::dmPrinting;
  Envelope e;
  vl::TvlRecordingCanvas canvas;
  int n = 0;
  for (auto _ : state) {
    e.SetRecord(n++);
    canvas.Clear();
    e.Draw(canvas);
    benchmark::DoNotOptimize(canvas.Ops().size());
  }
}
BENCHMARK(BM_EnvelopeCodesNewValues)->Unit(benchmark::kMicrosecond);

void BM_EnvelopeCodesRedrawn(benchmark::State& state) {
  vl::vlState().DocMode = vl::TvlDocMode::dmPrinting;
  Envelope e;
  e.SetRecord(42);
  vl::TvlRecordingCanvas canvas;
  for (auto _ : state) {
    canvas.Clear();
    e.Draw(canvas);
    benchmark::DoNotOptimize(canvas.Ops().size());
  }
}
BENCHMARK(BM_EnvelopeCodesRedrawn)->Unit(benchmark::kMicrosecond);

}  // namespace
