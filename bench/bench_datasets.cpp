// Walking 100,000 records of a SQLite table and of a CSV file, reading three
// fields per record through the dataset interface, against a bare loop over
// the same source's own API (sqlite3_step / a plain line split). Each run
// opens the source, walks it and closes it again.

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/data/csv_data_source.h"
#include "engine/data/db_dataset.h"
#include "engine/data/sqlite_data_source.h"

namespace {

constexpr int kRecords = 100000;

struct Files {
  std::string Db, Csv;
  Files() {
    const auto dir = std::filesystem::temp_directory_path() / ("vl_bench_datasets_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    Db = (dir / "people.db").string();
    Csv = (dir / "people.csv").string();
    std::filesystem::remove(Db);
    sqlite3* db = nullptr;
    sqlite3_open(Db.c_str(), &db);
    sqlite3_exec(db,
                 "CREATE TABLE people(name TEXT, street TEXT, city TEXT, zip INTEGER, note TEXT);"
                 "WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < 100000)"
                 " INSERT INTO people SELECT 'Person ' || i, i || ' Long Street', 'City ' || (i % 97),"
                 " 10000 + i % 9000, 'note' FROM k;",
                 nullptr, nullptr, nullptr);
    sqlite3_close(db);
    std::ofstream out(Csv, std::ios::binary);
    out << "name,street,city,zip,note\r\n";
    for (int i = 1; i <= kRecords; ++i)
      out << "Person " << i << ",\"" << i << " Long Street\",City " << i % 97 << "," << 10000 + i % 9000
          << ",note\r\n";
  }
  ~Files() { std::filesystem::remove_all(std::filesystem::path(Db).parent_path()); }
};

const Files& TheFiles() {
  static Files files;
  return files;
}

void SQLiteBareLoop(benchmark::State& state) {
  const Files& f = TheFiles();
  for (auto _ : state) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(f.Db.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "SELECT * FROM people", -1, &stmt, nullptr);
    std::size_t sum = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
      sum += static_cast<std::size_t>(sqlite3_column_bytes(stmt, 0));
      sum += std::strlen(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 2)));
      sum += static_cast<std::size_t>(sqlite3_column_int(stmt, 3));
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}

// Opens, walks and closes through a TvlDBDataSet, as a data band does.
void WalkDataset(benchmark::State& state, vl::TvlDataSource& source) {
  vl::TvlDBDataSet ds("People");
  ds.SetDataSet(&source);
  ds.CloseDataSource = true;
  vl::TvlValue name, city, zip;
  for (auto _ : state) {
    ds.Init();
    const int fName = source.FieldIndex("name"), fCity = source.FieldIndex("city"),
              fZip = source.FieldIndex("zip");
    std::size_t sum = 0;
    for (ds.First(); !ds.Eof(); ds.Next()) {
      vl::vlFieldValue(source, fName, name);
      vl::vlFieldValue(source, fCity, city);
      vl::vlFieldValue(source, fZip, zip);
      sum += name.Str().size() + city.Str().size() + (zip.IsString() ? zip.Str().size() : 1);
    }
    ds.Exit();
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}

void SQLiteDataset(benchmark::State& state) {
  vl::TvlSQLiteDataSource source;
  source.FileName = TheFiles().Db;
  source.TableName = "people";
  WalkDataset(state, source);
}

void CsvBareLoop(benchmark::State& state) {
  const Files& f = TheFiles();
  for (auto _ : state) {
    std::ifstream in(f.Csv, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::size_t sum = 0;
    const char* p = text.data();
    const char* end = p + text.size();
    p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p))) + 1;  // header
    while (p < end) {
      const char* eol = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
      if (!eol) eol = end;
      int field = 0;
      const char* start = p;
      for (const char* q = p; q <= eol && field < 4; ++q) {
        if (q == eol || *q == ',') {
          if (field == 0 || field == 2 || field == 3) sum += static_cast<std::size_t>(q - start);
          ++field;
          start = q + 1;
        }
      }
      p = eol + 1;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}

void CsvDataset(benchmark::State& state) {
  vl::TvlCsvDataSource source;
  source.FileName = TheFiles().Csv;
  WalkDataset(state, source);
}

BENCHMARK(SQLiteBareLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(SQLiteDataset)->Unit(benchmark::kMillisecond);
BENCHMARK(CsvBareLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(CsvDataset)->Unit(benchmark::kMillisecond);

}  // namespace
