// The preview on a 1-page and a 10,000-page report: opening it (taking the
// pages, set-up, layout and the first paint) and painting one screen. The
// paint finds the pages in view by bisection and releases only the pages it
// drew before, so its cost must not grow with the page count.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "engine/model/report.h"
#include "engine/output/preview_layout.h"
#include "viewer/preview_form.h"
#include "tests/output/preview_fixture.h"

namespace vl {
namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "bench_preview";
  static char* argv[] = {name, nullptr};
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static QApplication app(argc, argv);
  return app;
}

// A list page: a title and 20 rows of three texts.
void AddListPage(TvlEMFPages& pages, int n) {
  std::vector<testing::PageText> texts{testing::Text("Title", "Price list, page " + std::to_string(n), 40, 30)};
  for (int k = 0; k < 20; ++k) {
    const int top = 80 + k * 24;
    texts.push_back(testing::Text("Code", std::to_string(10000 + n * 20 + k), 40, top));
    texts.push_back(testing::Text("Item", "Envelope DL, white", 140, top));
    texts.push_back(testing::Text("Price", "2.10", 520, top));
  }
  testing::AddPage(pages, {757, 1070}, texts);
}

// The report of each size is made once; the preview gives its pages back
// after every run.
TvlReport& ReportOf(int count) {
  static std::map<int, std::unique_ptr<TvlReport>> reports;
  auto& r = reports[count];
  if (!r) {
    r = std::make_unique<TvlReport>();
    r->ModalPreview = false;
    for (int i = 0; i < count; ++i) AddListPage(r->EMFPages, i + 1);
  }
  return *r;
}

// A 1024 x 768 preview at page width holding the report's pages.
void Open(TvlPreviewForm& form, TvlReport& report) {
  vlSharedPreviewZoom() = {1.0, zmPageWidth};
  form.resize(1024, 768);
  // A hidden window gets its resize events only when shown; the surface
  // must have its real size for the layout and the paint.
  form.setAttribute(Qt::WA_DontShowOnScreen);
  form.show();
  form.Connect(report);
  form.SetUp();
  form.ResetView(true);
}

void Paint(TvlPreviewForm& form, QImage& screen) {
  QPainter painter(&screen);
  form.PaintSurface(painter, screen.rect());
}

void BM_OpenPreview(benchmark::State& state) {
  App();
  TvlReport& report = ReportOf(static_cast<int>(state.range(0)));
  TvlPreviewForm form;
  Open(form, report);
  form.Disconnect();
  QImage screen(form.PBox()->size(), QImage::Format_RGB32);
  for (auto _ : state) {
    Open(form, report);
    Paint(form, screen);
    form.Disconnect();
  }
  state.counters["surface_px"] = screen.width() * screen.height();
}
BENCHMARK(BM_OpenPreview)->Arg(1)->Arg(10000)->Unit(benchmark::kMillisecond);

// One screen at page width, somewhere in the middle of the report.
void BM_PaintScreen(benchmark::State& state) {
  App();
  TvlReport& report = ReportOf(static_cast<int>(state.range(0)));
  TvlPreviewForm form;
  Open(form, report);
  form.GoToPage(form.Pages().Count() / 2 + 1);
  QImage screen(form.PBox()->size(), QImage::Format_RGB32);
  for (auto _ : state) Paint(form, screen);
  state.counters["surface_px"] = screen.width() * screen.height();
  form.Disconnect();
}
BENCHMARK(BM_PaintScreen)->Arg(1)->Arg(10000)->Unit(benchmark::kMicrosecond);

// Scrolling: each paint shows a page the last one did not, so pages are
// expanded and released as they come and go.
void BM_PaintWhileScrolling(benchmark::State& state) {
  App();
  TvlReport& report = ReportOf(static_cast<int>(state.range(0)));
  TvlPreviewForm form;
  Open(form, report);
  QImage screen(form.PBox()->size(), QImage::Format_RGB32);
  int page = 1;
  for (auto _ : state) {
    form.GoToPage(page);
    Paint(form, screen);
    page = page % form.Pages().Count() + 1;
  }
  form.Disconnect();
}
BENCHMARK(BM_PaintWhileScrolling)->Arg(1)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vl
