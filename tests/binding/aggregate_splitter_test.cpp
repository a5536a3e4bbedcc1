// Finding the aggregate calls of a band: in memo brackets, in dictionary
// variables and in compiled scripts; and what page formation does with the
// texts found: evaluate each once as a postfix text.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/core/engine_state.h"
#include "engine/core/value_convert.h"
#include "engine/model/report.h"
#include "engine/binding/aggregate_splitter.h"
#include "engine/binding/run_access.h"
#include "engine/binding/standard_library.h"
#include "engine/script/interpreter.h"
#include "engine/script/parser.h"

namespace vl {
namespace {

using Calls = std::vector<std::string>;

class AggregateSplitter : public ::testing::Test {
 protected:
  void SetUp() override {
    report.Dictionary.Variables.Set(" Totals", "");
    report.Dictionary.Variables.Set("GrandTotal", "SUM([Amount], MasterData1)");
    report.Dictionary.Variables.Set("Plain", "[Amount] * 2");
    report.Dictionary.Variables.Set("Multi", "1 +\r\nAVG(w)");
    savedReport = vlState().CurReport;
    vlState().CurReport = &report;
  }
  void TearDown() override { vlState().CurReport = savedReport; }

  Calls Memo(const std::vector<std::string>& lines) {
    Calls out;
    TAggregateFunctionsSplitter(out).FindInMemo(lines);
    return out;
  }
  Calls Script(const std::vector<std::string>& source) {
    std::vector<std::string> compiled, errors;
    TvlInterpretator().Compile(source, compiled, errors);
    EXPECT_TRUE(errors.empty()) << (errors.empty() ? "" : errors[0]);
    Calls out;
    TAggregateFunctionsSplitter(out).FindInScript(compiled);
    return out;
  }

  TvlReport report;
  TvlReport* savedReport = nullptr;
};

TEST_F(AggregateSplitter, FindsCallsInMemoBrackets) {
  EXPECT_EQ(Memo({"Total: [SUM([Amount]) #N2,2] of [COUNT(MasterData1, 1)] rows",
                  "[Name] [MAX(AVG( [x] ))] [Sum(y) + min(z)]",
                  "no brackets SUM(a)", "['SUM(a)'] [LENGTH('[x]')] [1 + SUM([b])"}),
            (Calls{"SUM([Amount])", "COUNT(MasterData1, 1)", "AVG( [x] )", "MAX(AVG( [x] ))", "Sum(y)", "min(z)",
                   "SUM([b])"}));
  // A bracket that begins with a bracketed name is searched for names only.
  EXPECT_EQ(Memo({"[[Qty] * SUM([Price])]"}), Calls{});
  EXPECT_EQ(Memo({}), Calls{});
}

TEST_F(AggregateSplitter, FollowsDictionaryVariables) {
  EXPECT_EQ(Memo({"[GrandTotal]", "[grandtotal * 2] [Plain]"}),
            (Calls{"SUM([Amount], MasterData1)", "SUM([Amount], MasterData1)"}));
  EXPECT_EQ(Script({"t := GrandTotal + 1"}), (Calls{"SUM([Amount], MasterData1)"}));
  vlState().CurReport = nullptr;  // no report: no variables to follow
  EXPECT_EQ(Memo({"[GrandTotal]"}), Calls{});
}

TEST_F(AggregateSplitter, FindsCallsInCompiledScriptsWithNothingBeforeTheName) {
  const Calls calls = Script({"begin", "if (a >= b) + SUM(x) > 0 then", "  t := 1 -", "MIN([y], Band1, 1)",
                              "else SHOWBAND(COUNT(Band1));", "while a < AVG(z) do a := a + 1", "end"});
  EXPECT_EQ(calls, (Calls{"SUM(x)", "MIN([y], Band1, 1)", "COUNT(Band1)", "AVG(z)"}));
  EXPECT_EQ(Script({}), Calls{});
}

// Page formation evaluates each text found once with the shared evaluator's
// EvaluatePostfix: every text is its own postfix form and reaches the
// aggregate with its arguments exactly as written.
TEST_F(AggregateSplitter, EachCallFoundIsItsOwnPostfixForm) {
  struct Recorder : TvlRunAccess {
    std::vector<std::string> seen;
    void Aggregate(int code, const TvlValue& p1, const TvlValue& p2, const TvlValue& p3, TvlValue&) override {
      seen.push_back(std::to_string(code) + "|" + p1.Str() + "|" + p2.Str() + "|" + p3.Str());
    }
  } run;
  ASSERT_TRUE(vlRegisterFunctionLibrary<TvlStdFunctionLibrary>());
  TvlParser parser;
  parser.OnFunction = [](std::string_view name, const TvlValue& p1, const TvlValue& p2, const TvlValue& p3,
                         TvlValue& val) { vlOfferCallToLibraries(name, p1, p2, p3, val); };
  vlSetRunAccess(&run);

  Calls calls = Script({"if (a >= b) + SUM(x) > 0 then t := -MIN( [y] , Band1, 1)"});
  const Calls memo = Memo({"[Multi]", "[GrandTotal]", "[-Count(Band1)]"});
  calls.insert(calls.end(), memo.begin(), memo.end());
  for (const std::string& call : calls) parser.EvaluatePostfix(call);
  // Found after an operator code or a line break; kept in front of the name
  // they would be read as operators with nothing to act on.
  EXPECT_EQ(calls[0], "SUM(x)");
  EXPECT_EQ(calls[2], "AVG(w)");
  EXPECT_EQ(run.seen, (std::vector<std::string>{"11|x||", "12| [y] | Band1| 1", "14|w||",
                                                "11|[Amount]| MasterData1|", "15|Band1||"}));

  vlSetRunAccess(nullptr);
  vlUnregisterFunctionLibrary(TvlStdFunctionLibrary::kClassName);
}

}  // namespace
}  // namespace vl
