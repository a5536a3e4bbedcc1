// The expression evaluator: a bracket expression evaluated from its text, and
// a stored condition evaluated from its postfix form with names answered by a
// trivial handler. "allocs" counts heap allocations per evaluation.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <new>

#include "engine/script/parser.h"

namespace {

std::size_t gAllocations = 0;

}  // namespace

// Counting replacements of the global allocation functions. GCC cannot see
// that the replaced new and delete match.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  ++gAllocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using vl::TvlParser;
using vl::TvlValue;

TvlParser MakeParser() {
  TvlParser parser;
  parser.OnGetValue = [](std::string_view name, TvlValue& v) {
    v = TvlValue(static_cast<std::int32_t>(name.size()));
  };
  parser.OnFunction = [](std::string_view, const TvlValue&, const TvlValue&, const TvlValue&,
                         TvlValue& v) { v = TvlValue(1); };
  return parser;
}

void Run(benchmark::State& state, TvlParser& parser, const std::string& text, bool postfix) {
  const std::size_t before = gAllocations;
  for (auto _ : state) {
    TvlValue v = postfix ? parser.EvaluatePostfix(text) : parser.Evaluate(text);
    benchmark::DoNotOptimize(v);
  }
  state.counters["allocs"] = benchmark::Counter(static_cast<double>(gAllocations - before),
                                                benchmark::Counter::kAvgIterations);
}

void BM_EvaluatePostfixCondition(benchmark::State& state) {
  TvlParser parser = MakeParser();
  Run(state, parser, parser.ToPostfix("([a] = 1) or ([b] > 2)"), true);
}
BENCHMARK(BM_EvaluatePostfixCondition);

void BM_EvaluatePostfixPlainNames(benchmark::State& state) {
  TvlParser parser = MakeParser();
  Run(state, parser, parser.ToPostfix("(Qty * Price > 100) and (Discount <> 0)"), true);
}
BENCHMARK(BM_EvaluatePostfixPlainNames);

void BM_EvaluateBracketExpression(benchmark::State& state) {
  TvlParser parser = MakeParser();
  Run(state, parser, "[Qty] * [Price] + 1.5", false);
}
BENCHMARK(BM_EvaluateBracketExpression);

void BM_EvaluateWithStringsAndCall(benchmark::State& state) {
  TvlParser parser = MakeParser();
  Run(state, parser, "IF([Qty] > 2, 'Dear ' + COPY('Mr Smith', 4, 5), STR [Price])", false);
}
BENCHMARK(BM_EvaluateWithStringsAndCall);

}  // namespace
