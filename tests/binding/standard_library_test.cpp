// The standard function library: the calls templates make, the order in
// which arguments are evaluated, the dialogs and the aggregate seam, and the
// descriptions it gives the expression builder.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/core/format_settings.h"
#include "engine/core/string_table.h"
#include "engine/core/value_convert.h"
#include "engine/core/variables.h"
#include "engine/binding/run_access.h"
#include "engine/binding/standard_library.h"
#include "engine/script/installed_functions.h"
#include "engine/script/parser.h"
#include "platform/platform.h"
#include "platform/recording_message_box.h"

namespace vl {
namespace {

using Names = std::vector<std::string>;

// Page formation as a test double: records each aggregate call and answers
// with Answer when it is set.
struct AggregateRecorder : TvlRunAccess {
  struct Call {
    int Code;
    std::string P1, P2, P3, ValIn;
  };
  std::vector<Call> Calls;
  TvlValue Answer;
  void Aggregate(int code, const TvlValue& p1, const TvlValue& p2, const TvlValue& p3, TvlValue& val) override {
    Calls.push_back({code, p1.Str(), p2.Str(), p3.Str(), vlValueToText(val)});
    if (!Answer.IsEmpty()) val = Answer;
  }
};

// The shared evaluator is a plain parser here: names come from Vars and
// every name it resolves is recorded, so the order of evaluation shows.
class StandardLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(vlRegisterFunctionLibrary<TvlStdFunctionLibrary>());
    savedFormat = vlFormatSettings();
    vlFormatSettings() = TvlFormatSettings{};  // '.' decimals, ',' thousands, dd/mm/yyyy with '.'
    parser.OnGetValue = [this](std::string_view name, TvlValue& value) {
      Resolved.emplace_back(name);
      const TvlValue* v = Vars.Find(name);
      if (!v) throw TvlError("Undefined symbol \"" + std::string(name) + "\"");
      value = *v;
    };
    parser.OnFunction = [](std::string_view name, const TvlValue& p1, const TvlValue& p2, const TvlValue& p3,
                           TvlValue& val) {
      val = TvlValue("0");
      if (!vlOfferCallToLibraries(name, p1, p2, p3, val)) throw TvlError("not accepted: " + std::string(name));
    };
    savedEvaluator = vlShared().Evaluator;
    vlShared().Evaluator = &parser;
    savedBox = vlPlatform().MessageBox;
    vlInstallPlatform(TvlPlatform{&box, nullptr, nullptr, nullptr});
    vlSetRunAccess(&run);
  }
  void TearDown() override {
    vlSetRunAccess(nullptr);
    vlInstallPlatform(TvlPlatform{savedBox, nullptr, nullptr, nullptr});
    vlShared().Evaluator = savedEvaluator;
    vlFormatSettings() = savedFormat;
    vlUnregisterFunctionLibrary(TvlStdFunctionLibrary::kClassName);
  }

  TvlValue Eval(const std::string& expr) { return parser.Evaluate(expr); }
  std::string Text(const std::string& expr) { return vlValueToText(Eval(expr)); }

  TvlParser parser;
  TvlVariables Vars;
  Names Resolved;
  TvlRecordingMessageBox box;
  AggregateRecorder run;
  TvlFormatSettings savedFormat;
  TvlExpressionEvaluator* savedEvaluator = nullptr;
  TvlMessageBox* savedBox = nullptr;
};

TEST_F(StandardLibrary, CallsGiveTheirResults) {
  const struct {
    const char* expr;
    const char* text;
    TvlValueKind kind;
  } cases[] = {
      {"LENGTH('abc')", "3", TvlValueKind::Integer},
      {"LENGTH('')", "0", TvlValueKind::Integer},
      {"LENGTH('\xC3\xA4" "b')", "2", TvlValueKind::Integer},  // whole characters, not bytes
      {"NAMECASE('hELLO wORLD')", "Hello world", TvlValueKind::String},
      {"NAMECASE('')", "", TvlValueKind::String},
      {"NAMECASE('\xC3\xA4" "BC')", "\xC3\x84" "bc", TvlValueKind::String},
      {"UPPERCASE('stra\xC3\x9F" "e \xC3\xA4" "b')", "STRA\xC3\x9F" "E \xC3\x84" "B", TvlValueKind::String},
      {"LOWERCASE('\xC3\x84" "B C')", "\xC3\xA4" "b c", TvlValueKind::String},
      {"TRIM('  a b \r\n')", "a b", TvlValueKind::String},
      {"POS('b', 'abc')", "2", TvlValueKind::Integer},
      {"POS('b', '\xC3\xA4" "b')", "2", TvlValueKind::Integer},
      {"POS('x', 'abc')", "0", TvlValueKind::Integer},
      {"POS('', 'abc')", "0", TvlValueKind::Integer},
      // The value itself comes back, compared numerically.
      {"MAXNUM(2, '10')", "10", TvlValueKind::String},
      {"MINNUM(2, '10')", "2", TvlValueKind::Float},
      {"MAXNUM('b', 'a')", "b", TvlValueKind::String},
      {"FORMATFLOAT('#,##0.00', 1234.5)", "1,234.50", TvlValueKind::String},
      {"FORMATFLOAT('0.0', '2')", "2.0", TvlValueKind::String},
      {"FORMATTEXT('(000)', '123')", "(123)", TvlValueKind::String},
      {"FORMATTEXT('(000)', '12')", "(12 )", TvlValueKind::String},
      {"FORMATTEXT('>L-000', 'a12345')", "A-12345", TvlValueKind::String},
      {"FORMATTEXT('!00/00', '123')", " 1.23", TvlValueKind::String},
      {"FORMATTEXT('(000);1;_', '(1')", "(1__)", TvlValueKind::String},
      {"DAYOF(STRTODATE('05.03.2024'))", "5", TvlValueKind::Integer},
      {"MONTHOF(STRTODATE('05.03.2024'))", "3", TvlValueKind::Integer},
      {"YEAROF('05.03.2024')", "2024", TvlValueKind::Integer},
      {"FORMATDATETIME('yyyy-mm-dd', STRTODATE('05.03.2024'))", "2024-03-05", TvlValueKind::String},
      {"LENGTH(NAMECASE('ab') + 'c') + 1", "4", TvlValueKind::Float},
  };
  for (const auto& c : cases) {
    const TvlValue v = Eval(c.expr);
    EXPECT_EQ(vlValueToText(v), c.text) << c.expr;
    EXPECT_EQ(v.Kind(), c.kind) << c.expr;
  }

  // Errors of arguments and conversions reach the caller.
  for (const char* bad : {"DAYOF('no date')", "FORMATFLOAT('0', 'x')", "LENGTH(nothing)", "POS('a'"})
    EXPECT_THROW(Eval(bad), TvlError) << bad;

  // A function no library knows is declined, and the dispatch goes on.
  TvlValue val("0");
  EXPECT_FALSE(vlOfferCallToLibraries("NOSUCH", "1", "", "", val));
  EXPECT_EQ(val.Str(), "0");
}

TEST_F(StandardLibrary, ArgumentsAreEvaluatedInTheirOrder) {
  Vars.Set("F", "0.0");
  Vars.Set("N", 1.5);
  Vars.Set("D", TvlValue::DateTime(45356));
  Vars.Set("M", "000");
  Vars.Set("S", "12b");
  Vars.Set("SUB", "b");
  Vars.Set("T", "Hello");
  Vars.Set("TI", "Title");
  Vars.Set("FL", 0);
  Vars.Set("P", "Name?");
  Vars.Set("A", 1);
  Vars.Set("B", 2);
  const struct {
    const char* expr;
    Names order;
  } cases[] = {
      {"FORMATDATETIME(f, d)", {"D", "F"}}, {"FORMATFLOAT(f, n)", {"N", "F"}},
      {"FORMATTEXT(m, s)", {"S", "M"}},     {"POS(sub, s)", {"S", "SUB"}},
      {"MESSAGEBOX(t, ti, fl)", {"FL", "TI", "T"}}, {"INPUT(p, t)", {"T", "P"}},
      {"MAXNUM(a, b)", {"A", "B"}},         {"DAYOF(d) + LENGTH(s)", {"D", "S"}},
  };
  for (const auto& c : cases) {
    Resolved.clear();
    Eval(c.expr);
    EXPECT_EQ(Resolved, c.order) << c.expr;
  }
}

TEST_F(StandardLibrary, InputAndMessageBoxAskThePlatform) {
  // INPUT: an empty caption, the prompt and the default; cancelled it keeps the default.
  EXPECT_EQ(Text("INPUT('Your name?', 'Ann')"), "Ann");
  box.TextAnswers.push_back("Bob");
  EXPECT_EQ(Text("INPUT('Your name?', 'Ann')"), "Bob");
  EXPECT_EQ(box.Prompts, (Names{"", ""}));
  EXPECT_EQ(box.PromptTexts, (Names{"Your name?", "Your name?"}));

  // MESSAGEBOX: text, title, buttons, icon and default button from the flags;
  // the answer is the button's number (1 OK .. 7 No).
  box.Answers.push_back(TvlMsgResult::No);
  EXPECT_EQ(Text("MESSAGEBOX('Print it?', 'Confirm', 4 + 32 + 256)"), "7");
  EXPECT_EQ(Text("MESSAGEBOX('Done', 'Info', 64)"), "1");
  EXPECT_EQ(Text("MESSAGEBOX('Disk', 'Oops', 2 + 16)"), "3");  // no answer queued: the first button, Abort
  ASSERT_EQ(box.Messages.size(), 3u);
  const TvlRecordingMessageBox::Shown& first = box.Messages[0];
  EXPECT_EQ(first.Text, "Print it?");
  EXPECT_EQ(first.Caption, "Confirm");
  EXPECT_EQ(first.Buttons, TvlMsgButtons::YesNo);
  EXPECT_EQ(first.Icon, TvlMsgIcon::Question);
  EXPECT_EQ(first.DefaultButton, 1);
  EXPECT_EQ(box.Messages[1].Icon, TvlMsgIcon::Information);
  EXPECT_EQ(box.Messages[2].Buttons, TvlMsgButtons::AbortRetryIgnore);
  EXPECT_EQ(box.Messages[2].Icon, TvlMsgIcon::Error);
}

TEST_F(StandardLibrary, AggregatesHandTheirRawArgumentsToPageFormation) {
  EXPECT_EQ(Text("SUM([Amount], MasterData1)"), "0");
  Eval("AVG( [A] )");
  Eval("MIN(x, Band, 1)");
  Eval("MAX(x)");
  run.Answer = TvlValue(42);
  EXPECT_EQ(Text("COUNT(MasterData1, 1) + 1"), "43");
  ASSERT_EQ(run.Calls.size(), 5u);
  const struct {
    int code;
    const char *p1, *p2, *p3;
  } expected[] = {
      {agSum, "[Amount]", " MasterData1", ""}, {agAvg, " [A] ", "", ""}, {agMin, "x", " Band", " 1"},
      {agMax, "x", "", ""}, {agCount, "MasterData1", " 1", ""},
  };
  for (std::size_t k = 0; k < run.Calls.size(); ++k) {
    EXPECT_EQ(run.Calls[k].Code, expected[k].code) << k;
    EXPECT_EQ(run.Calls[k].P1, expected[k].p1) << k;
    EXPECT_EQ(run.Calls[k].P2, expected[k].p2) << k;
    EXPECT_EQ(run.Calls[k].P3, expected[k].p3) << k;
    EXPECT_EQ(run.Calls[k].ValIn, "0") << k;  // the result starts as the text "0"
  }
  EXPECT_TRUE(Resolved.empty());  // the library evaluates none of them itself
}

TEST_F(StandardLibrary, DescribesFunctionsAndWordsInRegistrationOrder) {
  Names names;
  for (const TvlFunctionDesc& d : vlInstalledFunctions().Entries())
    if (d.LibraryClass == TvlStdFunctionLibrary::kClassName) {
      names.push_back(d.Name);
      // Every description has its text: syntax naming the word, "/", explanation.
      const std::size_t slash = d.Description.find('/');
      ASSERT_NE(slash, std::string::npos) << d.Name;
      EXPECT_NE(d.Description.substr(0, slash).find(d.Name), std::string::npos) << d.Description;
    }
  const Names expected = {
      "AVG", "COUNT", "DAYOF", "FORMATDATETIME", "FORMATFLOAT", "FORMATTEXT", "INPUT", "LENGTH", "LOWERCASE",
      "MAX", "MIN", "MONTHOF", "NAMECASE", "STRTODATE", "STRTOTIME", "SUM", "TRIM", "UPPERCASE", "YEAROF",
      "MAXNUM", "MINNUM", "POS", "MESSAGEBOX", "IF", "COPY", "MOD", "STR", "NOT", "AND", "OR", "ROUND", "FRAC",
      "INT", "TRUE", "FALSE", "PAGE#", "DATE", "TIME", "LINE#", "LINETHROUGH#", "COLUMN#", "TOTALPAGES",
      "REPORTCOMMENT", "REPORTNAME", "REPORTAUTOR", "VMAJOR", "VMINOR", "VRELEASE", "VBUILD", "REPORTDATE",
      "REPORTLASTCHANGE", "MROK", "MRCANCEL", "CURY", "FREESPACE", "FINALPASS", "PAGEHEIGHT", "PAGEWIDTH",
      "PROGRESS", "MODALRESULT", "STOPREPORT", "NEWPAGE", "NEWCOLUMN", "SHOWBAND", "INC", "DEC"};
  EXPECT_EQ(names, expected);

  const TvlInstalledFunctions& installed = vlInstalledFunctions();
  EXPECT_EQ(installed.Categories(), (Names{"Aggregate", "Boolean", "Date and time", "Interpreter", "Math", "Other",
                                           "Report info", "String"}));
  EXPECT_EQ(installed.NamesOf("Aggregate"), (Names{"AVG", "COUNT", "MAX", "MIN", "SUM"}));
  EXPECT_EQ(installed.NamesOf("Math"), (Names{"FRAC", "INT", "MAXNUM", "MINNUM", "MOD", "ROUND"}));
  EXPECT_EQ(installed.NamesOf("All functions").size(), expected.size());
  EXPECT_EQ(installed.DescriptionOf("sum"),
            "SUM(<Expression> [,BandName [,1]])/Calculates the sum of <Expression> for [BandName] row given. If [1] "
            "parameter is used, calculates sum for non-visible rows too.");
}

}  // namespace
}  // namespace vl
