// Loading and saving a template of 10,000 text views, per view record.

#include <benchmark/benchmark.h>

#include "engine/model/report.h"
#include "engine/model/stream_reader.h"
#include "engine/model/stream_writer.h"
#include "platform/platform.h"
#include "platform/recording_message_box.h"
#include "tests/model/sample_template.h"

namespace {

constexpr int kViews = 10000;

void BM_SaveTemplate(benchmark::State& state) {
  vl::TvlReport report;
  vl::sample::FillMemos(report, kViews);
  std::size_t bytes = 0;
  for (auto _ : state) {
    vl::TvlStreamWriter w;
    report.SaveToStream(w);
    bytes = w.Bytes().size();
    benchmark::DoNotOptimize(bytes);
  }
  state.SetItemsProcessed(state.iterations() * kViews);
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_SaveTemplate)->Unit(benchmark::kMillisecond);

void BM_LoadTemplate(benchmark::State& state) {
  static vl::TvlRecordingMessageBox quiet;
  vl::vlInstallPlatform(vl::TvlPlatform{&quiet, nullptr, nullptr, nullptr});
  vl::TvlReport source;
  vl::sample::FillMemos(source, kViews);
  vl::TvlStreamWriter w;
  source.SaveToStream(w);
  const std::string bytes = w.TakeBytes();
  vl::TvlReport report;
  for (auto _ : state) {
    vl::TvlStreamReader r(bytes);
    report.LoadFromStream(r);
    benchmark::DoNotOptimize(report.Pages[0]->Objects.size());
  }
  if (report.Pages[0]->Objects.size() != kViews) state.SkipWithError("not every view was read");
  state.SetItemsProcessed(state.iterations() * kViews);
}
BENCHMARK(BM_LoadTemplate)->Unit(benchmark::kMillisecond);

}  // namespace
