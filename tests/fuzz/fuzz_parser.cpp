// Any text through the evaluator: conversion to postfix, evaluation (handlers
// that nest evaluations as the report's do), the postfix text evaluated as a
// stored form, and the function splitter. Errors are TvlError; nothing may
// crash, hang or touch memory outside the value stack.

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/core/error.h"
#include "engine/core/variables.h"
#include "engine/script/function_splitter.h"
#include "engine/script/parser.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

void Guarded(void (*f)(const std::string&), const std::string& text) {
  try {
    f(text);
  } catch (const vl::TvlError&) {
  }
}

vl::TvlParser& Parser() {
  static vl::TvlParser parser = [] {
    vl::TvlParser p;
    p.OnGetValue = [](std::string_view name, vl::TvlValue& v) {
      // Short names evaluate their own text, as the report does for a name
      // it cannot resolve otherwise; the nesting limit stops self-reference.
      if (name.size() <= 1) v = vl::TvlValue(7);
      else if (name.size() < 6) v = Parser().Evaluate(std::string(name.substr(1)));
      else v = vl::TvlValue(std::string(name));
    };
    p.OnFunction = [](std::string_view, const vl::TvlValue& p1, const vl::TvlValue& p2,
                      const vl::TvlValue&, vl::TvlValue& v) {
      v = Parser().Evaluate(p1.Str());
      vl::TvlValue w = Parser().Evaluate(p2.Str());
      if (!w.IsNull()) v = w;
    };
    return p;
  }();
  return parser;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool seeded = [] {
    vl::fuzz::WriteSeedsIfAsked({
        "([a] = 1) or ([b] > 2)", "a = 1 or b = 2", "2*-3", "'It''s' + STR 5", "IF(1 > 0, 'yes', XYZ)",
        "COPY('abcdef', 2, 3)", "Arr[2] + Sum(x, (y), 'a,)b')", "INT(2.99999999999) MOD 2 AND NOT 0",
        "STRTODATE('25.12.2020') - 1", "%ab + [x[1]] <> Table.\"Field name\"", "1,5 + 1.5; junk",
    });
    return true;
  }();
  (void)seeded;
  const std::string text(reinterpret_cast<const char*>(data), size);
  Guarded([](const std::string& t) { Parser().Evaluate(t); }, text);
  Guarded([](const std::string& t) { Parser().EvaluatePostfix(t); }, text);
  Guarded([](const std::string& t) { Parser().EvaluatePostfix(Parser().ToPostfix(t)); }, text);
  Guarded(
      [](const std::string& t) {
        static const std::vector<std::string> names{"SUM", "MAX", "AVG"};
        vl::TvlVariables vars;
        vars.Set("V", vl::TvlValue(t.substr(0, t.size() / 2)));
        std::vector<std::string> out;
        vl::TvlFunctionSplitter(names, out, vars).Split(t);
      },
      text);
  return 0;
}
