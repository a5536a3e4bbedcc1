// 10,000 five-line address blocks wrapped and measured the way band output
// asks a text view for its height: on the fixed-metric scratch surface and
// on an off-screen Qt image with the installed fonts. Also one long line of
// words in a wide view (automatic width), whose cost must grow about
// linearly with its length.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/engine_state.h"
#include "engine/model/memo_view.h"
#include "engine/model/scratch_canvas.h"
#include "platform/qt/qt_canvas.h"

namespace {

constexpr int kBlocks = 10000;

std::vector<std::vector<std::string>> Blocks() {
  std::vector<std::vector<std::string>> blocks;
  blocks.reserve(kBlocks);
  for (int k = 0; k < kBlocks; ++k) {
    const std::string n = std::to_string(k);
    blocks.push_back({"Mrs Jane Customer-Longname " + n, "Flat " + n + ", Riverside Court",
                      n + " Long Meadow Road near the Old Mill and the Railway Station", "SPRINGFIELD",
                      "AB" + n + " 9ZZ"});
  }
  return blocks;
}

void WrapAll(benchmark::State& state) {
  static const auto blocks = Blocks();
  vl::vlState().DocMode = vl::TvlDocMode::dmPrinting;
  vl::TvlMemoView v;
  v.Width = 250;  // an envelope's address area at design resolution
  v.Height = 100;
  v.Flags = vl::flWordWrap | vl::flWordBreak;
  std::int64_t lines = 0;
  for (auto _ : state) {
    for (const auto& block : blocks) {
      v.PrintedMemo = block;
      v.WrapMemo();
      lines += static_cast<std::int64_t>(v.WrappedLines.size());
      benchmark::DoNotOptimize(v.TextHeight);
    }
  }
  state.counters["lines_per_block"] =
      static_cast<double>(lines) / static_cast<double>(state.iterations() * kBlocks);
  state.counters["per_block"] = benchmark::Counter(static_cast<double>(state.iterations() * kBlocks),
                                                   benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_WrapAddressBlocksFixedMetrics(benchmark::State& state) {
  vl::vlSetScratchCanvas(nullptr);
  WrapAll(state);
}
BENCHMARK(BM_WrapAddressBlocksFixedMetrics)->Unit(benchmark::kMillisecond);

// Installs an off-screen Qt image as the scratch surface (an application first).
void UseQtScratch() {
  static int argc = 1;
  static char name[] = "bench";
  static char* argv[] = {name, nullptr};
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static QGuiApplication* app = QGuiApplication::instance() ? nullptr : new QGuiApplication(argc, argv);
  (void)app;
  static auto* scratch = new vl::TvlQtImageCanvas(1, 1, 96);
  vl::vlSetScratchCanvas(scratch);
}

void BM_WrapAddressBlocksQtFonts(benchmark::State& state) {
  UseQtScratch();
  WrapAll(state);
  vl::vlSetScratchCanvas(nullptr);
}
BENCHMARK(BM_WrapAddressBlocksQtFonts)->Unit(benchmark::kMillisecond);

void BM_WrapOneLongLineQtFonts(benchmark::State& state) {
  UseQtScratch();
  vl::vlState().DocMode = vl::TvlDocMode::dmPrinting;
  std::string line;
  while (line.size() < static_cast<std::size_t>(state.range(0))) line += "envelope ";
  vl::TvlMemoView v;
  v.Width = 4000;  // wide, as a view of automatic width grows
  v.Height = 100;
  v.Flags = vl::flWordWrap;
  for (auto _ : state) {
    v.PrintedMemo = {line};
    v.WrapMemo();
    benchmark::DoNotOptimize(v.TextHeight);
  }
  state.counters["lines"] = static_cast<double>(v.WrappedLines.size());
  vl::vlSetScratchCanvas(nullptr);
}
BENCHMARK(BM_WrapOneLongLineQtFonts)->Arg(8000)->Arg(32000)->Unit(benchmark::kMillisecond);

}  // namespace
