#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/display_format.h"
#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/core/text.h"
#include "engine/core/value_convert.h"
#include "engine/model/codes.h"
#include "engine/model/memo_view.h"
#include "engine/model/page.h"
#include "engine/model/report.h"
#include "engine/model/shared_properties.h"
#include "engine/binding/globals.h"
#include "engine/binding/report_interpretator.h"
#include "engine/binding/run_access.h"
#include "engine/binding/value_resolution.h"
#include "engine/script/function_library.h"

namespace vl {
namespace {

// A text view that answers to its font's properties, as text views do.
class FontMemo : public TvlMemoView {
 public:
  void DeclareProperties() override {
    TvlMemoView::DeclareProperties();
    AddProperty("Font", ptHasEditor);
    AddProperty("Font.Size", ptInteger);
  }
  void SetProperty(const std::string& name, const TvlValue& value) override {
    const std::string n = vlUpperCase(name);
    if (n.rfind("FONT.", 0) == 0) vlSetFontProperty(Font, n, value);
    else TvlMemoView::SetProperty(name, value);
  }
  TvlValue GetProperty(const std::string& name) override {
    const std::string n = vlUpperCase(name);
    if (n.rfind("FONT.", 0) == 0) return vlGetFontProperty(Font, n);
    return TvlMemoView::GetProperty(name);
  }
};

// Page formation as a test double: it records what scripts ask of it.
struct RecordingRun : TvlRunAccess {
  // Bands are opaque here: two addresses stand for a data band and the child
  // band chained after it.
  int bandStorage[2] = {};
  TvlBand* dataBand = reinterpret_cast<TvlBand*>(&bandStorage[0]);
  TvlBand* childBand = reinterpret_cast<TvlBand*>(&bandStorage[1]);
  bool HasDataset(TvlBand* b) override { return b == dataBand; }
  TvlBand* ChainPrev(TvlBand* b) override { return b == childBand ? dataBand : nullptr; }
  std::int32_t LineInGroup(TvlBand* b) override { return b == dataBand ? 5 : 99; }
  std::int32_t LineThrough(TvlBand* b) override { return b == dataBand ? 17 : 99; }
  std::int32_t cursorY = 100, cursorBottom = 1000;
  int newPages = 0, stops = 0, modalResult = -1;
  bool kept = false, breakRequests = false;
  std::vector<std::string> shown, progress;
  std::int32_t CursorY(TvlPage*) override { return cursorY; }
  void SetCursorY(TvlPage*, std::int32_t y) override { cursorY = y; }
  std::int32_t CursorBottom(TvlPage*) override { return cursorBottom; }
  void RequestNewPage(TvlBand*) override { ++newPages; }
  bool HasBreakRequests(TvlBand*) override { return breakRequests; }
  void KeepCursorY(TvlBand*) override { kept = true; }
  void RequestStop(TvlReport*) override { ++stops; }
  void ShowBand(TvlPage*, const std::string& name) override { shown.push_back(name); }
  void SetModalResult(TvlPage*, std::int32_t r) override { modalResult = r; }
  void ShowProgress(const std::string& text) override { progress.push_back(text); }
};

class Resolution : public ::testing::Test {
 public:
  void SetUp() override {
    globals = std::make_unique<TvlGlobals>();
    saved = vlState();
    report = std::make_unique<TvlReport>();
    report->Pages.Add();
    report->Pages.Add();
    auto m = std::make_unique<FontMemo>();
    m->Name = "Memo1";
    m->Left = 12;
    memo = m.get();
    report->Pages[0]->Objects.push_back(std::move(m));
    TvlEngineState& st = vlState();
    st.CurReport = report.get();
    st.CurPage = report->Pages[0];
    st.CurView = nullptr;
    st.PageNo = 2;
    st.TotalPages = 9;
    vlValueContext() = TvlValueContext{};
    vlSetRunAccess(&run);
  }
  void TearDown() override {
    vlSetRunAccess(nullptr);
    TvlEngineState& st = vlState();
    st.CurReport = saved.CurReport;
    st.CurPage = saved.CurPage;
    st.CurView = saved.CurView;
    st.CurBand = saved.CurBand;
    st.PageNo = saved.PageNo;
    st.TotalPages = saved.TotalPages;
    vlValueContext() = TvlValueContext{};
    report.reset();
    globals.reset();
  }

  TvlValue Script(const std::vector<std::string>& lines) {
    std::vector<std::string> compiled, errors;
    globals->Interpreter->Compile(lines, compiled, errors);
    EXPECT_TRUE(errors.empty()) << (errors.empty() ? "" : errors[0]);
    globals->Interpreter->Run(compiled);
    return TvlValue();
  }
  std::string Text(const std::string& expr) { return vlValueToText(globals->Parser.Evaluate(expr)); }
  std::string Var(const std::string& name) { return vlValueToText(globals->ScriptVariables.Get(name)); }

  std::unique_ptr<TvlGlobals> globals;
  TvlEngineState saved;
  std::unique_ptr<TvlReport> report;
  FontMemo* memo = nullptr;
  RecordingRun run;
};

TEST_F(Resolution, ANameKnownToTwoSourcesTakesTheFirst) {
  const struct {
    const char* name;
    std::function<void(Resolution&)> setup;
    const char* expected;
  } cases[] = {
      {"PAGE#", [](Resolution&) {}, "3"},
      {"PAGE#", [](Resolution& t) { t.report->Dictionary.Variables.Set("PAGE#", 41); }, "41"},
      {"PAGE#",
       [](Resolution& t) {
         t.report->Dictionary.Variables.Set("PAGE#", 41);
         t.report->OnGetValue = [](const std::string& n, TvlValue& v) { if (n == "PAGE#") v = TvlValue("hook"); };
       },
       "hook"},
      {"TOTALPAGES", [](Resolution& t) { t.globals->ScriptVariables.Set("TOTALPAGES", 1); }, "9"},
      {"COUNTER",
       [](Resolution& t) {
         t.globals->ScriptVariables.Set("Counter", 7);
         t.globals->Constants.Set("Counter", 1);
       },
       "7"},
      {"LEFT",
       [](Resolution& t) {
         vlState().CurView = t.memo;
         t.globals->Constants.Set("Left", 1);
       },
       "12"},
      {"LEFT", [](Resolution& t) { t.globals->Constants.Set("Left", 1); }, "1"},
      {"MROK", [](Resolution&) {}, "1"},
      {"CURY", [](Resolution& t) { t.globals->Constants.Set("CURY", 5); }, "100"},
      {"FREESPACE", [](Resolution&) {}, "900"},
      {"REPORTNAME", [](Resolution& t) { t.report->ReportName = "Envelope"; }, "Envelope"},
      {"VALUE", [](Resolution&) { vlValueContext().CurrentValue = TvlValue(2.5); }, "2.5"},
      {"Memo1.Left", [](Resolution&) {}, "12"},
      {"Page2.Visible", [](Resolution& t) { t.report->Pages[1]->Visible = 0; }, "False"},
      {"1 + 2", [](Resolution&) {}, "3"},
  };
  for (const auto& c : cases) {
    TearDown();
    SetUp();
    c.setup(*this);
    EXPECT_EQ(vlValueToText(vlResolveValue(c.name)), c.expected) << c.name;
  }
}

TEST_F(Resolution, UndefinedNamesRaiseUndefinedSymbol) {
  for (const char* expr : {"xyz", "[xyz]", "xyz + 1"}) {
    try {
      globals->Parser.Evaluate(expr);
      ADD_FAILURE() << expr << " did not raise";
    } catch (const TvlError& e) {
      EXPECT_STREQ(e.what(), "Undefined symbol \"XYZ\"") << expr;
    }
  }
  EXPECT_THROW(vlBracketText("xyz"), TvlError);
  EXPECT_TRUE(vlValueContext().ResolvingName.empty());
  vlValueContext().RegistrationMode = true;
  EXPECT_EQ(vlBracketText("xyz"), "");
  EXPECT_TRUE(vlResolveValue("xyz").IsEmpty());
}

TEST_F(Resolution, BracketTextFormatsAndHidesZeros) {
  vlState().CurView = memo;
  memo->Format = vlMakeFormat(fcText, 0, 2, '.');
  EXPECT_EQ(vlBracketText("Page#"), "3");  // found on the second round, upper-cased
  EXPECT_EQ(vlBracketText("2.5 #N2,2"), "2,50");
  EXPECT_EQ(vlValueContext().CurrentExpression, "2.5");
  EXPECT_EQ(vlValueToText(vlResolveValue("VALUE")), "2.5");
  EXPECT_EQ(vlBracketText("VALUE"), "0");  // each expansion starts from 0
  EXPECT_EQ(vlBracketText("1 = 1 #BNo;Yes"), "Yes");
  EXPECT_EQ(vlBracketText("0"), "0");
  memo->Flags |= flHideZeros;
  EXPECT_EQ(vlBracketText("0"), "");
  EXPECT_EQ(vlBracketText("1 - 1.0"), "");
  EXPECT_EQ(vlBracketText("'0'"), "0");
  EXPECT_EQ(vlBracketText("3"), "3");
}

TEST_F(Resolution, ScriptArraysLiveInArrVariables) {
  Script({"begin", "SETARRAY(A, 1, 5);", "x := GETARRAY(A, 1.0);", "y := A[1];", "A['x'] := 2;",
          "z := A[9]", "end"});
  EXPECT_EQ(Var("Arr_A_1"), "5");
  EXPECT_EQ(Var("x"), "5");
  EXPECT_EQ(Var("y"), "5");
  EXPECT_EQ(Var("Arr_A_x"), "2");
  EXPECT_TRUE(globals->ScriptVariables.Get("z").IsNull());
}

TEST_F(Resolution, IncAndDecNeedADefinedName) {
  try {
    Script({"INC(Counter)"});
    ADD_FAILURE() << "INC of an undefined name did not raise";
  } catch (const TvlError& e) {
    EXPECT_STREQ(e.what(), "Undefined symbol \"COUNTER\"");
  }
  Script({"begin Counter := 0; INC(Counter); INC(Counter); DEC(Counter); INC(Memo1.Left) end"});
  EXPECT_EQ(Var("Counter"), "1");
  EXPECT_EQ(memo->Left, 13);
}

TEST_F(Resolution, ScriptsReadAndWriteObjectProperties) {
  Script({"begin", "Memo1.Left := 30;", "memo1.font.size := 14;", "s := Memo1.FONT.SIZE + 1;",
          "Memo1.Memo.Add('first');", "Memo1.Memo.Add('second');", "Memo1.Memo[0] := 'changed';",
          "m := Memo1.Memo[1];", "Memo1.Nothing := 3;", "Page1.Visible := 0", "end"});
  EXPECT_EQ(memo->Left, 30);
  EXPECT_EQ(memo->Font.Size, 14);
  EXPECT_EQ(Var("s"), "15");
  ASSERT_EQ(memo->Memo.size(), 2u);
  EXPECT_EQ(memo->Memo[0], "changed");
  EXPECT_EQ(Var("m"), "second");
  EXPECT_EQ(Var("Memo1.Nothing"), "3");  // no such property: a script variable
  EXPECT_EQ(report->Pages[0]->Visible, 0);
  // Font.Name reaches the current view when no object has that name.
  vlState().CurView = memo;
  EXPECT_EQ(Text("[Font.Size]"), "14");
  EXPECT_EQ(Text("Memo1.Memo.IndexOf('second')"), "1");
}

TEST_F(Resolution, AssignmentsReachTheRun) {
  report->Pages[0]->PageType = ptDialog;
  Script({"begin CURY := 250; ModalResult := mrCancel; Progress := 'half'; NEWPAGE; STOPREPORT;",
          "SHOWBAND(Band3) end"});
  EXPECT_EQ(run.cursorY, 250);
  EXPECT_FALSE(run.kept);
  EXPECT_EQ(run.modalResult, 2);
  EXPECT_EQ(run.progress, std::vector<std::string>{"half"});
  EXPECT_EQ(run.newPages, 0);  // no current band
  EXPECT_EQ(run.stops, 1);
  EXPECT_EQ(run.shown, std::vector<std::string>{"Band3"});
  EXPECT_FALSE(globals->ScriptVariables.Find("CURY"));
}

TEST_F(Resolution, LineNumbersComeFromTheChainsDataBand) {
  EXPECT_EQ(Text("LINE#"), "0");  // no current band
  vlState().CurBand = run.childBand;
  EXPECT_EQ(Text("LINE#"), "5");
  EXPECT_EQ(Text("LINETHROUGH#"), "17");
  Script({"begin NEWPAGE; CURY := 7 end"});
  EXPECT_EQ(run.newPages, 1);
  run.breakRequests = true;
  Script({"CURY := 8"});
  EXPECT_TRUE(run.kept);
  vlState().CurBand = nullptr;
}

TEST_F(Resolution, DictionaryVariablesTakeAssignments) {
  report->Dictionary.Variables.Set(" Main", "");
  report->Dictionary.Variables.Set("Total", "2 * 3");
  EXPECT_EQ(Text("Total + 1"), "7");
  Script({"Total := 10"});
  EXPECT_EQ(Text("Total"), "10");
  EXPECT_FALSE(globals->ScriptVariables.Find("Total"));
}

struct Doubler : TvlFunctionLibrary {
  Doubler() { List = {"TWICE"}; }
  void ComputeFunction(int, const TvlValue& p1, const TvlValue&, const TvlValue&, TvlValue& val) override {
    val = TvlValue(vlValueToInteger(vlShared().Evaluator->Evaluate(vlValueToText(p1))) * 2);
  }
};

TEST_F(Resolution, CallsGoToLibrariesThenProceduresThenTheHook) {
  EXPECT_EQ(Text("UNKNOWN(1)"), "0");  // no current view, no library, no hook
  ASSERT_TRUE(vlRegisterFunctionLibrary("Doubler", [] { return std::make_unique<Doubler>(); }));
  EXPECT_FALSE(vlRegisterFunctionLibrary("Doubler", [] { return std::make_unique<Doubler>(); }));
  EXPECT_EQ(Text("twice(4) + 1"), "9");
  std::vector<std::string> hooked;
  report->OnUserFunction = [&](std::string_view name, const TvlValue&, const TvlValue&, const TvlValue&,
                              TvlValue& val) {
    hooked.emplace_back(name);
    if (name == "ANSWER") val = TvlValue(42);
  };
  EXPECT_EQ(Text("ANSWER()"), "42");
  EXPECT_EQ(Text("TWICE(1)"), "2");
  EXPECT_EQ(hooked, std::vector<std::string>{"ANSWER"});
  vlUnregisterFunctionLibrary("Doubler");
  EXPECT_EQ(vlFunctionLibraryCount(), 0);
}

TEST_F(Resolution, NamedConstants) {
  const struct { const char* expr; const char* out; } cases[] = {
      {"mb_YesNo + mb_IconQuestion", "36"}, {"fsBold + fsItalic", "3"}, {"clRed", "255"},
      {"clBtnFace", "-16777201"}, {"clTransparent", "536870911"}, {"vltaDown", "16"},
      {"baRest", "7"}, {"psDouble", "5"}, {"btWMF", "3"}, {"'a' + CRLF", "a\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(Text(c.expr), c.out) << c.expr;
  EXPECT_TRUE(globals->Parser.Evaluate("Null").IsNull());
  EXPECT_EQ(globals->Constants.Count(), 90);
}

TEST_F(Resolution, GlobalsInstallTheSharedEvaluator) {
  EXPECT_EQ(vlShared().Evaluator, &globals->Parser);
  EXPECT_EQ(vlShared().ScriptVariables, &globals->ScriptVariables);
  EXPECT_EQ(globals->BandNames.size(), 23u);
  EXPECT_EQ(globals->BandNames[0], "Report title");
  EXPECT_EQ(globals->PatternBitmap[0], 0xFFFFFFu);
  EXPECT_EQ(globals->PatternBitmap[1], 0xC0C0C0u);
  EXPECT_THROW(TvlGlobals second, TvlError);
}

}  // namespace
}  // namespace vl
