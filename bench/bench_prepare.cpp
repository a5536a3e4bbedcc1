// Preparing reports: an A4 list (page header and footer, a master data band
// with five text views) over CSV and SQLite, 10,000 and 100,000 records,
// with and without stretching; and 10,000 envelopes (five address fields,
// one envelope per record of a multiple report). Reported per run: records
// per second, bytes per prepared page and the process's peak memory.

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "engine/data/components.h"
#include "engine/data/csv_data_source.h"
#include "engine/data/db_dataset.h"
#include "engine/data/sqlite_data_source.h"
#include "engine/formation/formation.h"
#include "engine/model/deflate_compressor.h"
#include "engine/model/report.h"
#include "engine/model/views.h"
#include "engine/binding/globals.h"
#include "bench/bench_reports.h"

namespace {

using namespace vl;
using namespace vl::bench;

constexpr int kMaxRecords = 100000;

struct Files {
  std::string Db, Csv;
  Files() {
    const auto dir = std::filesystem::temp_directory_path() / ("vl_bench_prepare_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    Db = (dir / "people.db").string();
    Csv = (dir / "people.csv").string();
    std::filesystem::remove(Db);
    sqlite3* db = nullptr;
    sqlite3_open(Db.c_str(), &db);
    sqlite3_exec(db,
                 "CREATE TABLE people(name TEXT, street TEXT, city TEXT, zip TEXT, country TEXT);"
                 "WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < 100000)"
                 " INSERT INTO people SELECT 'Person ' || i, i || ' Long Street', 'City ' || (i % 97),"
                 " 10000 + i % 9000, 'Country' FROM k;",
                 nullptr, nullptr, nullptr);
    sqlite3_close(db);
    vl::bench::WritePeopleCsv(Csv, kMaxRecords);
  }
  ~Files() {
    std::error_code ec;
    std::filesystem::remove_all(std::filesystem::path(Db).parent_path(), ec);
  }
};

Files& TheFiles() {
  static Files files;
  return files;
}

TvlGlobals& Globals() {
  static TvlGlobals globals;
  return globals;
}

// The host form with the dataset "People" over the chosen source, limited to n records.
struct Host {
  TvlForm Form{"BenchForm"};
  TvlDBDataSet* People = nullptr;
  Host(bool sqlite, int n) {
    TvlDataSource* source = nullptr;
    if (sqlite) {
      auto& s = Form.Add<TvlSQLiteDataSource>("PeopleSource");
      s.FileName = TheFiles().Db;
      s.SQL = "SELECT * FROM people LIMIT " + std::to_string(n);
      source = &s;
    } else {
      auto& s = Form.Add<TvlCsvDataSource>("PeopleSource");
      s.FileName = TheFiles().Csv;
      source = &s;
    }
    People = &Form.Add<TvlDBDataSet>("People");
    People->SetDataSet(source);
    People->RangeEnd = reCount;  // the CSV file holds 100,000 records
    People->RangeEndCount = n;
  }
};

void Report(benchmark::State& state, TvlReport& report, int records) {
  state.counters["records/s"] = benchmark::Counter(static_cast<double>(records) * static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate);
  std::size_t bytes = 0;
  for (int i = 0; i < report.EMFPages.Count(); ++i) bytes += report.EMFPages.StreamBytes(i).size();
  state.counters["pages"] = report.EMFPages.Count();
  state.counters["bytes/page"] = report.EMFPages.Count() ? static_cast<double>(bytes) / report.EMFPages.Count() : 0;
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Arguments: records, SQLite (1) or CSV (0), stretched (1) or not (0).
void BM_ListReport(benchmark::State& state) {
  Globals();
  const int n = static_cast<int>(state.range(0));
  const bool sqlite = state.range(1) != 0, stretched = state.range(2) != 0;
  Host host(sqlite, n);
  TvlReport report;
  report.Owner = &host.Form;
  report.ShowProgress = false;
  AddListPage(report, stretched);
  for (auto _ : state) {
    report.Prepare();
    benchmark::DoNotOptimize(report.EMFPages.Count());
  }
  Report(state, report, n);
}
BENCHMARK(BM_ListReport)
    ->ArgNames({"records", "sqlite", "stretched"})
    ->Args({10000, 0, 0})
    ->Args({10000, 1, 0})
    ->Args({10000, 0, 1})
    ->Args({10000, 1, 1})
    ->Args({100000, 0, 0})
    ->Args({100000, 1, 0})
    ->Args({100000, 0, 1})
    ->Args({100000, 1, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(1);

// The A4 list prepared into a prepared-report file, pages compressed as the
// programs install it: records per second for preparing and saving, bytes
// per page in the file. Arguments: records, compressed (1) or not (0).
void BM_ListToVlp(benchmark::State& state) {
  Globals();
  const int n = static_cast<int>(state.range(0));
  const bool compressed = state.range(1) != 0;
  if (compressed) vlInstallDeflateCompressor();
  Host host(false, n);
  TvlReport report;
  report.Owner = &host.Form;
  report.ShowProgress = false;
  AddListPage(report);
  const std::string file = (std::filesystem::path(TheFiles().Csv).parent_path() / "list.vlp").string();
  for (auto _ : state) {
    report.Prepare();
    report.SavePreparedReport(file);
  }
  Report(state, report, n);
  const auto size = std::filesystem::file_size(file);
  state.counters["file bytes/page"] =
      report.EMFPages.Count() ? static_cast<double>(size) / report.EMFPages.Count() : 0;
  vlInstallCompressor(nullptr);
}
BENCHMARK(BM_ListToVlp)
    ->ArgNames({"records", "compressed"})
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(1);

// 10,000 envelopes: the whole report once per record.
void BM_Envelopes(benchmark::State& state) {
  Globals();
  const int n = 10000;
  Host host(false, n);
  TvlReport report;
  report.Owner = &host.Form;
  report.ShowProgress = false;
  report.ReportType = rtMultiple;
  report.Dataset = host.People;
  TvlPage& page = AddEnvelopePage(report);
  for (int k = 0; k < 5; ++k) AddMemo(page, "Line" + std::to_string(k), 300, 200 + 20 * k, 300, PeopleField(k));
  for (auto _ : state) {
    report.Prepare();
    benchmark::DoNotOptimize(report.EMFPages.Count());
  }
  Report(state, report, n);
}
BENCHMARK(BM_Envelopes)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(1);

}  // namespace
