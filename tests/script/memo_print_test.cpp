// Text views during preparation, with the engine's evaluator behind their
// brackets and highlight conditions: expansion with format suffixes, hide
// zeros, highlight, suppression, heights and the parts of a split band.

#include <gtest/gtest.h>

#include <memory>

#include <map>

#include "engine/core/date_time.h"
#include "engine/core/engine_state.h"
#include "engine/core/format_settings.h"
#include "engine/core/error.h"
#include "engine/core/text.h"
#include "engine/model/bracket_text.h"
#include "engine/model/memo_view.h"
#include "engine/script/parser.h"

namespace vl::testing {
namespace {

// What print wrote: one entry per object, with the text and font it had.
struct Written {
  std::vector<std::string> Text;
  TvlFont Font;
  TvlColor Fill = clNone;
};
class Sink : public TvlPrintSink {
 public:
  void WriteByte(std::uint8_t) override {}
  void WriteString(const std::string&) override {}
  void WriteViewData(TvlView& view) override {
    auto& m = static_cast<TvlMemoView&>(view);
    Out.push_back({m.PrintedMemo, m.Font, m.FillColor});
  }
  std::vector<Written> Out;
};

class MemoPrintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    parser.OnGetValue = [this](std::string_view name, TvlValue& value) {
      auto it = vars.find(vlUpperCase(name));
      if (it == vars.end()) throw TvlError("Undefined symbol \"" + std::string(name) + "\"");
      value = it->second;
    };
    vlShared().Evaluator = &parser;
    vlState().DocMode = TvlDocMode::dmPrinting;
  }
  void TearDown() override {
    vlShared().Evaluator = nullptr;
    vlState().DocMode = TvlDocMode::dmDesign;
    vlPrintHooks() = {};
    vlBracketHooks() = {};
  }
  std::unique_ptr<TvlMemoView> Make(std::vector<std::string> memo) {
    auto v = std::make_unique<TvlMemoView>();
    v->Width = 200, v->Height = 100;
    v->Memo = std::move(memo);
    return v;
  }
  std::vector<std::string> Expanded(TvlMemoView& v) {
    v.ExpandMemo();
    return v.PrintedMemo;
  }

  TvlParser parser;
  std::map<std::string, TvlValue> vars;
};

TEST_F(MemoPrintTest, ExpandsBrackets) {
  vars["X"] = TvlValue("[Y]");
  vars["ADDRESS"] = TvlValue("Main Street 1\r\nSpringfield");
  vars["Y"] = TvlValue(7);
  auto vOwned = Make({"Total: [1+2]"});
  TvlMemoView& v = *vOwned;
  EXPECT_EQ(Expanded(v), std::vector<std::string>{"Total: 3"});
  v.Flags |= flTextOnly;
  EXPECT_EQ(Expanded(v), std::vector<std::string>{"Total: [1+2]"});

  struct Case {
    std::vector<std::string> Memo, Out;
  } cases[] = {
      {{"[X]"}, {"[Y]"}},  // an inserted value is not expanded again
      {{"To:", "[Address]", "", "[Y][Y]"}, {"To:", "Main Street 1", "Springfield", "", "77"}},
      {{"a [1+23"}, {"a 3"}},  // unclosed: the rest without its last character
      {{"['a]b']"}, {"a]b"}},  // a bracket inside quotes does not close
      {{"[[Y]]"}, {"7"}},
  };
  for (const Case& c : cases) {
    auto wOwned = Make(c.Memo);
    TvlMemoView& w = *wOwned;
    EXPECT_EQ(Expanded(w), c.Out) << c.Memo[0];
  }
  auto badOwned = Make({"[Nothing]"});
  TvlMemoView& bad = *badOwned;
  EXPECT_THROW(bad.ExpandMemo(), TvlError);
}

TEST_F(MemoPrintTest, FormatSuffixes) {
  TvlFormatSettings& fs = vlFormatSettings();
  const TvlFormatSettings saved = fs;
  fs.DecimalSeparator = '.';
  fs.ThousandSeparator = ',';
  double christmas = 0;
  ASSERT_TRUE(vlEncodeDate(2026, 12, 24, christmas));
  vars["SUM"] = TvlValue(1234.5);
  vars["DAY"] = TvlValue::DateTime(christmas);
  vars["PAID"] = TvlValue(true);
  vars["OPEN"] = TvlValue(0);
  struct Case {
    const char* Memo;
    const char* Out;
  } cases[] = {
      {"[Sum #N2,2]", "1234,50"},
      {"[Sum #N#,##0.00]", "1,234.50"},
      {"[Day #Ddd.mm.yyyy]", "24.12.2026"},
      {"[Paid #BNo;Yes] [Open #BNo;Yes]", "Yes No"},
      {"[Sum]", "1234.5"},
  };
  for (const Case& c : cases) {
    auto vOwned = Make({c.Memo});
    TvlMemoView& v = *vOwned;
    EXPECT_EQ(Expanded(v), std::vector<std::string>{c.Out}) << c.Memo;
  }
  // The report's value resolution takes over every bracket when installed.
  vlBracketHooks().Text = [](TvlView&, const std::string& bracket) { return "<" + bracket + ">"; };
  auto vOwned = Make({"a [Sum #N2,2] b"});
  TvlMemoView& v = *vOwned;
  EXPECT_EQ(Expanded(v), std::vector<std::string>{"a <Sum #N2,2> b"});
  fs = saved;
}

TEST_F(MemoPrintTest, HideZeros) {
  vars["ZERO"] = TvlValue(0);
  vars["FZERO"] = TvlValue(0.0);
  vars["TEXTZERO"] = TvlValue("0");
  auto vOwned = Make({"[Zero]|[FZero]|[TextZero]|[1]"});
  TvlMemoView& v = *vOwned;
  EXPECT_EQ(Expanded(v), std::vector<std::string>{"0|0|0|1"});
  v.Flags |= flHideZeros;
  EXPECT_EQ(Expanded(v), std::vector<std::string>{"||0|1"});  // a text 0 still prints
}

TEST_F(MemoPrintTest, HighlightForOnePrint) {
  struct Case {
    const char* Condition;
    bool On;
  } cases[] = {{"", false}, {"0", false}, {"1", true}, {"2 > 1", true}, {"Missing", false}, {"1 +", false},
               {"'abc'", false}};
  for (const Case& c : cases) {
    auto vOwned = Make({"x"});
    TvlMemoView& v = *vOwned;
    v.FillColor = clNone;
    v.HighlightCondition = c.Condition;
    v.HighlightFontColor = 0x0000FF;
    Sink sink;
    v.Print(sink);
    ASSERT_EQ(sink.Out.size(), 1u);
    EXPECT_EQ(sink.Out[0].Font.Style == fsBold, c.On) << c.Condition;
    EXPECT_EQ(sink.Out[0].Font.Color == 0x0000FFu, c.On) << c.Condition;
    EXPECT_EQ(sink.Out[0].Fill == clWhite, c.On) << c.Condition;
    EXPECT_EQ(v.Font.Style, 0) << "restored after " << c.Condition;
    EXPECT_EQ(v.FillColor, clNone);
  }
  // The condition is compiled once and still follows the current values.
  vars["FLAG"] = TvlValue(0);
  auto vOwned = Make({"x"});
  TvlMemoView& v = *vOwned;
  v.HighlightCondition = "Flag";
  Sink sink;
  v.Print(sink);
  vars["FLAG"] = TvlValue(1);
  v.Print(sink);
  EXPECT_EQ(sink.Out[0].Font.Style, 0);
  EXPECT_EQ(sink.Out[1].Font.Style, fsBold);
}

TEST_F(MemoPrintTest, HeightsSuppressionAndVisibility) {
  vars["NAME"] = TvlValue("Ann");
  auto vOwned = Make({"[Name]", "b", "c"});
  TvlMemoView& v = *vOwned;
  v.GapY = 1;
  EXPECT_EQ(v.CalcHeight(), 47);  // three 15-pixel lines and both gaps
  EXPECT_EQ(v.PrintedMemo, (std::vector<std::string>{"Ann\x01", "b\x01", "c\x01"}));

  // Band output measures, then prints the measured lines.
  v.Flags |= flSuppress;
  Sink sink;
  EXPECT_EQ(v.CalcHeight(), 47);
  v.Print(sink);
  EXPECT_EQ(v.CalcHeight(), 0);  // the same text again: nothing to show
  v.Print(sink);
  EXPECT_EQ(sink.Out.size(), 1u);
  vars["NAME"] = TvlValue("Bob");
  EXPECT_EQ(v.CalcHeight(), 47);
  v.Print(sink);
  EXPECT_EQ(sink.Out.size(), 2u);
  // Plain prints without measuring compare alike.
  auto plainOwned = Make({"[Name]"});
  TvlMemoView& plain = *plainOwned;
  plain.Flags |= flSuppress;
  Sink twice;
  plain.Print(twice);
  plain.Print(twice);
  EXPECT_EQ(twice.Out.size(), 1u);

  vlPrintHooks().RunScript = [](TvlView& view) { view.Visible = false; };
  auto hiddenOwned = Make({"x"});
  TvlMemoView& hidden = *hiddenOwned;
  Sink none;
  hidden.Print(none);
  EXPECT_TRUE(none.Out.empty());
  EXPECT_EQ(hidden.CalcHeight(), 0);
}

TEST_F(MemoPrintTest, SplitBandPrintsThePartThatFits) {
  auto vOwned = Make({"aaa bbb ccc ddd"});
  TvlMemoView& v = *vOwned;
  v.Width = 3 * 7 + 4;  // three characters a line on the fixed-metric scratch surface
  v.GapY = 1;
  ASSERT_EQ(v.CalcHeight(), 4 * 15 + 2);
  v.Height = 2 * 15 + 3;  // room for two lines
  v.DrawPhase = 2;
  Sink sink;
  v.Print(sink);
  ASSERT_EQ(sink.Out.size(), 1u);
  EXPECT_EQ(sink.Out[0].Text, (std::vector<std::string>{"aaa", "bbb", "\x01"}));  // marked as continued
  EXPECT_EQ(v.PrintedMemo, (std::vector<std::string>{"ccc", "ddd\x01"}));
  EXPECT_EQ(v.DrawPhase, 0);
}

TEST_F(MemoPrintTest, PropertiesAndMenu) {
  auto vOwned = Make({"a", "b"});
  TvlMemoView& v = *vOwned;
  EXPECT_EQ(v.GetProperty("LINES.COUNT").Int(), 2);
  EXPECT_EQ(v.GetProperty("MEMO.COUNT").Int(), 2);
  v.CallMethod("LINES.ADD", TvlValue("'c'"), {}, {});
  v.CallMethod("MEMO.ADD", TvlValue("'d'"), {}, {});
  EXPECT_EQ(v.Memo, (std::vector<std::string>{"a", "b", "c", "d"}));
  v.SetProperty("Font.Name", TvlValue("Courier New"));
  v.SetProperty("Underlines", TvlValue(true));
  v.SetProperty("WordWrap", TvlValue(false));
  v.SetProperty("LineSpacing", TvlValue(5));
  EXPECT_EQ(v.Font.Name, "Courier New");
  EXPECT_EQ(v.Flags & (flUnderlines | flWordWrap), flUnderlines);
  EXPECT_EQ(v.GetProperty("FONT.NAME").Str(), "Courier New");
  EXPECT_TRUE(v.GetProperty("UNDERLINES").Bool());
  EXPECT_EQ(v.GetProperty("LineSpacing").Int(), 5);
  EXPECT_EQ(v.GetProperty("Name").Kind(), TvlValueKind::String);  // base names first

  std::vector<TvlPopupEntry> menu;
  v.DefinePopupMenu(menu);
  std::vector<std::int32_t> captions;
  for (const TvlPopupEntry& e : menu) captions.push_back(e.CaptionId);
  EXPECT_EQ(captions, (std::vector<std::int32_t>{55191, 55334, 55347, 0, 55190, 55192, 55335, 55433, 55434, 55438,
                                                  55441}));
  EXPECT_TRUE(menu.back().Checked);  // underlines
  EXPECT_FALSE(menu[5].Checked);     // word wrap

  auto lockedOwned = Make({"keep"});
  TvlMemoView& locked = *lockedOwned;
  locked.Restrictions = rsDontModify | rsDontEditContents;
  vlMemoMenuAction(menu[5], {&v, &locked});
  EXPECT_TRUE(v.Flags & flWordWrap);
  EXPECT_TRUE(locked.Flags & flWordWrap);  // the default stays: not toggled
  vlMemoMenuAction(menu[2], {&v, &locked});
  EXPECT_TRUE(v.Memo.empty());
  EXPECT_EQ(locked.Memo, std::vector<std::string>{"keep"});
}

}  // namespace
}  // namespace vl::testing
