// Batches to PDF as `vlreport render --pdf` writes them, through our PDF
// surface and through Qt's engine for comparison: the shipped DL template
// (1.vlf) with 10,000 Chinese addresses from a CSV list, and an A4 list of
// 100,000 rows (52 rows of five fields a page). Reported per run: pages, the
// preparation's and the PDF's wall seconds, the process's CPU seconds
// during the PDF, its peak memory (VmHWM) and the PDF's bytes per page.
// Peak memory is the process's: run one case per process
// (--benchmark_filter=BM_PdfBatch/case:0/qt:0). The CSV files go to
// $VL_BENCH_PDF_DIR when it is set, so the command line can be timed on them.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QGuiApplication>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/engine_startup.h"
#include "app/render/pdf_output.h"
#include "bench/bench_reports.h"
#include "engine/data/address_binding.h"
#include "engine/data/address_fields.h"
#include "engine/data/components.h"
#include "engine/data/csv_data_source.h"
#include "engine/data/db_dataset.h"
#include "engine/data/open_data_source.h"
#include "engine/formation/formation.h"
#include "engine/model/report.h"

namespace {

using namespace vl;
using namespace vl::bench;

std::filesystem::path Dir() {
  static const std::filesystem::path dir = [] {
    const char* given = std::getenv("VL_BENCH_PDF_DIR");
    std::filesystem::path d = given ? std::filesystem::path(given)
                                    : std::filesystem::temp_directory_path() / ("vl_bench_pdf_" + std::to_string(getpid()));
    std::filesystem::create_directories(d);
    return d;
  }();
  return dir;
}

std::string AddressList(int n) {
  const std::string file = (Dir() / ("addresses" + std::to_string(n) + ".csv")).string();
  if (!std::filesystem::exists(file)) {
    std::ofstream out(file, std::ios::binary);
    out << "姓名,地址,邮编,电话\r\n";
    for (int i = 1; i <= n; ++i)
      out << "收件人" << i << ",广东省深圳市南山区科技园路" << i << "号," << 518000 + i % 1000 << ",0755-"
          << 10000000 + i << "\r\n";
  }
  return file;
}

std::string PeopleList(int n) {
  const std::string file = (Dir() / ("people" + std::to_string(n) + ".csv")).string();
  if (!std::filesystem::exists(file)) WritePeopleCsv(file, n);
  return file;
}

void Start() {
  static int argc = 1;
  static char name[] = "bench_pdf";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    auto* a = new QGuiApplication(argc, argv);
    vlStartEngine();
    return a;
  }();
  (void)app;
}

double CpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double PeakMb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
  return 0;
}

// Argument case 0: 10,000 envelopes of 1.vlf; 1: the 100,000-row list.
// Argument qt 0: our surface; 1: Qt's PDF engine.
void BM_PdfBatch(benchmark::State& state) {
  Start();
  const bool list = state.range(0) != 0;
  const bool qt = state.range(1) != 0;
  TvlForm form("BenchForm");
  TvlReport report;
  report.Name = "vlReport1";
  report.Owner = &form;
  report.ShowProgress = false;
  std::unique_ptr<TvlAddressBinding> binding;
  if (list) {
    auto& source = form.Add<TvlCsvDataSource>("People_Source");
    source.FileName = PeopleList(100000);
    form.Add<TvlDBDataSet>("People").SetDataSet(&source);
    AddListPage(report);
  } else {
    report.LoadFromFile(std::string(VL_SOURCE_DIR) + "/app/data/Vlf/1.vlf");
    auto& source = static_cast<TvlDataSource&>(form.InsertComponent(vlOpenDataSource(AddressList(10000), "Addresses_Source")));
    auto& dataset = form.Add<TvlDBDataSet>(kAddressDataset);
    dataset.SetDataSet(&source);
    binding = std::make_unique<TvlAddressBinding>(report, dataset, vlMatchAddressColumns(source.FieldNames()));
  }
  const std::string pdf = (Dir() / (std::string(list ? "list" : "envelopes") + (qt ? "-qt" : "") + ".pdf")).string();
  double prepare = 0, write = 0, cpu = 0;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    report.Prepare();
    const auto t1 = std::chrono::steady_clock::now();
    const double c0 = CpuSeconds();
    std::vector<int> all(static_cast<std::size_t>(report.EMFPages.Count()));
    for (int i = 0; i < report.EMFPages.Count(); ++i) all[static_cast<std::size_t>(i)] = i;
    if (qt) vlWriteQtPdf(report.EMFPages, all, pdf, "Batch");
    else vlWritePdf(report.EMFPages, all, pdf, "Batch");
    cpu += CpuSeconds() - c0;
    const auto t2 = std::chrono::steady_clock::now();
    prepare += std::chrono::duration<double>(t1 - t0).count();
    write += std::chrono::duration<double>(t2 - t1).count();
  }
  const double runs = static_cast<double>(state.iterations());
  const double pages = report.EMFPages.Count();
  state.counters["pages"] = pages;
  state.counters["prepare s"] = prepare / runs;
  state.counters["pdf s"] = write / runs;
  state.counters["pdf cpu s"] = cpu / runs;
  state.counters["bytes/page"] = static_cast<double>(std::filesystem::file_size(pdf)) / std::max(1.0, pages);
  state.counters["peak MB"] = PeakMb();
}
BENCHMARK(BM_PdfBatch)
    ->ArgNames({"case", "qt"})
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();

}  // namespace
