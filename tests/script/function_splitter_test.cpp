#include "engine/script/function_splitter.h"

#include <gtest/gtest.h>

#include "engine/core/error.h"

namespace vl {
namespace {

using Calls = std::vector<std::string>;

Calls SplitWith(const std::string& text, const TvlVariables& vars = {}) {
  const std::vector<std::string> names{"SUM", "MAX", "AVG"};
  Calls out;
  TvlFunctionSplitter(names, out, vars).Split(text);
  return out;
}

TEST(FunctionSplitter, FindsListedCallsInnerBeforeOuter) {
  const struct { const char* text; Calls calls; } cases[] = {
      {"SUM([Price]) + MAX(AVG(x))", {"SUM([Price])", "AVG(x)", " MAX(AVG(x))"}},
      {"sum(a, 'x,y)', max(b))", {"max(b)", "sum(a, 'x,y)', max(b))"}},
      {"(SUM(a) * 2) / COUNT(MAX(b))", {"SUM(a)", "MAX(b)"}},
      {"[SUM(a)] + [x]", {"SUM(a)"}},
      // A text beginning with '[' is scanned for bracketed names only.
      {"[Qty] * SUM([Price])", {}},
      // A literal is not scanned; ']' , ',' or ')' where a name should start ends the scan.
      {"'SUM(a)'", {}},
      {"a ) SUM(b)", {}},
      {"", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitWith(c.text), c.calls) << c.text;
  EXPECT_THROW(SplitWith("SUM(a"), TvlError);
}

TEST(FunctionSplitter, ExpandsVariablesAndStopsAtSelfReference) {
  TvlVariables vars;
  vars.Set("Total", TvlValue("SUM([Price])"));
  vars.Set("Twice", TvlValue("Total * 2"));
  vars.Set("Loop", TvlValue("AVG(y) + Loop"));  // names itself: not followed again
  EXPECT_EQ(SplitWith("Twice + 1", vars), (Calls{"SUM([Price])"}));
  EXPECT_EQ(SplitWith("[total]", vars), (Calls{"SUM([Price])"}));
  EXPECT_EQ(SplitWith("[Loop]", vars), (Calls{"AVG(y)"}));
  EXPECT_EQ(SplitWith("MAX(Loop)", vars), (Calls{"AVG(y)", "MAX(Loop)"}));

  std::string deep = "x";
  for (int k = 0; k < TvlFunctionSplitter::kMaxNesting + 5; ++k) deep = "SUM(" + deep + ")";
  EXPECT_THROW(SplitWith(deep), TvlError);
}

}  // namespace
}  // namespace vl
