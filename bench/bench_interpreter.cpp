// Scripts run for every printed record: a 200-line script is compiled once
// and then run many times against a table of names. Running walks the
// compiled lines and evaluates their postfix texts; it never parses source.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "engine/script/table_interpretator.h"

namespace {

using Lines = std::vector<std::string>;

// 200 source lines: assignments with arithmetic, string joins, conditions,
// a WHILE that runs a few rounds and a FOR at the end.
Lines BenchScript() {
  Lines s{"begin", "  Total := 0; Count := 0; Steps := 0;"};
  for (int k = 0; s.size() < 196; ++k) {
    const std::string n = std::to_string(k);
    switch (k % 4) {
      case 0: s.push_back("  V" + n + " := (Qty * Price + " + n + ") / 2;"); break;
      case 1: s.push_back("  if Qty > " + std::to_string(k % 20) + " then Total := Total + Price else Count := Count + 1;"); break;
      case 2: s.push_back("  Label" + n + " := Name + ' ' + City;"); break;
      default: s.push_back("  if (Qty > 3) and (Price < 100) then Count := Count + 1; { a comment }"); break;
    }
  }
  s.push_back("  while Steps < 3 do Steps := Steps + 1;");
  s.push_back("  for i := 1 to 5 do");
  s.push_back("    Total := Total + i");
  s.push_back("end");
  return s;
}

struct TableHost : vl::TvlTableInterpretator {
  TableHost() {
    RecordAssigned = false;
    Variables.SetSorted(true);
    Variables.Set("Qty", vl::TvlValue(12));
    Variables.Set("Price", vl::TvlValue(19.5));
    Variables.Set("Name", vl::TvlValue("Ann Smith"));
    Variables.Set("City", vl::TvlValue("Leeds"));
  }
};

void BM_CompileScript200Lines(benchmark::State& state) {
  const Lines source = BenchScript();
  TableHost host;
  Lines compiled, errors;
  for (auto _ : state) {
    host.Compile(source, compiled, errors);
    benchmark::DoNotOptimize(compiled.data());
  }
  if (!errors.empty()) state.SkipWithError(errors[0].c_str());
  state.counters["lines"] = static_cast<double>(compiled.size());
}
BENCHMARK(BM_CompileScript200Lines)->Unit(benchmark::kMicrosecond);

void BM_RunScript200Lines(benchmark::State& state) {
  TableHost host;
  Lines compiled, errors;
  host.Compile(BenchScript(), compiled, errors);
  if (!errors.empty()) {
    state.SkipWithError(errors[0].c_str());
    return;
  }
  for (auto _ : state) host.Run(compiled);
  state.counters["lines"] = static_cast<double>(compiled.size());
}
BENCHMARK(BM_RunScript200Lines)->Iterations(100000)->Unit(benchmark::kMicrosecond);

}  // namespace
