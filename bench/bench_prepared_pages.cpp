// The prepared pages store: what one prepared page costs in bytes (an
// envelope of ten text views, an A4 list of 40 rows of five text views), and
// the time to expand a page from its records and draw it onto the recording
// canvas.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/model/report.h"
#include "platform/recording_canvas.h"
#include "tests/model/prepared_fixture.h"

namespace {

using vl::testing::TextView;

// The page record's fixed fields in the file: end offset, paper size, width,
// height, orientation, bin, margins-in-use byte, four margins.
constexpr std::size_t kPageRecordFields = 4 + 2 + 4 + 4 + 1 + 4 + 1 + 16;

using Views = std::vector<std::unique_ptr<vl::TvlMemoView>>;

// An addressed envelope as the launcher's layouts print it: ten text views
// with their template names, a Chinese face and address texts.
Views EnvelopeViews() {
  const char* song = "\xE5\xAE\x8B\xE4\xBD\x93";  // 宋体
  struct Line {
    const char* name;
    int left, top, width;
    const char* text;
  } const lines[] = {
      {"RecipientPostcode", 40, 30, 160, "518000"},
      {"RecipientAddress1", 120, 110, 500, "广东省深圳市南山区科技园路1号"},
      {"RecipientAddress2", 120, 140, 500, "创新大厦12楼1203室"},
      {"RecipientCompany", 120, 170, 500, "深圳市某某科技有限公司"},
      {"RecipientName", 200, 210, 300, "张三 先生 收"},
      {"SenderAddress", 330, 300, 420, "北京市海淀区中关村大街27号"},
      {"SenderName", 330, 330, 200, "李四"},
      {"SenderPostcode", 600, 360, 150, "100080"},
      {"SenderPostcodeLabel", 530, 360, 70, "邮政编码"},
      {"StampBox", 700, 20, 70, "贴邮票处"},
  };
  Views views;
  for (const Line& l : lines) {
    views.push_back(TextView(l.name, l.left, l.top, l.width, 24, l.text));
    views.back()->Font.Name = song;
    views.back()->Font.Size = 12;
  }
  return views;
}

// A list band of five text views printed 40 times down an A4 page.
Views ListViews() {
  const char* const names[] = {"Code", "Item", "Qty", "Price", "Amount"};
  const char* const texts[] = {"10023", "Widget type A", "12", "3.50", "42.00"};
  const int lefts[] = {40, 120, 420, 500, 600}, widths[] = {80, 300, 80, 100, 120};
  Views views;
  for (int row = 0; row < 40; ++row)
    for (int k = 0; k < 5; ++k)
      views.push_back(TextView(names[k], lefts[k], 60 + row * 24, widths[k], 20, texts[k]));
  return views;
}

void Print(vl::TvlEMFPages& store, const vl::TvlPage& paper, const Views& views) {
  store.Add(paper);
  std::vector<vl::TvlView*> raw;
  for (const auto& v : views) raw.push_back(v.get());
  vl::testing::PrintInto(store[store.Count() - 1], raw);
}

// Prints the page's views into a new prepared page; counts the bytes the
// page takes in the store and in the file.
void BytesPerPage(benchmark::State& state, const vl::TvlPage& paper, const Views& views) {
  vl::TvlReport report;
  std::size_t bytes = 0;
  for (auto _ : state) {
    report.EMFPages.Clear();
    Print(report.EMFPages, paper, views);
    bytes = report.EMFPages[0].Stream.Bytes().size();
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["stream_bytes"] = static_cast<double>(bytes);
  state.counters["file_bytes_per_page"] = static_cast<double>(bytes + kPageRecordFields);
  state.counters["bytes_per_view"] = static_cast<double>(bytes - 1) / static_cast<double>(views.size());
}

void BM_EnvelopePageBytes(benchmark::State& state) {
  BytesPerPage(state, vl::TvlPage(27, 0, 0, -1, 1), EnvelopeViews());
}
BENCHMARK(BM_EnvelopePageBytes)->Unit(benchmark::kMicrosecond);

void BM_ListPageBytes(benchmark::State& state) { BytesPerPage(state, vl::TvlPage(9, 0, 0, -1, 0), ListViews()); }
BENCHMARK(BM_ListPageBytes)->Unit(benchmark::kMicrosecond);

// Expands the page from its records and draws it onto the recording canvas,
// then releases it, as the preview does for a page scrolled into view.
void ExpandAndDraw(benchmark::State& state, const vl::TvlPage& paper, const Views& views, bool release) {
  vl::TvlReport report;
  vl::TvlEMFPages& store = report.EMFPages;
  Print(store, paper, views);
  store[0].Visible = true;
  const vl::TvlPaperMetrics& m = store[0].PaperMetrics;
  vl::TvlRecordingCanvas canvas({m.PaperWidthU, m.PaperHeightU});
  for (auto _ : state) {
    if (release) store[0].Page.reset();
    canvas.Clear();
    store.Draw(0, canvas, {0, 0, m.PaperWidthU, m.PaperHeightU});
    benchmark::DoNotOptimize(canvas.Ops().size());
  }
  if (canvas.TextRuns().size() != views.size()) state.SkipWithError("not every view was drawn");
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(views.size()));
}

void BM_ExpandAndDrawEnvelopePage(benchmark::State& state) {
  ExpandAndDraw(state, vl::TvlPage(27, 0, 0, -1, 1), EnvelopeViews(), true);
}
BENCHMARK(BM_ExpandAndDrawEnvelopePage)->Unit(benchmark::kMicrosecond);

void BM_ExpandAndDrawListPage(benchmark::State& state) {
  ExpandAndDraw(state, vl::TvlPage(9, 0, 0, -1, 0), ListViews(), true);
}
BENCHMARK(BM_ExpandAndDrawListPage)->Unit(benchmark::kMicrosecond);

void BM_DrawExpandedListPage(benchmark::State& state) {
  ExpandAndDraw(state, vl::TvlPage(9, 0, 0, -1, 0), ListViews(), false);
}
BENCHMARK(BM_DrawExpandedListPage)->Unit(benchmark::kMicrosecond);

}  // namespace
