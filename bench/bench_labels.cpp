// Address labels to PDF against envelopes to PDF, per address: 10,000
// Chinese addresses on the shipped 3 x 8 A4 sheet (Avery L7159, 24 labels a
// page) and on the shipped DL envelope (1.vlf, a page each), each bound to
// the list, prepared, checked address by address and written to one PDF,
// as `vlreport labels` and `vlreport render` do.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/render/pdf_output.h"
#include "bench/bench_qt_start.h"
#include "engine/data/address_binding.h"
#include "engine/data/components.h"
#include "engine/data/db_dataset.h"
#include "engine/data/envelope_check.h"
#include "engine/data/open_data_source.h"
#include "engine/formation/formation.h"
#include "engine/labels/label_check.h"
#include "engine/labels/label_template.h"
#include "engine/labels/sheet_catalogue.h"
#include "engine/model/report.h"

namespace {

using namespace vl;

std::filesystem::path Dir() {
  static const std::filesystem::path dir = [] {
    const auto d = std::filesystem::temp_directory_path() / ("vl_bench_labels_" + std::to_string(getpid()));
    std::filesystem::create_directories(d);
    return d;
  }();
  return dir;
}

std::string List(int n) {
  const std::string file = (Dir() / ("list" + std::to_string(n) + ".csv")).string();
  if (!std::filesystem::exists(file)) {
    std::ofstream out(file, std::ios::binary);
    out << "姓名,地址,邮编\r\n";
    for (int i = 1; i <= n; ++i)
      out << "收件人" << i << ",广东省深圳市南山区科技园路" << i << "号," << 518000 + i % 1000 << "\r\n";
  }
  return file;
}

// Argument 0: envelopes (1.vlf), 1: labels (3 x 8).
void BM_AddressesToPdf(benchmark::State& state) {
  bench::StartQtEngine();
  const bool labels = state.range(0) != 0;
  const int n = static_cast<int>(state.range(1));
  const std::string list = List(n);
  TvlLabelSheet sheet;
  if (labels) {
    const auto sheets = vlLoadSheetCatalogue(std::string(VL_SOURCE_DIR) + "/app/data/labels/sheets.txt");
    sheet = *vlFindSheet(sheets, "Avery L7159 (A4, 3 x 8)");
  }
  const std::string pdf = (Dir() / (labels ? "labels.pdf" : "envelopes.pdf")).string();
  double prepareMs = 0, checkMs = 0, pdfMs = 0;
  int pages = 0;
  for (auto _ : state) {
    TvlForm form("FormMain");
    TvlReport report;
    report.Name = "vlReport1";
    report.Owner = &form;
    report.ShowProgress = false;
    if (labels)
      vlBuildLabelTemplate(report, sheet, TvlLabelLayout::Recipient);
    else
      report.LoadFromFile(std::string(VL_SOURCE_DIR) + "/app/data/Vlf/1.vlf");
    auto& source = static_cast<TvlDataSource&>(form.InsertComponent(vlOpenDataSource(list, "Addresses_Source")));
    auto& dataset = form.Add<TvlDBDataSet>(kAddressDataset);
    dataset.SetDataSet(&source);
    TvlAddressBinding binding(report, dataset, vlMatchAddressColumns(source.FieldNames()), !labels);
    const auto t0 = std::chrono::steady_clock::now();
    report.Prepare();
    const auto t1 = std::chrono::steady_clock::now();
    const auto problems =
        labels ? vlCheckLabels(report, binding, sheet, 1, 0) : vlCheckEnvelopes(report, binding);
    benchmark::DoNotOptimize(problems.size());
    const auto t2 = std::chrono::steady_clock::now();
    std::vector<int> all(static_cast<std::size_t>(report.EMFPages.Count()));
    for (int i = 0; i < report.EMFPages.Count(); ++i) all[static_cast<std::size_t>(i)] = i;
    vlWritePdf(report.EMFPages, all, pdf, "bench");
    const auto t3 = std::chrono::steady_clock::now();
    prepareMs += std::chrono::duration<double, std::milli>(t1 - t0).count();
    checkMs += std::chrono::duration<double, std::milli>(t2 - t1).count();
    pdfMs += std::chrono::duration<double, std::milli>(t3 - t2).count();
    pages = report.EMFPages.Count();
  }
  const double runs = static_cast<double>(state.iterations());
  state.counters["pages"] = pages;
  state.counters["prepare ms"] = prepareMs / runs;
  state.counters["check ms"] = checkMs / runs;
  state.counters["pdf ms"] = pdfMs / runs;
  state.counters["us/address"] = (prepareMs + checkMs + pdfMs) / runs * 1000.0 / n;
  state.counters["pdf KB"] = static_cast<double>(std::filesystem::file_size(pdf)) / 1024.0;
  state.counters["peak MB"] = bench::PeakMb();
}
BENCHMARK(BM_AddressesToPdf)
    ->ArgNames({"labels", "addresses"})
    ->Args({0, 10000})
    ->Args({1, 10000})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

}  // namespace
