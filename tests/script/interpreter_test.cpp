#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "engine/core/error.h"
#include "engine/core/text.h"
#include "engine/core/value_convert.h"
#include "engine/script/interpreter.h"
#include "engine/script/script_compiler.h"
#include "engine/script/table_interpretator.h"

namespace vl {
namespace {

using Lines = std::vector<std::string>;

Lines Errors(const Lines& source) {
  TvlTableInterpretator in;
  Lines out, errors;
  in.Compile(source, out, errors);
  return errors;
}

// Compiles without errors and runs once; the variables are read back as text.
struct Host : TvlTableInterpretator {
  Host() { SetStepLimit(100000); }  // a faulty loop fails the test instead of hanging it
  void Load(const Lines& source) {
    Lines errors;
    Compile(source, compiled, errors);
    ASSERT_EQ(errors, Lines{}) << vlJoinLines(source);
  }
  void Script(const Lines& source) {
    Load(source);
    Run(compiled);
  }
  std::string Text(const std::string& name) const {
    const TvlValue* v = Variables.Find(name);
    return v ? vlValueToText(*v) : "<absent>";
  }
  Lines compiled;
};

// Every kind of syntax error, with the line and column of the word where it
// was found (columns count the source as written, comments included).
TEST(InterpreterCompile, SyntaxErrorsGiveLineColumnAndExactText) {
  struct Case {
    Lines source;
    std::string error;
  };
  const Case cases[] = {
      {{"begin a := 1"}, "Line 1/13: Need \";\" or \"end\" here"},
      {{"begin a := 1 b := 2 end"}, "Line 1/14: Need \";\" or \"end\" here"},
      {{"if a > 1 and b < 2 then c := 1"}, "Line 1/16: Need \"then\" here"},
      {{"repeat i := i + 1 i := 2 until i > 5"}, "Line 1/19: Need \";\" or \"until\" here"},
      {{"while i < 3 i := 1"}, "Line 1/13: Need \"do\" here"},
      {{"for i := 1 to 3 s := 1"}, "Line 1/17: Need \"do\" here"},
      {{"for i := 1 3 do s := 1"}, "Line 1/12: Need \"to\" here"},
      {{"goto x"}, "Line 1/6: \"goto\" label must be a number"},
      {{"begin", "  a = 1", "end"}, "Line 2/5: Need \":=\" here"},
      {{"x := (1 + 2"}, "Line 1/12: Need \")\" here"},
      {{"x := A[1 + 2;"}, "Line 1/13: Need \"]\" here"},
      {{"x := [Page#"}, "Line 1/12: Need \"]\" here"},
      {{"x := COPY('abc', 1 2)"}, "Line 1/20: Need \",\" or \")\" here"},
      // Shapes the classic compiler let through silently.
      {{"x := 1 +"}, "Line 1/9: Need an operand here"},
      {{"begin x := 1 *", "end"}, "Line 2/1: Need an operand here"},
      {{"x := 'abc"}, "Line 1/6: Unterminated string"},
      {{"x := 1.5 + 2."}, "Line 1/12: Malformed number"},
      {{"for 1 := 1 to 2 do"}, "Line 1/5: Need a variable here"},
      // Comments are cut out but positions still refer to the text as written.
      {{"begin a := 1; {a comment} b := ; end"}, "Line 1/32: Need an operand here"},
      {{"begin // first", "  { two", "    lines } a := 1 b", "end"}, "Line 3/20: Need \";\" or \"end\" here"},
      {{"begin a := 'x{y}' {z} q end"}, "Line 1/23: Need \";\" or \"end\" here"},
  };
  for (const Case& c : cases) EXPECT_EQ(Errors(c.source), Lines{c.error}) << vlJoinLines(c.source);
}

TEST(InterpreterCompile, CorrectScriptsHaveNoErrors) {
  const Lines ok[] = {
      {"a := 1; b := 2 ) junk"},  // only the first statement counts
      {"begin a := 1; b := 2; end"},
      {"begin NEWPAGE end"},
      {"begin NEWPAGE;end"},
      {"if (a > 1) and (b < 2) then c := 1"},
      {"if (a>1)then c:=1 else c:=2"},
      {"repeat NEXTONE until(i>5)"},
      {"begin x := [Page#] + Page# + DS.\"Field name\" + f(); ; ; end"},
      {"begin if a then else b := 1; exit end"},
      {"begin end"},
      {"   "},
      {},
  };
  for (const Lines& source : ok) EXPECT_EQ(Errors(source), Lines{}) << vlJoinLines(source);
}

TEST(InterpreterCompile, LinesHaveTheDocumentedForm) {
  TvlTableInterpretator in;
  Lines lines{"begin NEWPAGE; A[2] := 7; x := 1 + 2 * y; if x then goto 10; 10: end"};
  Lines errors;
  in.Compile(lines, lines, errors);  // in place
  ASSERT_EQ(errors, Lines{});
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], "\x03NEWPAGE(0)");
  EXPECT_EQ(lines[1], "\x03SETARRAY(A, 2, 7)");
  EXPECT_EQ(lines[2], "x " + in.Parser().ToPostfix("1 + 2 * y"));
  EXPECT_EQ(lines[3], std::string("\x01\x05\x00", 3) + in.Parser().ToPostfix("x"));
  EXPECT_EQ(lines[4], std::string("\x02\x05\x00", 3));
}

// Scripts and the variables they leave; the table starts with s = 0 and i = 0.
TEST(InterpreterRun, ScriptsLeaveTheExpectedVariables) {
  struct Case {
    Lines source;
    std::vector<std::pair<std::string, std::string>> expect;
  };
  const Case cases[] = {
      {{"a := 1; b := 2"}, {{"a", "1"}, {"b", "<absent>"}}},
      {{"begin a := 1; b := a + 1 end"}, {{"a", "1"}, {"b", "2"}}},
      // IF / ELSE, nested, with the dangling ELSE on the inner IF
      {{"begin a := 5;",
        "  if a > 3 then if a > 10 then r := 'big' else r := 'mid' else r := 'small';",
        "  if a < 3 then q := 1 else begin q := 2; q := q * 10 end",
        "end"},
       {{"r", "mid"}, {"q", "20"}}},
      {{"begin if 0 then a := 1; if 'x' = 'x' then b := 1 end"}, {{"a", "<absent>"}, {"b", "1"}}},
      // WHILE, REPEAT, FOR
      {{"while i < 4 do begin i := i + 1; s := s + i end"}, {{"i", "4"}, {"s", "10"}}},
      {{"while i > 0 do i := 1"}, {{"i", "0"}}},
      {{"repeat i := i + 1 until i > 5"}, {{"i", "6"}}},
      {{"begin repeat i := i + 1; s := s + 2; until i = 3 end"}, {{"s", "6"}}},
      {{"for i := 1 to 3 do s := s + i"}, {{"s", "6"}, {"i", "4"}}},
      {{"for i := 5 to 3 do s := 99"}, {{"s", "0"}, {"i", "5"}}},
      {{"begin n := 3; for i := 1 to n do begin n := 5; s := s + 1 end end"}, {{"s", "5"}}},
      // GOTO through a label, backwards and forwards
      {{"begin 10: i := i + 1; if i < 5 then goto 10 end"}, {{"i", "5"}}},
      {{"begin goto 7; s := 1; 7: i := 2 end"}, {{"s", "0"}, {"i", "2"}}},
      // EXIT ends the run
      {{"begin i := 1; exit; i := 2 end"}, {{"i", "1"}}},
      {{"begin i := 1; EXIT(0); i := 2 end"}, {{"i", "1"}}},
      // arrays: elements are Arr_ entries, the index is taken as an integer
      {{"begin A[1] := 5; A[2.0] := A[1] + 1; A['k'] := 'v'; x := A[2] end"},
       {{"Arr_A_1", "5"}, {"Arr_A_2", "6"}, {"Arr_A_k", "v"}, {"x", "6"}}},
      {{"for B[1] := 1 to 3 do s := s + B[1]"}, {{"s", "6"}, {"Arr_B_1", "4"}}},
      // comments of both kinds, including inside what would be one word
      {{"begin // counting", "  i := 2{two}*3; { the", "  rest } s := i end"}, {{"i", "6"}, {"s", "6"}}},
      {{"begin x := 'a{b}c' + '//' end"}, {{"x", "a{b}c//"}}},
      // a keyword glued to its condition; IF with arguments stays the evaluator's IF
      {{"begin if(i=0)then s := 1 else s := 2; while(i<3)do i := i + 1 end"}, {{"s", "1"}, {"i", "3"}}},
      {{"begin IF(1 > 0, INC(i), DEC(i)); IF(0, INC(s), DEC(s)) end"}, {{"i", "1"}, {"s", "-1"}}},
      // INC and DEC of the table
      {{"begin INC(i); INC(i); DEC(s) end"}, {{"i", "2"}, {"s", "-1"}}},
  };
  for (const Case& c : cases) {
    Host h;
    h.Variables.Set("s", TvlValue(0));
    h.Variables.Set("i", TvlValue(0));
    h.Script(c.source);
    for (const auto& [name, value] : c.expect) EXPECT_EQ(h.Text(name), value) << vlJoinLines(c.source) << " / " << name;
  }
}

// The FOR bound is evaluated before every round, the test four times for
// three rounds; a name read counts every evaluation.
TEST(InterpreterRun, ForEvaluatesItsBoundBeforeEveryRound) {
  struct Counting : Host {
    int reads = 0;
    void ReadValue(std::string_view name, TvlValue& value) override {
      if (name == "LAST") ++reads;
      Host::ReadValue(name, value);
    }
  } h;
  h.Variables.Set("last", TvlValue(3));
  h.Variables.Set("s", TvlValue(0));
  h.Script({"for i := 1 to last do s := s + i"});
  EXPECT_EQ(h.reads, 4);
  EXPECT_EQ(h.Text("i"), "4");
  EXPECT_EQ(h.Assigned, (Lines{"i", "s"}));
}

TEST(InterpreterRun, RunErrorsEndTheRunWithAClearMessage) {
  Host h;
  h.Load({"begin i := 1; goto 99; i := 2 end"});  // compiles: labels are looked up late
  try {
    h.Run(h.compiled);
    FAIL();
  } catch (const TvlError& e) {
    EXPECT_STREQ(e.what(), "Undefined label \"99\"");
  }
  EXPECT_EQ(h.Text("i"), "1");
  // A two-digit undefined label is not mistaken for target bytes.
  h.Load({"begin i := 1; 12: goto 13 end"});
  EXPECT_THROW(h.Run(h.compiled), TvlError);

  Host loop;
  loop.SetStepLimit(1000);
  loop.Load({"begin 1: i := 1; goto 1 end"});
  try {
    loop.Run(loop.compiled);
    FAIL();
  } catch (const TvlError& e) {
    EXPECT_STREQ(e.what(), "Script stopped after 1000 steps");
  }

  Host undefined;
  undefined.Load({"x := y + 1"});
  EXPECT_THROW(undefined.Run(undefined.compiled), TvlError);

  // Damaged lines handed to Run fail cleanly instead of reading past their end.
  EXPECT_THROW(h.Run({"\x01"}), TvlError);
  EXPECT_THROW(h.Run({std::string("\x02\x01", 2)}), TvlError);
  h.Run({"", std::string("\x02\xFF\xFF", 3)});  // a jump past the end ends the run
}

TEST(InterpreterRun, ARunBudgetIsSharedByEveryRunAndKeepsTime) {
  // Each run is short; the budget counts them together.
  Host h;
  h.Load({"begin i := 0; while i < 10 do i := i + 1 end"});
  TvlRunBudget steps(100, std::chrono::milliseconds(0));
  steps.Owner = [] { return std::string("Memo1"); };
  h.SetRunBudget(&steps);
  int runs = 0;
  try {
    for (; runs < 100; ++runs) h.Run(h.compiled);
    FAIL();
  } catch (const TvlError& e) {
    EXPECT_STREQ(e.what(), "Preparation stopped after 100 script steps (object \"Memo1\")");
  }
  EXPECT_GT(runs, 1);
  EXPECT_LT(runs, 10);

  // The clock, read every so many steps, moves a second at every look.
  auto now = std::chrono::steady_clock::time_point{};
  TvlRunBudget time(0, std::chrono::seconds(3), [&now] { return now += std::chrono::seconds(1); });
  time.What = "Script";
  Host endless;
  endless.SetStepLimit(0);
  endless.Load({"begin while 1 do x := 1 end"});
  endless.SetRunBudget(&time);
  try {
    endless.Run(endless.compiled);
    FAIL();
  } catch (const TvlError& e) {
    EXPECT_STREQ(e.what(), "Script stopped after 3 seconds");
  }
  EXPECT_LE(time.Spent(), 4 * TvlRunBudget::kClockInterval);
}

TEST(InterpreterRun, FillingALargeArrayKeepsEveryElement) {
  Host h;
  h.SetStepLimit(0);
  h.RecordAssigned = false;
  h.Script({"begin for i := 1 to 20000 do A[i] := i * 2 end"});
  EXPECT_EQ(h.Text("Arr_A_1"), "2");
  EXPECT_EQ(h.Text("Arr_A_20000"), "40000");
  EXPECT_EQ(h.Variables.Count(), 20001);  // the elements and i
}

TEST(InterpreterRun, TheBaseResolvesNothing) {
  TvlInterpretator in;
  Lines compiled, errors;
  in.Compile({"begin x := y + 1; f(1, 2); if z then w := 1 end"}, compiled, errors);
  ASSERT_EQ(errors, Lines{});
  in.Run(compiled);  // reads are null, calls and assignments do nothing
}

// After an error the lines produced so far stay; a jump the error left open
// points at the end, so running them is safe.
TEST(InterpreterCompile, PartialOutputRunsSafely) {
  Host h;
  Lines errors;
  h.Compile({"begin i := 1; if i then begin i := 2; i := ) end end"}, h.compiled, errors);
  ASSERT_EQ(errors.size(), 1u);
  ASSERT_EQ(h.compiled.size(), 3u);
  h.Run(h.compiled);
  EXPECT_EQ(h.Text("i"), "2");
}

TEST(InterpreterCompile, LimitsGiveMessagesInsteadOfOverflowing) {
  // Text longer than 32000 characters (line breaks count).
  Lines longText{"begin", std::string(31990, ' ') + "x := 1", "end"};
  EXPECT_EQ(Errors(longText), Lines{"Line 2/31995: Script is longer than 32000 characters"});

  // 101 labels are fine, the 102nd is not.
  std::string labels = "begin ";
  for (int k = 1; k <= 101; ++k) labels += std::to_string(k) + ": ;";
  EXPECT_EQ(Errors({labels + " end"}), Lines{});
  EXPECT_EQ(Errors({labels + " 102: end"}), Lines{"Line 1/" + std::to_string(labels.size() + 2) +
                                                    ": Too many labels (at most 101)"});

  // Labels of 15 digits work; 16 digits are refused at the label and at the goto.
  Host h;
  h.Variables.Set("i", TvlValue(0));
  h.Script({"begin 123456789012345: i := i + 1; if i < 3 then goto 123456789012345 end"});
  EXPECT_EQ(h.Text("i"), "3");
  EXPECT_EQ(Errors({"begin 1234567890123456: end"}), Lines{"Line 1/7: Label is longer than 15 digits"});
  EXPECT_EQ(Errors({"goto 1234567890123456"}), Lines{"Line 1/6: Label is longer than 15 digits"});

  // Deep nesting is refused before it can exhaust the stack.
  EXPECT_EQ(Errors({"x := " + std::string(5000, '(') + "1"}).size(), 1u);
  EXPECT_EQ(Errors({std::string(3000, '-') + "1"}).size(), 1u);
  std::string begins;
  for (int k = 0; k < 3000; ++k) begins += "begin ";
  EXPECT_EQ(Errors({begins}), Lines{"Line 1/" + std::to_string(6 * 200 + 1) +
                                    ": Statements or expressions are nested too deeply"});
}

TEST(InterpreterFindCalls, FindsCallsInEveryExpressionLine) {
  TvlTableInterpretator in;
  Lines compiled, errors;
  in.Compile({"begin if SUM(x) > 1 then a := MAX(y) + 1; AVG(z); b := 2 end"}, compiled, errors);
  ASSERT_EQ(errors, Lines{});
  Lines found;
  in.FindCalls(compiled, {"SUM", "MAX", "AVG"}, TvlVariables(), found);
  ASSERT_EQ(found.size(), 3u);
  EXPECT_EQ(vlTrim(found[0]), "SUM(x)");
  EXPECT_EQ(vlTrim(found[1]), "MAX(y)");
  EXPECT_EQ(vlTrim(found[2]), "AVG(z)");
}

}  // namespace
}  // namespace vl
