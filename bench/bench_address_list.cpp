// Envelopes from an address list, as `vlreport prepare 1.vlf --dataset
// Addresses=list.csv` makes them: the shipped DL template bound to a CSV
// list of Chinese addresses (name, address, postcode), one envelope per
// address, for 10,000 and 100,000 addresses. Reported: wall time per run,
// envelopes per second and the process's peak memory.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "engine/data/address_binding.h"
#include "engine/data/components.h"
#include "engine/data/db_dataset.h"
#include "engine/data/open_data_source.h"
#include "engine/formation/formation.h"
#include "engine/model/report.h"
#include "engine/binding/globals.h"

namespace {

using namespace vl;

// A list of n addresses, written once per size.
std::string List(int n) {
  const auto dir = std::filesystem::temp_directory_path() / ("vl_bench_addresses_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const std::string file = (dir / ("list" + std::to_string(n) + ".csv")).string();
  if (!std::filesystem::exists(file)) {
    std::ofstream out(file, std::ios::binary);
    out << "姓名,地址,邮编,电话\r\n";
    for (int i = 1; i <= n; ++i)
      out << "收件人" << i << ",广东省深圳市南山区科技园路" << i << "号," << 518000 + i % 1000 << ",0755-"
          << 10000000 + i << "\r\n";
  }
  return file;
}

void BM_EnvelopesFromCsvList(benchmark::State& state) {
  static TvlGlobals globals;
  const int n = static_cast<int>(state.range(0));
  const std::string list = List(n);
  TvlForm form("BenchForm");
  TvlReport report;
  report.Owner = &form;
  report.ShowProgress = false;
  report.LoadFromFile(std::string(VL_SOURCE_DIR) + "/app/data/Vlf/1.vlf");
  for (auto _ : state) {
    // Opened, mapped and prepared as the launcher and vlreport do it.
    auto& source = static_cast<TvlDataSource&>(form.InsertComponent(vlOpenDataSource(list, "Addresses_Source")));
    auto& dataset = form.Add<TvlDBDataSet>(kAddressDataset);
    dataset.SetDataSet(&source);
    {
      TvlAddressBinding binding(report, dataset, vlMatchAddressColumns(source.FieldNames()));
      report.Prepare();
    }
    benchmark::DoNotOptimize(report.EMFPages.Count());
    form.DestroyComponent(&dataset);
    form.DestroyComponent(&source);
  }
  state.counters["envelopes/s"] =
      benchmark::Counter(static_cast<double>(n) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["pages"] = report.EMFPages.Count();
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_EnvelopesFromCsvList)
    ->ArgName("addresses")
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

}  // namespace
