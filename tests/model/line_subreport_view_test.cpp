#include <gtest/gtest.h>

#include "engine/model/views.h"
#include "platform/recording_canvas.h"
#include "tests/model/view_state_guard.h"

namespace vl {
namespace {

using test::ViewStateGuard;
using Lines = std::vector<std::string>;

class LineViewTest : public ViewStateGuard {};

std::unique_ptr<TvlLineView> Line(std::int32_t w, std::int32_t h, float width = 1, std::uint16_t style = psSolid) {
  auto v = std::make_unique<TvlLineView>();
  v->Left = 10, v->Top = 20, v->Width = w, v->Height = h;
  v->FrameWidth = width;
  v->FrameStyle = style;
  return v;
}

TEST_F(LineViewTest, BecomesHorizontalOrVerticalAndStaysSo) {
  Mode(TvlDocMode::dmPrinting);
  auto v = Line(10, 50);
  TvlRecordingCanvas c;
  v->Draw(c);
  EXPECT_EQ(std::tie(v->Width, v->Height, v->FrameTyp), std::make_tuple(0, 50, vlftLeft));
  EXPECT_EQ(c.Describe(false), Lines{"line 10,20 10,70"});

  auto h = Line(80, 5);
  c.Clear();
  h->Draw(c);
  EXPECT_EQ(std::tie(h->Width, h->Height, h->FrameTyp), std::make_tuple(80, 0, vlftTop));
  EXPECT_EQ(c.Describe(false), Lines{"line 10,20 90,20"});
}

TEST_F(LineViewTest, EveryFrameStyle) {
  Mode(TvlDocMode::dmPrinting);
  const struct {
    std::uint16_t Style;
    float Width;
    Lines Expected;
  } cases[] = {
      {psSolid, 3, {"pen 000000 3 solid copy", "line 10,20 90,20"}},
      {psDash, 2, {"pen 000000 2 dash copy", "pen 000000 1 dash copy", "line 10,19 90,19", "line 10,20 90,20",
                   "pen 000000 2 dash copy"}},
      {psDot, 1, {"pen 000000 1 dot copy", "line 10,20 90,20"}},
      // Double: two lines a pen width apart, the fill colour between them.
      {psDouble, 2, {"pen 000000 2 solid copy", "line 10,18 90,18", "pen FFFFFF 2 solid copy",
                     "line 10,20 90,20", "pen 000000 2 solid copy", "line 10,22 90,22"}},
  };
  for (const auto& c : cases) {
    auto v = Line(80, 0, c.Width, c.Style);
    TvlRecordingCanvas canvas;
    v->Draw(canvas);
    Lines ops;
    for (const std::string& s : canvas.Describe())
      if (s.rfind("pen", 0) == 0 || s.rfind("line", 0) == 0) ops.push_back(s);
    EXPECT_EQ(ops, c.Expected) << c.Style;
  }
}

TEST_F(LineViewTest, RegionWidensAcrossTheLine) {
  const struct {
    std::int32_t W, H;
    float Width;
    std::uint16_t Style;
    TvlRect Expected;
  } cases[] = {
      {0, 50, 1, psSolid, {10, 20, 11, 71}},
      {0, 50, 4, psSolid, {8, 20, 12, 71}},    // outer 2 to the left, inner 1 to the right
      {0, 50, 3, psDouble, {6, 20, 15, 71}},   // outer t(4.5) = 4, inner t(1 + 3) = 4
      {80, 0, 4, psSolid, {10, 18, 91, 22}},
  };
  for (const auto& c : cases) {
    auto v = Line(c.W, c.H, c.Width, c.Style);
    v->FrameTyp = c.W == 0 ? vlftLeft : vlftTop;
    EXPECT_EQ(v->GetClipRgn(false).Bounds(), c.Expected);
    const TvlRect& e = c.Expected;
    EXPECT_EQ(v->GetClipRgn(true).Bounds(), (TvlRect{e.Left - 10, e.Top - 10, e.Right + 10, e.Bottom + 10}));
  }
}

TEST_F(LineViewTest, HeightsAndProperties) {
  auto v = Line(0, 50);
  EXPECT_EQ(std::make_tuple(v->CalcHeight(), v->MinHeight(), v->RemainHeight()), std::make_tuple(50, 1, 0));
  EXPECT_TRUE(v->CallMethod("CALCHEIGHT", {}, {}, {}).SameAs(TvlValue(50)));
  v->DeclareProperties();
  EXPECT_EQ(v->Properties().back()->Name, "Stretched");
  EXPECT_NE(v->FindProperty("FrameStyle"), nullptr);
}

TEST_F(LineViewTest, SubReportShowsABoxWithItsName) {
  TvlSubReportView s;
  s.Name = "SubReport1";
  s.Left = 10, s.Top = 20, s.Width = 100, s.Height = 30;
  s.FrameWidth = 3;
  for (TvlDocMode m : {TvlDocMode::dmDesign, TvlDocMode::dmPrinting}) {
    Mode(m);
    TvlRecordingCanvas c;
    s.Draw(c);
    EXPECT_EQ(c.Describe(false), (Lines{"rect 10,20,111,51", "text 12,22 'SubReport1' clip 10,20,111,51"}));
  }
  EXPECT_EQ(s.FrameWidth, 1);

  std::vector<TvlPopupEntry> menu;
  s.DefinePopupMenu(menu);
  EXPECT_TRUE(menu.empty());

  s.DeclareProperties();
  Lines names;
  for (const auto& p : s.Properties()) names.push_back(p->Name);
  EXPECT_EQ(names, (Lines{"Name", "Left", "Top", "Width", "Height", "Flags", "Visible", "Memo", "Memo.Count",
                          "Restrictions"}));
}

}  // namespace
}  // namespace vl
