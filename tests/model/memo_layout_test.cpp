// Text view layout on the recording canvas, whose fixed metrics make every
// width repeatable: a 10-point font is 13 pixels high and each character
// 7 pixels wide.

#include <gtest/gtest.h>

#include <limits>
#include <memory>

#include "engine/core/engine_state.h"
#include "engine/model/layout_bounds.h"
#include "engine/model/memo_view.h"
#include "engine/model/scratch_canvas.h"
#include "platform/recording_canvas.h"

namespace vl::testing {
namespace {

// Paragraph marks shown as '|' so that expectations read easily.
std::vector<std::string> Shown(std::vector<std::string> lines) {
  for (std::string& l : lines)
    for (char& c : l)
      if (c == '\x01') c = '|';
  return lines;
}

class MemoLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override { vlState().DocMode = TvlDocMode::dmPrinting; }
  void TearDown() override { vlState().DocMode = TvlDocMode::dmDesign; }

  // A view whose text area is `chars` characters wide (gaps 2 each side).
  static std::unique_ptr<TvlMemoView> Make(int chars, std::uint16_t flags = flWordWrap) {
    auto v = std::make_unique<TvlMemoView>();
    v->Width = chars * 7 + 4;
    v->Height = 100;
    v->Flags = flags;
    return v;
  }
  static std::vector<std::string> Wrap(TvlMemoView& v, std::vector<std::string> lines) {
    v.PrintedMemo = std::move(lines);
    v.WrapMemo();
    return Shown(v.WrappedLines);
  }
};

TEST_F(MemoLayoutTest, WrapsByTheTable) {
  struct Case {
    const char* Name;
    int Chars;
    std::uint16_t Flags;
    std::vector<std::string> In, Out;
  };
  const Case cases[] = {
      {"fits", 10, flWordWrap, {"short"}, {"short|"}},
      {"breaks at the blank, which is dropped", 10, flWordWrap, {"hello world"}, {"hello", "world|"}},
      {"several blanks", 10, flWordWrap, {"aa bb cc dd ee ff"}, {"aa bb cc", "dd ee ff|"}},
      {"long word cut where it overflows", 10, flWordWrap, {"abcdefghijklmno"}, {"abcdefghij", "klmno|"}},
      {"long word after a blank moves whole", 10, flWordWrap, {"ab cdefghijkl"}, {"ab", "cdefghijkl|"}},
      {"CR LF inside a line", 10, flWordWrap, {"one\r\ntwo"}, {"one|", "two|"}},
      {"CR LF at the end adds no empty line", 10, flWordWrap, {"one\r\n"}, {"one|"}},
      {"lone CR and several breaks", 10, flWordWrap, {"a\rb\n\n\nc"}, {"a|", "b|", "c|"}},
      {"a character wider than the view", 0, flWordWrap, {"abc"}, {"a", "b", "c|"}},
      {"one character wider than the view", 0, flWordWrap, {"W"}, {"W|"}},
      {"empty line", 10, flWordWrap, {""}, {"|"}},
      {"no word wrap", 3, 0, {"hello world"}, {"hello world|"}},
      {"word break hyphenates", 10, flWordWrap | flWordBreak, {"abcd молоко"}, {"abcd моло-", "ко|"}},
      {"word break without a point that fits", 10, flWordWrap | flWordBreak, {"abcdefghi молоко"},
       {"abcdefghi", "молоко|"}},
      {"without word break the word moves", 10, flWordWrap, {"abcd молоко"}, {"abcd", "молоко|"}},
      {"multi-byte characters are never split", 3, flWordWrap, {"молоко"}, {"мол", "око|"}},
  };
  for (const Case& c : cases) {
    auto vOwned = Make(c.Chars, c.Flags);
    TvlMemoView& v = *vOwned;
    if (c.Chars == 0) v.Width = 8;  // 4 pixels of text area: narrower than one character
    EXPECT_EQ(Wrap(v, c.In), c.Out) << c.Name;
  }
}

TEST_F(MemoLayoutTest, HyphenationPoints) {
  EXPECT_EQ(vlHyphenationPoints("молоко"), (std::vector<std::size_t>{2, 4}));
  EXPECT_EQ(vlHyphenationPoints("МОЛОКО"), (std::vector<std::size_t>{2, 4}));
  EXPECT_EQ(vlHyphenationPoints("компьютер"), (std::vector<std::size_t>{5, 6}));
  EXPECT_TRUE(vlHyphenationPoints("дом").empty());
  EXPECT_TRUE(vlHyphenationPoints("street").empty());
}

TEST_F(MemoLayoutTest, PrewrappedLinesAndTheDesignerExpression) {
  auto vOwned = Make(3);
  TvlMemoView& v = *vOwned;
  v.Prewrapped = true;
  EXPECT_EQ(Wrap(v, {"hello\x01", "wide wide"}), (std::vector<std::string>{"hello|", "wide wide"}));
  v.Prewrapped = false;
  vlState().DocMode = TvlDocMode::dmDesign;
  EXPECT_EQ(Wrap(v, {"[Customers.Name]"}), std::vector<std::string>{"[Customers.Name]"});
  EXPECT_EQ(Wrap(v, {"[Customers.Name]", ""}).size(), 7u);  // two lines wrap as usual
}

TEST_F(MemoLayoutTest, Heights) {
  auto vOwned = Make(10);
  TvlMemoView& v = *vOwned;
  v.GapY = 1;
  EXPECT_EQ(Wrap(v, {"a", "b", "c"}).size(), 3u);
  EXPECT_EQ(v.LineHeight, 15);
  EXPECT_EQ(v.TextHeight, 47);  // 3 x 15 + both gaps

  v.FrameWidth = 1;
  EXPECT_EQ(v.MinHeight(), 2 + 2 + 15);
  struct { std::int32_t Height, Remain; } remains[] = {{50, 5}, {19, 4 + 0}, {34, 4 + 0}, {35, 4 + 1}, {3, 3}, {0, 0}};
  for (const auto& r : remains) {
    v.Height = r.Height;
    EXPECT_EQ(v.RemainHeight(), r.Remain) << r.Height;  // negative remainders keep their sign
  }

  // The turned layout measures across.
  auto tOwned = Make(10);
  TvlMemoView& t = *tOwned;
  t.Alignment = vltaVertical;
  t.Height = 74;
  EXPECT_EQ(Wrap(t, {"hello world"}), (std::vector<std::string>{"hello", "world|"}));
  EXPECT_EQ(t.TextHeight, 2 * 15 + 2 * 2);
}

// Counts the characters every measurement is asked for.
class CountingCanvas : public TvlRecordingCanvas {
 public:
  TvlSize TextExtent(const std::string& text) override {
    Measured += text.size();
    return TvlRecordingCanvas::TextExtent(text);
  }
  std::size_t Measured = 0;
};

TEST_F(MemoLayoutTest, WrappingALongLineMeasuresLittleMoreThanItsLength) {
  // Measuring every growing prefix costs the square of a line's length on
  // wide views (automatic width); the break point is searched for instead.
  CountingCanvas counting;
  vlSetScratchCanvas(&counting);
  struct Case {
    const char* Name;
    std::string Line;
    int Chars;
  };
  const std::size_t n = 4000;
  std::string words;
  while (words.size() < n) words += "word ";
  const Case cases[] = {{"one long word", std::string(n, 'a'), 1000},
                        {"words", words, 1000},
                        {"narrow view", std::string(n, 'a'), 10}};
  for (const Case& c : cases) {
    auto v = Make(c.Chars);
    counting.Measured = 0;
    const std::vector<std::string> lines = Wrap(*v, {c.Line});
    EXPECT_LE(counting.Measured, 40 * c.Line.size()) << c.Name;
    // Still the same wrap: full lines of the view's width.
    ASSERT_GE(lines.size(), 2u) << c.Name;
    EXPECT_LE(lines[0].size(), static_cast<std::size_t>(c.Chars)) << c.Name;
    EXPECT_GE(lines[0].size(), static_cast<std::size_t>(c.Chars) - 5) << c.Name;
  }
  vlSetScratchCanvas(nullptr);
}

TEST_F(MemoLayoutTest, ExtremeSpacingAndFontAreBoundedAndLinesStayInOrder) {
  auto vOwned = Make(10);
  TvlMemoView& v = *vOwned;
  v.SetProperty("LINESPACING", TvlValue(std::numeric_limits<std::int32_t>::max()));
  v.SetProperty("CHARSPACING", TvlValue(std::numeric_limits<std::int32_t>::min()));
  v.SetProperty("FONT.SIZE", TvlValue(std::numeric_limits<std::int32_t>::max()));
  EXPECT_EQ(v.LineSpacing, kViewCoordinateLimit);
  EXPECT_EQ(v.CharSpacing, -kCharSpacingLimit);
  EXPECT_EQ(v.Font.Size, kFontSizeLimit);
  // Fields set directly (as before any bound) still lay out in 64 bits.
  v.LineSpacing = std::numeric_limits<std::int32_t>::max() / 2;
  v.Font.Size = 10;
  Wrap(v, {"a", "b", "c", "d"});
  EXPECT_EQ(v.TextHeight, std::numeric_limits<std::int32_t>::max());  // clamped, not wrapped round
  v.LineSpacing = std::numeric_limits<std::int32_t>::max();
  EXPECT_EQ(v.MinHeight(), std::numeric_limits<std::int32_t>::max());
}

// Draw results: the text runs of a view at (10, 20), 100 x 60, no frame.// Draw results: the text runs of a view at (10, 20), 100 x 60, no frame.
class MemoDrawTest : public MemoLayoutTest {
 protected:
  std::unique_ptr<TvlMemoView> View(std::int32_t alignment, std::vector<std::string> memo) {
    auto v = std::make_unique<TvlMemoView>();
    v->Left = 10, v->Top = 20, v->Width = 100, v->Height = 60;
    v->FrameWidth = 0;
    v->Alignment = alignment;
    v->Memo = std::move(memo);
    return v;
  }
  std::vector<TvlTextRun> Runs(TvlMemoView& v) {
    canvas.Clear();
    v.Draw(canvas);
    return canvas.TextRuns();
  }
  std::int32_t JustifyExtra() {
    for (const TvlCanvasOp& op : canvas.Ops())
      if (op.Kind == TvlOpKind::Justify && op.B > 0) return op.A;
    return -1;
  }
  TvlRecordingCanvas canvas;
};

TEST_F(MemoDrawTest, HorizontalAlignments) {
  // The text area is 101 pixels wide (the right edge is inclusive); gaps 2.
  struct Case {
    std::int32_t Alignment;
    std::int32_t X;  // of "abc", 21 pixels wide
  } cases[] = {{vltaLeft, 12}, {vltaRight, 10 + 101 - 2 - 21 - 1}, {vltaCenter, 12 + (101 - 4 - 21) / 2}};
  for (const Case& c : cases) {
    auto vOwned = View(c.Alignment, {"abc", "abc"});
    TvlMemoView& v = *vOwned;
    const auto runs = Runs(v);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].At.X, c.X) << c.Alignment;
    EXPECT_EQ(runs[0].At.Y, 21);
    EXPECT_EQ(runs[1].At.Y, 36);
    EXPECT_EQ(runs[0].Text, "abc");  // no paragraph mark drawn
  }
}

TEST_F(MemoDrawTest, TheDesignerShowsTheBeginningOfATooWideExpression) {
  // Whatever the box's alignment, the field it holds stays readable.
  for (std::int32_t alignment : {vltaLeft, vltaRight, vltaCenter}) {
    vlState().DocMode = TvlDocMode::dmDesign;
    auto vOwned = View(alignment, {"[COPY(Envelope.\"RecipientPostcode\",1,1)]"});
    TvlMemoView& v = *vOwned;
    v.Width = 20;
    const auto runs = Runs(v);
    ASSERT_EQ(runs.size(), 1u) << alignment;
    EXPECT_EQ(runs[0].At.X, 12) << alignment << ": the text starts at the box's left";
  }
}

TEST_F(MemoDrawTest, JustifiedLinesSpreadExceptParagraphEnds) {
  auto vOwned = View(vltaRight | vltaCenter, {"aa bb cc dd ee ff gg"});
  TvlMemoView& v = *vOwned;
  v.Flags = flWordWrap;
  const auto runs = Runs(v);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].Text, "aa bb cc dd");  // 77 pixels of the 96 the wrap had
  EXPECT_EQ(runs[1].Text, "ee ff gg");
  // The first line spreads the rest of the 101-pixel area less the gaps
  // over its three blanks; the second ends the paragraph.
  int justified = 0;
  for (const TvlCanvasOp& op : canvas.Ops()) justified += op.Kind == TvlOpKind::Justify && op.B > 0;
  EXPECT_EQ(justified, 1);
  EXPECT_EQ(JustifyExtra(), 101 - 4 - 77);
  // The last line of a paragraph stays as it is.
  auto oneOwned = View(vltaRight | vltaCenter, {"aa bb"});
  TvlMemoView& one = *oneOwned;
  Runs(one);
  EXPECT_EQ(JustifyExtra(), -1);
}

TEST_F(MemoDrawTest, VerticalAlignmentAndTurnedText) {
  auto downOwned = View(vltaDown, {"abc"});
  TvlMemoView& down = *downOwned;
  auto runs = Runs(down);
  ASSERT_EQ(runs.size(), 1u);
  // Text height 15 + 2 gaps: the line sits on the bottom gap.
  EXPECT_EQ(runs[0].At.Y, 81 - 17 - 1 + 1);
  auto middleOwned = View(vltaMiddle, {"abc"});
  TvlMemoView& middle = *middleOwned;
  runs = Runs(middle);
  EXPECT_EQ(runs[0].At.Y, 20 + (61 - 17) / 2 + 1);

  auto turnedOwned = View(vltaVertical, {"abc", "de"});
  TvlMemoView& turned = *turnedOwned;
  runs = Runs(turned);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].Font.Escapement, 900);  // reads upward
  EXPECT_EQ(runs[0].At.X, 12);
  EXPECT_EQ(runs[0].At.Y, 81 - 1);  // starts at the bottom gap
  EXPECT_EQ(runs[1].At.X, 12 + 15);
  auto turnedRightOwned = View(vltaVertical | vltaRight, {"abc"});
  TvlMemoView& turnedRight = *turnedRightOwned;
  runs = Runs(turnedRight);
  EXPECT_EQ(runs[0].At.Y, 20 + 1 + 21);
}

TEST_F(MemoDrawTest, ScaleSpacingUnderlinesAndReadingOrder) {
  auto vOwned = View(vltaLeft, {"abc"});
  TvlMemoView& v = *vOwned;
  v.DrawScaleX = v.DrawScaleY = 2.0;
  v.CharSpacing = 1;
  v.Flags |= flRTLReading | flUnderlines;
  const auto runs = Runs(v);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].Font.Height, 26);  // 10 points at 96 per inch, twice
  EXPECT_EQ(runs[0].At.X, 20 + 4);
  EXPECT_NE(runs[0].Options & toRtlReading, 0u);
  EXPECT_EQ(canvas.CharSpacing(), 0);  // reset after the draw
  int rules = 0, spacing = -1;
  for (const TvlCanvasOp& op : canvas.Ops()) {
    if (op.Kind == TvlOpKind::Line) ++rules;
    if (op.Kind == TvlOpKind::CharSpacing && op.A > 0) spacing = op.A;
  }
  EXPECT_EQ(spacing, 2);
  EXPECT_EQ(rules, 120 / 30);  // underlines fill the height: 120 / (4 + 26)

  auto uOwned = View(vltaLeft, {"a"});
  TvlMemoView& u = *uOwned;
  u.Height = 50;
  u.Flags |= flUnderlines;
  Runs(u);
  rules = 0;
  for (const TvlCanvasOp& op : canvas.Ops()) rules += op.Kind == TvlOpKind::Line;
  EXPECT_EQ(rules, 3);
}

TEST_F(MemoDrawTest, AutoWidthKeepsTheRightEdgeOfRightAlignedText) {
  auto vOwned = View(vltaRight, {"abc"});
  TvlMemoView& v = *vOwned;
  v.Flags |= flAutoWidth;
  Runs(v);
  // 21 pixels of text + frame 0 + gaps 4 + 1.
  EXPECT_EQ(v.Width, 26);
  EXPECT_EQ(v.Left, 10 + 100 - 26);
}

TEST_F(MemoDrawTest, LinesOfAHugeSpacingAtAHugeScaleNeverRunBackwards) {
  auto vOwned = View(vltaLeft, {"a", "b", "c"});
  TvlMemoView& v = *vOwned;
  v.Memo = {std::string("a\x01"), std::string("b\x01"), std::string("c\x01")};
  v.LineSpacing = kViewCoordinateLimit;
  v.DrawScaleX = v.DrawScaleY = 300.0;
  const auto runs = Runs(v);
  ASSERT_EQ(runs.size(), 3u);
  for (std::size_t k = 1; k < runs.size(); ++k) EXPECT_GE(runs[k].At.Y, runs[k - 1].At.Y) << k;

  // A font of the largest size at a scale past 32 bits stays a positive height.
  v.Font.Size = kFontSizeLimit;
  v.DrawScaleX = v.DrawScaleY = 1.0e7;
  const auto big = Runs(v);
  ASSERT_FALSE(big.empty());
  EXPECT_GT(big[0].Font.Height, 0);
}

// A printer draw scales the font as the preview and the PDF do, so that
// what prints is the size the preview shows.
TEST_F(MemoDrawTest, PrinterDrawScalesTheFontAsThePreviewDoes) {
  TvlRecordingCanvas printer({5000, 5000}, 600);
  TvlRecordingCanvas pdf({5000, 5000}, 600);
  auto vOwned = View(vltaLeft, {"abc"});
  TvlMemoView& v = *vOwned;
  v.DrawScaleX = v.DrawScaleY = 600 / 91.6256157635468;
  v.ToPrinter = 1;
  v.Draw(printer);
  v.ToPrinter = 0;
  v.Draw(pdf);
  const auto printed = printer.TextRuns(), shown = pdf.TextRuns();
  ASSERT_EQ(printed.size(), 1u);
  ASSERT_EQ(shown.size(), 1u);
  // 10 points measured as 13.33 page units, at 6.548 printer pixels each.
  EXPECT_EQ(printed[0].Font.Height, 87);
  EXPECT_EQ(printed[0].Font.Height, shown[0].Font.Height);
}

}  // namespace
}  // namespace vl::testing
