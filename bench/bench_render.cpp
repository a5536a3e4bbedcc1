// Prepared pages to PDF through the Qt surface, as vlreport render writes
// them: 10,000 addressed envelopes (five fields from CSV, one envelope per
// record) and an A4 list of 10,000 rows. Reported per run: pages, the
// preparation's and the PDF's share of the time, the file's size and the
// process's peak memory. The templates and the CSV file are written to
// $VL_BENCH_RENDER_DIR when it is set, so that the command line can be timed
// on the same files (bench/README.md).

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QGuiApplication>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "app/engine_startup.h"
#include "app/render/pdf_output.h"
#include "engine/data/components.h"
#include "engine/data/csv_data_source.h"
#include "engine/data/db_dataset.h"
#include "engine/formation/formation.h"
#include "engine/model/report.h"
#include "engine/model/views.h"
#include "bench/bench_qt_start.h"
#include "bench/bench_reports.h"

namespace {

using namespace vl;
using namespace vl::bench;

constexpr int kRecords = 10000;

struct Files {
  std::filesystem::path Dir;
  bool Keep = false;
  std::string Csv;
  Files() {
    if (const char* given = std::getenv("VL_BENCH_RENDER_DIR")) {
      Dir = given;
      Keep = true;
    } else {
      Dir = std::filesystem::temp_directory_path() / ("vl_bench_render_" + std::to_string(getpid()));
    }
    std::filesystem::create_directories(Dir);
    Csv = (Dir / "people.csv").string();
    WritePeopleCsv(Csv, kRecords);
  }
  ~Files() {
    std::error_code ec;
    if (!Keep) std::filesystem::remove_all(Dir, ec);
  }
};

Files& TheFiles() {
  static Files files;
  return files;
}

// A DL envelope whose master data band fills the page: one envelope per record.
void BuildEnvelopes(TvlReport& report) {
  TvlPage& page = AddEnvelopePage(report);
  page.Margins = {0, 0, 0, 0};
  AddBand(page, btMasterData, 0, page.PaperMetrics.PaperHeightU - 40, "MasterData1", "People");
  AddMemo(page, "Sender", 40, 30, 300, "Vellora Ltd, 1 Print Lane");
  for (int k = 0; k < 5; ++k) AddMemo(page, "Line" + std::to_string(k), 340, 200 + 22 * k, 360, PeopleField(k));
}

// Argument 0: the envelopes, 1: the list.
void BM_RenderPdf(benchmark::State& state) {
  StartQtEngine();
  const bool list = state.range(0) != 0;
  const std::string name = list ? "list" : "envelopes";
  TvlForm form("FormMain");
  auto& source = form.Add<TvlCsvDataSource>("People_Source");
  source.FileName = TheFiles().Csv;
  form.Add<TvlDBDataSet>("People").SetDataSet(&source);
  TvlReport report;
  report.Name = "vlReport1";
  report.Owner = &form;
  report.ShowProgress = false;
  if (list) AddListPage(report);
  else BuildEnvelopes(report);
  const std::string pdf = (TheFiles().Dir / (name + ".pdf")).string();
  if (TheFiles().Keep) report.SaveToFile((TheFiles().Dir / (name + ".vlf")).string());
  double prepareMs = 0, pdfMs = 0;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    report.Prepare();
    const auto t1 = std::chrono::steady_clock::now();
    std::vector<int> all(static_cast<std::size_t>(report.EMFPages.Count()));
    for (int i = 0; i < report.EMFPages.Count(); ++i) all[static_cast<std::size_t>(i)] = i;
    vlWritePdf(report.EMFPages, all, pdf, report.Title);
    const auto t2 = std::chrono::steady_clock::now();
    prepareMs += std::chrono::duration<double, std::milli>(t1 - t0).count();
    pdfMs += std::chrono::duration<double, std::milli>(t2 - t1).count();
  }
  const double runs = static_cast<double>(state.iterations());
  state.counters["pages"] = report.EMFPages.Count();
  state.counters["prepare ms"] = prepareMs / runs;
  state.counters["pdf ms"] = pdfMs / runs;
  state.counters["pdf KB"] = static_cast<double>(std::filesystem::file_size(pdf)) / 1024.0;
  state.counters["peak MB"] = PeakMb();
}
BENCHMARK(BM_RenderPdf)->ArgName("list")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(1)->UseRealTime();

}  // namespace
