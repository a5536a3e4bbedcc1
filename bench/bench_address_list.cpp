// Envelopes from an address list, as `vlreport prepare 1.vlf --dataset
// Addresses=list.csv` makes them: the shipped DL template bound to a CSV
// list of Chinese addresses (name, address, postcode), one envelope per
// address, for 10,000 and 100,000 addresses. Reported: wall time per run,
// envelopes per second and the process's peak memory. Then the check of
// such a batch once prepared, against the time it took to prepare.
//
// BM_EnvelopesToVlp prepares the same envelopes and saves them as a .vlp
// (pages beyond the store's threshold wait in its temporary file); run one
// size per process (--benchmark_filter=.../1000000), since the peak is the
// process's. The .vlp and the list are left in the temporary folder for
// `vlreport render` and `vlreport prepare`.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "engine/data/address_binding.h"
#include "engine/core/error.h"
#include "engine/data/components.h"
#include "engine/data/csv_data_source.h"
#include "engine/data/vcard_data_source.h"
#include "engine/data/db_dataset.h"
#include "engine/data/envelope_check.h"
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

// The engine's globals, made once for every benchmark here.
void StartEngine() { static TvlGlobals globals; }

// The shipped DL template on a form, ready to be bound to a list.
struct EnvelopeRun {
  TvlForm form{"BenchForm"};
  TvlReport report;
  EnvelopeRun() {
    StartEngine();
    report.Owner = &form;
    report.ShowProgress = false;
    report.LoadFromFile(std::string(VL_SOURCE_DIR) + "/app/data/Vlf/1.vlf");
  }
  // Opened, mapped and prepared as the launcher and vlreport do it; the
  // list leaves the form again afterwards.
  void Prepare(const std::string& list) {
    auto& source = static_cast<TvlDataSource&>(form.InsertComponent(vlOpenDataSource(list, "Addresses_Source")));
    auto& dataset = form.Add<TvlDBDataSet>(kAddressDataset);
    dataset.SetDataSet(&source);
    {
      TvlAddressBinding binding(report, dataset, vlMatchAddressColumns(source.FieldNames()));
      report.Prepare();
    }
    form.DestroyComponent(&dataset);
    form.DestroyComponent(&source);
  }
};

double PeakMB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_EnvelopesFromCsvList(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::string list = List(n);
  EnvelopeRun run;
  for (auto _ : state) {
    run.Prepare(list);
    benchmark::DoNotOptimize(run.report.EMFPages.Count());
  }
  state.counters["envelopes/s"] =
      benchmark::Counter(static_cast<double>(n) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["pages"] = run.report.EMFPages.Count();
  state.counters["peak MB"] = PeakMB();
}
BENCHMARK(BM_EnvelopesFromCsvList)
    ->ArgName("addresses")
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

// The check of 10,000 prepared envelopes (every page expanded, the name and
// address measured, the values read again from the list); the
// preparation is done once, outside the timing.
void BM_CheckEnvelopes(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::string list = List(n);
  EnvelopeRun run;
  auto& source = static_cast<TvlDataSource&>(run.form.InsertComponent(vlOpenDataSource(list, "Addresses_Source")));
  auto& dataset = run.form.Add<TvlDBDataSet>(kAddressDataset);
  dataset.SetDataSet(&source);
  TvlAddressBinding binding(run.report, dataset, vlMatchAddressColumns(source.FieldNames()));
  run.report.Prepare();
  std::size_t problems = 0;
  for (auto _ : state) problems = vlCheckEnvelopes(run.report, binding).size();
  state.counters["envelopes/s"] =
      benchmark::Counter(static_cast<double>(n) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["problems"] = static_cast<double>(problems);
}
BENCHMARK(BM_CheckEnvelopes)->ArgName("addresses")->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

std::string VlpOf(int n) {
  return (std::filesystem::temp_directory_path() / ("vl_bench_envelopes" + std::to_string(n) + ".vlp")).string();
}

void BM_EnvelopesToVlp(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const std::string list = List(n);
  EnvelopeRun run;
  for (auto _ : state) {
    run.Prepare(list);
    run.report.SavePreparedReport(VlpOf(n));
  }
  state.counters["pages"] = run.report.EMFPages.Count();
  state.counters["spilled MB"] = static_cast<double>(run.report.EMFPages.SpilledBytes()) / 1048576.0;
  state.counters["vlp MB"] = static_cast<double>(std::filesystem::file_size(VlpOf(n))) / 1048576.0;
  state.counters["peak MB"] = PeakMB();
}
// 10,000 and 100,000 by default; VL_BENCH_ENVELOPES adds counts (a comma
// list, for instance 300000,1000000) measured by hand, one per process.
void EnvelopeCounts(benchmark::internal::Benchmark* b) {
  b->Arg(10000)->Arg(100000);
  if (const char* more = std::getenv("VL_BENCH_ENVELOPES")) {
    std::stringstream list(more);
    for (std::string n; std::getline(list, n, ',');)
      if (!n.empty()) b->Arg(std::stoll(n));
  }
}
BENCHMARK(BM_EnvelopesToVlp)
    ->ArgName("addresses")
    ->Apply(EnvelopeCounts)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

// Hostile lists refused or read in one pass: a 10 MB one-line CSV, a vCard
// of 1.1 MB whose quoted-printable value joins 100,000 soft breaks after a
// 10 KB head, and a card of a million ADR lines.
std::string HostileText(int kind) {
  std::string t;
  if (kind == 0) return std::string(10u << 20, 'x');
  if (kind == 1) {
    t = "BEGIN:VCARD\nVERSION:2.1\nNOTE";
    for (int k = 0; k < 200; ++k) t += ";X-P=" + std::string(45, 'p');
    t += ";ENCODING=QUOTED-PRINTABLE:";
    for (int k = 0; k < 100000; ++k) t += "abcdefgh=\n";
    return t + "c\nEND:VCARD\n";
  }
  t = "BEGIN:VCARD\nVERSION:3.0\nFN:Ann\n";
  for (int k = 0; k < 1000000; ++k) t += "ADR:;;1 Elm St;Town;;12345;\n";
  return t + "END:VCARD\n";
}

void BM_HostileLists(benchmark::State& state) {
  const int kind = static_cast<int>(state.range(0));
  const std::string text = HostileText(kind);
  for (auto _ : state) {
    try {
      if (kind == 0) {
        TvlCsvDataSource csv;
        csv.OpenText(text, "hostile.csv");
      } else {
        TvlVCardDataSource vcf;
        vcf.OpenText(text, "hostile.vcf");
      }
    } catch (const TvlError&) {
      // refused, as it should be (the QP card is read)
    }
  }
  state.counters["MB"] = static_cast<double>(text.size()) / 1048576.0;
}
BENCHMARK(BM_HostileLists)->ArgName("csv0_qp1_adr2")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace
