// 1,000 framed, filled views drawn onto an off-screen image and onto the
// recording surface: the cost of every page picture's view pass.

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "engine/core/engine_state.h"
#include "engine/model/views.h"
#include "engine/model/view_render.h"
#include "platform/qt/qt_canvas.h"
#include "platform/recording_canvas.h"

namespace {

struct Page {
  std::vector<std::unique_ptr<vl::TvlView>> Owned;
  std::vector<vl::TvlView*> Views;
};

// A 25 x 40 grid on an A4-sized page, frame styles and widths varied.
const Page& Views() {
  static const Page page = [] {
    Page p;
    for (int k = 0; k < 1000; ++k) {
      auto v = std::make_unique<vl::TvlView>();
      v->Left = 10 + (k % 25) * 29;
      v->Top = 10 + (k / 25) * 26;
      v->Width = 26;
      v->Height = 22;
      v->FrameTyp = vl::vlftLeft | vl::vlftRight | vl::vlftTop | vl::vlftBottom;
      v->FrameWidth = static_cast<float>(1 + k % 3);
      v->FrameStyle = static_cast<std::uint16_t>(k % 6);
      v->FillColor = vl::vlRGB(static_cast<std::uint8_t>(k * 7), 200, static_cast<std::uint8_t>(255 - k % 256));
      p.Views.push_back(v.get());
      p.Owned.push_back(std::move(v));
    }
    return p;
  }();
  return page;
}

void BM_DrawViewsOffscreenImage(benchmark::State& state) {
  const Page& page = Views();
  vl::TvlQtImageCanvas canvas(794, 1123);
  for (auto _ : state) {
    vl::vlDrawViews(canvas, page.Views, 1.0, 1.0);
    benchmark::DoNotOptimize(canvas.Image().constBits());
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_DrawViewsOffscreenImage)->Unit(benchmark::kMillisecond);

void BM_DrawViewsRecordingCanvas(benchmark::State& state) {
  const Page& page = Views();
  vl::TvlRecordingCanvas canvas({794, 1123});
  for (auto _ : state) {
    canvas.Clear();
    vl::vlDrawViews(canvas, page.Views, 1.0, 1.0);
    benchmark::DoNotOptimize(canvas.Ops().data());
  }
  state.counters["ops"] = static_cast<double>(canvas.Ops().size());
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_DrawViewsRecordingCanvas)->Unit(benchmark::kMillisecond);

}  // namespace
