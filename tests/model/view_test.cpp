#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

#include "engine/core/engine_state.h"
#include "engine/core/string_table.h"
#include "engine/core/text.h"
#include "engine/model/views.h"
#include "platform/recording_canvas.h"

namespace vl {
namespace {

// Sets the document mode for one test and puts the engine state back.
class ViewTest : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = vlState(); }
  void TearDown() override {
    vlState() = saved_;
    vlSetBandAlignProvider(nullptr);
    vlPrintHooks() = {};
  }
  static void Mode(TvlDocMode m) { vlState().DocMode = m; }
  static std::unique_ptr<TvlView> Framed(std::uint16_t lines, float width, std::uint16_t style,
                                         TvlColor fill = clNone) {
    auto v = std::make_unique<TvlView>();
    v->Left = 10, v->Top = 10, v->Width = 100, v->Height = 20;
    v->FrameTyp = lines;
    v->FrameWidth = width;
    v->FrameStyle = style;
    v->FillColor = fill;
    return v;
  }
  static std::vector<std::string> Drawn(TvlView& v) {
    TvlRecordingCanvas c;
    v.Draw(c);
    return c.Describe();
  }

 private:
  TvlEngineState saved_;
};

constexpr std::uint16_t kAll = vlftLeft | vlftRight | vlftTop | vlftBottom;

TEST_F(ViewTest, FramesOfEveryStyleAndWidthInThePreview) {
  Mode(TvlDocMode::dmPrinting);
  using Ops = std::vector<std::string>;
  const Ops box = {"line 110,10 110,30", "line 10,10 10,30", "line 10,30 110,30", "line 10,10 110,10"};
  const struct {
    const char* Name;
    std::unique_ptr<TvlView> View;
    Ops Expected;
  } cases[] = {
      {"solid 1", Framed(kAll, 1, psSolid), box},
      {"solid 3", Framed(kAll, 3, psSolid),
       {"pen 000000 3 solid copy", box[0], box[1], box[2], box[3]}},
      {"solid 2.5 rounds to even", Framed(kAll, 2.5f, psSolid),
       {"pen 000000 2 solid copy", box[0], box[1], box[2], box[3]}},
      {"no lines: nothing", Framed(vlftNone, 1, psSolid), {}},
      {"right and top only", Framed(vlftRight | vlftTop, 1, psSolid), {box[0], box[3]}},
      {"dash 1 on red fill", Framed(vlftLeft, 1, psDash, 0x0000FF),
       {"brush 0000FF", "fill 10,10,110,30", "pen 000000 1 dash copy", "line 10,10 10,30"}},
      // A wide dashed line is thin lines side by side, from -(w div 2).
      {"dot 3", Framed(vlftLeft | vlftBottom, 3, psDot),
       {"pen 000000 3 dot copy", "brush clear", "pen 000000 1 dot copy", "line 9,10 9,30", "line 10,10 10,30", "line 11,10 11,30",
        "pen 000000 3 dot copy", "pen 000000 1 dot copy", "line 10,29 110,29", "line 10,30 110,30",
        "line 10,31 110,31", "pen 000000 3 dot copy"}},
      {"dash 2", Framed(vlftTop, 2, psDashDot),
       {"pen 000000 2 dashdot copy", "brush clear", "pen 000000 1 dashdot copy", "line 10,9 110,9", "line 10,10 110,10",
        "pen 000000 2 dashdot copy"}},
      // Double: outer line, a line in the fill colour, inner line.
      {"double 1 on white", Framed(vlftRight | vlftTop, 1, psDouble, clWhite),
       {"fill 10,10,110,30", "line 109,10 109,30", "pen FFFFFF 1 solid copy", "line 110,10 110,30",
        "pen 000000 1 solid copy", "line 111,10 111,30", "line 10,9 110,9", "pen FFFFFF 1 solid copy",
        "line 10,10 110,10", "pen 000000 1 solid copy", "line 10,11 110,11"}},
      {"double without fill", Framed(vlftLeft, 1, psDouble), {"line 9,10 9,30", "line 11,10 11,30"}},
      {"double 2", Framed(vlftBottom, 2, psDouble, 0x00FF00),
       {"brush 00FF00", "fill 10,10,110,30", "pen 000000 2 solid copy", "line 10,28 110,28",
        "pen 00FF00 2 solid copy", "line 10,30 110,30", "pen 000000 2 solid copy", "line 10,32 110,32"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(Drawn(*c.View), c.Expected);
  }
}

TEST_F(ViewTest, DesignerShowsWhiteFillAndCornerMarks) {
  Mode(TvlDocMode::dmDesign);
  auto v = Framed(vlftNone, 1, psSolid);
  EXPECT_EQ(Drawn(*v), (std::vector<std::string>{
                          "fill 10,10,111,31",  // without fill the view is white in the designer
                          "line 10,13 10,10", "line 10,10 14,10", "line 10,27 10,30", "line 10,30 14,30",
                          "line 107,10 110,10", "line 110,10 110,14", "line 107,30 110,30", "line 110,30 110,26"}));
  // With frame lines of width 3 the inner rectangle stops inside them.
  auto f = Framed(kAll, 3, psSolid, 0xFF0000);
  TvlRecordingCanvas c;
  f->Draw(c);
  EXPECT_EQ(c.Describe()[1], "fill 11,11,109,29");
  // Nothing at all during a first pass.
  vlState().FirstPassOnly = true;
  EXPECT_TRUE(Drawn(*f).empty());
}

TEST_F(ViewTest, BeginDrawScalesGeometryAndEndDrawRestoresIt) {
  Mode(TvlDocMode::dmDesign);
  auto p = Framed(kAll, 2, psSolid);
  TvlView& v = *p;
  v.GapX = 2, v.GapY = 1;
  v.DrawScaleX = 3;  // ignored in design mode
  v.BeginDraw();
  EXPECT_EQ(v.GapX, 3);  // 1 + 2
  EXPECT_EQ(v.GapY, 1);  // 1 + 1 div 2
  EXPECT_EQ(v.DRect, (TvlRect{10, 10, 110, 30}));  // round(0.5) = 0 inside the left and top lines
  v.EndDraw();
  EXPECT_EQ(v.GapX, 2);
  EXPECT_EQ(v.GapY, 1);

  Mode(TvlDocMode::dmPrinting);
  v.DrawScaleX = 2.5, v.DrawScaleY = 1.5, v.DrawOffsetX = 7, v.DrawOffsetY = -3;
  v.BeginDraw();
  EXPECT_EQ(v.Left, 32);    // round(25) + 7
  EXPECT_EQ(v.Top, 12);     // round(15) - 3
  EXPECT_EQ(v.Width, 250);
  EXPECT_EQ(v.Height, 30);
  EXPECT_FLOAT_EQ(v.FrameWidth, 5.0f);
  EXPECT_EQ(v.GapX, 2 + 5);  // round(2.5) + round(5)
  EXPECT_EQ(v.GapY, 2 + 1);  // round(1.5) + round(1.5) div 2
  EXPECT_EQ(v.DrawRight(), 282);
  EXPECT_EQ(v.DrawBottom(), 42);
  EXPECT_EQ(v.DRect, (TvlRect{34, 13, 281, 41}));
  v.EndDraw();
  EXPECT_EQ(v.Left, 10);
  EXPECT_EQ(v.Width, 100);
  EXPECT_FLOAT_EQ(v.FrameWidth, 2.0f);
}

TEST_F(ViewTest, RegionsFollowFrameLinesAndStyle) {
  const struct {
    std::uint16_t Lines;
    float Width;
    std::uint16_t Style;
    TvlRect Normal;
  } cases[] = {
      {kAll, 1, psSolid, {10, 10, 111, 31}},
      {vlftNone, 1, psSolid, {10, 10, 111, 31}},
      {kAll, 3, psSolid, {8, 8, 112, 32}},  // outer round(1.5) = 2, inner round(1) = 1
      {kAll, 4, psSolid, {8, 8, 113, 33}},  // outer 2, inner round(1.5) = 2
      {vlftLeft | vlftTop, 4, psSolid, {8, 8, 111, 31}},
      {kAll, 2, psDouble, {7, 7, 113, 33}},  // outer 3, inner round(2.5) = 2
  };
  for (const auto& c : cases) {
    auto v = Framed(c.Lines, c.Width, c.Style);
    EXPECT_EQ(v->GetClipRgn(false).Bounds(), c.Normal) << c.Lines << " " << c.Width << " " << c.Style;
  }
  auto v = Framed(kAll, 1, psSolid);
  EXPECT_EQ(v->GetClipRgn(true).Bounds(), (TvlRect{0, 0, 121, 41}));
}

TvlBandAlignContext Page(TvlDocMode mode, std::vector<TvlView*> objects) {
  TvlBandAlignContext c;
  c.Mode = mode;
  c.PageLeft = 20;
  c.PageRight = 720;
  c.Objects = std::move(objects);
  return c;
}

TEST_F(ViewTest, BandAlignmentPlacesViewsByNeighboursLimitsAndBands) {
  auto view = [](std::int32_t left, std::int32_t top, std::int32_t width, std::uint8_t align) {
    auto v = std::make_unique<TvlView>();
    v->Left = left, v->Top = top, v->Width = width, v->Height = 20, v->BandAlign = align;
    return v;
  };
  auto band = [](std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height, std::uint8_t type) {
    auto b = std::make_unique<TvlView>();
    b->Typ = otBand;
    b->Left = left, b->Top = top, b->Width = width, b->Height = height, b->FrameTyp = type;
    return b;
  };
  auto leftN = view(20, 50, 100, baLeft);
  auto rightN = view(600, 50, 60, baRight);
  auto otherRow = view(130, 51, 500, baLeft);  // not on the row
  auto cross = band(300, 0, 80, 1000, btCrossData);
  auto data = band(0, 100, 800, 50, btMasterData);
  const struct {
    const char* Name;
    TvlDocMode Mode;
    std::unique_ptr<TvlView> V;
    std::vector<TvlView*> Others;
    std::int32_t Left, Top, Width;
  } cases[] = {
      {"left after neighbour", TvlDocMode::dmDesign, view(200, 50, 40, baLeft), {leftN.get(), otherRow.get()}, 120, 50, 40},
      {"left without neighbour", TvlDocMode::dmDesign, view(200, 60, 40, baLeft), {leftN.get()}, 20, 60, 40},
      {"right before neighbour", TvlDocMode::dmDesign, view(300, 50, 40, baRight), {rightN.get()}, 559, 50, 40},
      {"right without neighbour", TvlDocMode::dmDesign, view(300, 50, 40, baRight), {}, 680, 50, 40},
      {"centre", TvlDocMode::dmDesign, view(0, 50, 100, baCenter), {}, 320, 50, 100},
      {"width on a cross band", TvlDocMode::dmDesign, view(310, 120, 10, baWidth), {data.get(), cross.get()}, 300, 120, 80},
      {"width elsewhere", TvlDocMode::dmDesign, view(30, 120, 10, baWidth), {data.get(), cross.get()}, 20, 120, 700},
      {"width printing, no band", TvlDocMode::dmPrinting, view(30, 120, 10, baWidth), {}, 20, 120, 699},
      {"bottom of band", TvlDocMode::dmDesign, view(30, 110, 10, baBottom), {data.get()}, 30, 130, 10},
      {"top of band", TvlDocMode::dmDesign, view(30, 110, 10, baTop), {data.get()}, 30, 100, 10},
      {"band edge included", TvlDocMode::dmDesign, view(800, 150, 10, baTop), {data.get()}, 800, 100, 10},
      {"bottom printing: nothing", TvlDocMode::dmPrinting, view(30, 110, 10, baBottom), {data.get()}, 30, 110, 10},
      {"rest between neighbours", TvlDocMode::dmDesign, view(300, 50, 5, baRest), {leftN.get(), rightN.get()}, 120, 50, 480},
      {"rest alone", TvlDocMode::dmDesign, view(300, 50, 5, baRest), {}, 20, 50, 700},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    std::vector<TvlView*> objects = c.Others;
    objects.push_back(c.V.get());
    c.V->ApplyBandAlign(Page(c.Mode, objects));
    EXPECT_EQ(c.V->Left, c.Left);
    EXPECT_EQ(c.V->Top, c.Top);
    EXPECT_EQ(c.V->Width, c.Width);
  }
  // A neighbour reaching past the right limit leaves a zero width, not a negative one.
  auto wide = view(650, 50, 100, baLeft);
  auto v = view(700, 50, 40, baLeft);
  v->ApplyBandAlign(Page(TvlDocMode::dmDesign, {wide.get(), v.get()}));
  EXPECT_EQ(v->Left, 750);
  EXPECT_EQ(v->Width, 0);
  // Printing on a band: the row is found relative to the band's top.
  auto onBand = view(300, 250, 40, baLeft);
  TvlBandAlignContext ctx = Page(TvlDocMode::dmPrinting, {leftN.get(), onBand.get()});
  ctx.HasCurrentBand = true;
  ctx.OnBand = true;
  ctx.BandTop = 200;
  onBand->ApplyBandAlign(ctx);
  EXPECT_EQ(onBand->Left, 120);
}

TEST_F(ViewTest, DrawingAlignsThroughTheInstalledPageAndBecomesCurrent) {
  Mode(TvlDocMode::dmPrinting);
  auto p = Framed(vlftNone, 1, psSolid, clWhite);
  TvlView& v = *p;
  v.BandAlign = baCenter;
  TvlRecordingCanvas c;
  v.Draw(c);  // no page: nothing moves
  EXPECT_EQ(v.Left, 10);
  EXPECT_EQ(vlState().CurView, &v);
  vlSetBandAlignProvider([](TvlView&, TvlBandAlignContext& ctx) {
    ctx = Page(TvlDocMode::dmPrinting, {});
    return true;
  });
  TvlRecordingCanvas c2;
  v.Draw(c2);
  EXPECT_EQ(v.Left, 320);
  EXPECT_EQ(c2.Describe(), (std::vector<std::string>{"fill 320,10,420,30"}));
}

TEST_F(ViewTest, UniqueNamesTakeTheFirstFreeNumber) {
  std::set<std::string> names;
  auto taken = [&names](const std::string& n) { return names.count(vlUpperCase(n)) > 0; };
  std::vector<std::unique_ptr<TvlView>> views;
  for (int k = 0; k < 3; ++k) {
    views.push_back(std::make_unique<TvlMemoView>());
    views.back()->CreateUniqueName(taken);
    names.insert(vlUpperCase(views.back()->Name));
  }
  EXPECT_EQ(views[0]->Name, "Memo1");
  EXPECT_EQ(views[2]->Name, "Memo3");
  names.erase("MEMO2");
  TvlMemoView again;
  again.CreateUniqueName(taken);
  EXPECT_EQ(again.Name, "Memo2");
  TvlLineView full;
  full.Name = "old";
  full.CreateUniqueName([](const std::string&) { return true; });
  EXPECT_EQ(full.Name, "");
}

// Records what print writes.
class RecordingSink : public TvlPrintSink {
 public:
  void WriteByte(std::uint8_t value) override { Out.push_back("byte " + std::to_string(value)); }
  void WriteString(const std::string& text) override { Out.push_back("string " + text); }
  void WriteViewData(TvlView& view) override {
    Out.push_back("view " + view.Name + " tag " + view.Tag + " top " + std::to_string(view.Top) + " memo " +
                  vlJoinLines(view.PrintedMemo));
  }
  std::vector<std::string> Out;
};

TEST_F(ViewTest, PrintWritesTheObjectWithExpandedTagAndSkipsHiddenOnes) {
  Mode(TvlDocMode::dmPrinting);
  TvlView v;
  v.Name = "Addr";
  v.Typ = otAddIn;
  v.Tag = "[Name]";
  v.Memo = {"line"};
  v.Top = 15;
  v.Height = 10;
  v.BandAlign = baBottom;
  std::vector<std::string> calls;
  vlPrintHooks().BeforePrint = [&calls](TvlView& x) { calls.push_back("before " + x.PrintedMemo.front()); };
  vlPrintHooks().RunScript = [&calls](TvlView&) { calls.push_back("script"); };
  vlPrintHooks().ExpandText = [](TvlView&, const std::string& t) { return "<" + t + ">"; };
  vlSetBandAlignProvider([](TvlView&, TvlBandAlignContext& ctx) {
    ctx = Page(TvlDocMode::dmPrinting, {});
    ctx.HasCurrentBand = true;
    ctx.BandTop = 100;
    ctx.BandCalcHeight = 40;
    return true;
  });
  RecordingSink sink;
  v.Print(sink);
  EXPECT_EQ(calls, (std::vector<std::string>{"before line", "script"}));
  EXPECT_EQ(sink.Out, (std::vector<std::string>{"byte 10", "string TvlView", "view Addr tag <[Name]> top 130 memo line\r\n"}));
  EXPECT_EQ(v.Tag, "[Name]");  // restored

  v.CallMethod("HIDE", {}, {}, {});
  EXPECT_FALSE(v.Visible);
  RecordingSink none;
  v.Print(none);
  EXPECT_TRUE(none.Out.empty());
}

TEST_F(ViewTest, PropertiesByName) {
  TvlMemoView v;
  v.SetProperty("left", TvlValue(12));
  v.SetProperty("FrameColor", TvlValue(static_cast<std::int32_t>(clBtnFace)));
  v.SetProperty("FRAMEWIDTH", TvlValue(2.5));
  v.SetProperty("MEMO", TvlValue("a\r\nb"));
  v.SetProperty("STRETCHED", TvlValue(false));
  v.SetProperty("TAG", TvlValue("t"));
  EXPECT_EQ(v.Left, 12);
  EXPECT_EQ(v.FrameColor, clBtnFace);
  EXPECT_FLOAT_EQ(v.FrameWidth, 2.5f);
  EXPECT_EQ(v.Memo, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(v.Flags, flWordWrap);  // only the stretched bit went
  EXPECT_EQ(v.GetProperty("MEMO.COUNT").Int(), 2);
  EXPECT_EQ(v.GetProperty("DATAFIELD").Str(), "a");
  EXPECT_EQ(v.GetProperty("MEMO").Str(), "a\r\nb\r\n");
  EXPECT_FALSE(v.GetProperty("STRETCHED").Bool());
  EXPECT_EQ(static_cast<TvlColor>(v.GetProperty("FRAMECOLOR").Int()), clBtnFace);
  v.SetProperty("DATAFIELD", TvlValue("Field"));
  EXPECT_EQ(v.Memo, (std::vector<std::string>{"Field"}));
  EXPECT_TRUE(v.GetProperty("NOSUCH").IsNull());
  TvlStretcheable plain;  // text views measure their text; the base keeps its height
  plain.Height = 33;
  EXPECT_EQ(plain.CallMethod("CALCHEIGHT", {}, {}, {}).Int(), 33);

  v.DeclareProperties();
  std::vector<std::string> names;
  for (const auto& p : v.Properties()) names.push_back(p->Name);
  names.resize(17);  // the base list comes first; text views add their own after it
  EXPECT_EQ(names, (std::vector<std::string>{"Name", "Left", "Top", "Width", "Height", "Flags", "FrameTyp",
                                             "FrameWidth", "FrameColor", "FrameStyle", "FillColor", "Tag",
                                             "BandAlign", "Visible", "Memo", "Memo.Count", "Restrictions"}));
  EXPECT_EQ(v.FindProperty("BandAlign")->EnumNames.size(), 8u);
  TvlBandView b;
  b.DeclareProperties();
  EXPECT_EQ(b.FindProperty("FrameTyp"), nullptr);
  TvlControl ctl;
  ctl.DeclareProperties();
  EXPECT_EQ(ctl.Properties().size(), 7u);
}

TEST_F(ViewTest, CopyContextMenuAndControlFace) {
  auto p = Framed(kAll, 2, psDash, 0x123456);
  TvlView& src = *p;
  src.Name = "Src";
  src.Selected = 1;
  src.Memo = {"x"};
  src.Restrictions = rsDontSize;
  TvlView dst;
  dst.Assign(src);
  EXPECT_EQ(dst.Name, "Src");
  EXPECT_EQ(dst.Selected, 1);
  EXPECT_EQ(dst.FillColor, 0x123456u);
  EXPECT_EQ(dst.Memo, src.Memo);
  EXPECT_EQ(dst.Restrictions, rsDontSize);

  std::vector<TvlPopupEntry> menu;
  src.DefinePopupMenu(menu);
  ASSERT_EQ(menu.size(), 2u);
  EXPECT_EQ(menu[0].Action, TvlPopupAction::Separator);
  EXPECT_EQ(vlLoadStr(menu[1].CaptionId), "Stretched");
  EXPECT_TRUE(menu[1].Checked);
  TvlView locked;
  locked.Restrictions = rsDontModify;
  TvlView::SetStretched({&src, &locked}, false);
  EXPECT_FALSE(src.Flags & flStretched);
  EXPECT_TRUE(locked.Flags & flStretched);

  Mode(TvlDocMode::dmDesign);
  TvlControl ctl;
  ctl.Left = 5, ctl.Top = 6, ctl.Width = 30, ctl.Height = 10;
  EXPECT_EQ(Drawn(ctl), (std::vector<std::string>{"brush sys15", "fill 5,6,36,17"}));
}

TEST_F(ViewTest, ExtremeGeometryIsBoundedWhenReadOrAssignedAndDrawsSafely) {
  // A damaged file or a script may carry any 32-bit value; sums in drawing
  // must stay in range (the sanitizer build traps an overflow).
  TvlMemoView src;
  src.Left = src.Top = std::numeric_limits<std::int32_t>::max();
  src.Width = src.Height = std::numeric_limits<std::int32_t>::min();
  src.GapX = src.GapY = std::numeric_limits<std::int32_t>::max();
  src.FrameWidth = 3.0e9f;
  TvlMemoView loaded;
  loaded.Assign(src);  // through the stream form
  EXPECT_EQ(loaded.Left, kViewCoordinateLimit);
  EXPECT_EQ(loaded.Width, -kViewCoordinateLimit);
  EXPECT_EQ(loaded.GapY, kViewCoordinateLimit);
  EXPECT_FLOAT_EQ(loaded.FrameWidth, kViewFrameWidthLimit);

  TvlMemoView scripted;
  scripted.SetProperty("LEFT", TvlValue(std::numeric_limits<std::int32_t>::min()));
  scripted.SetProperty("GAPX", TvlValue(std::numeric_limits<std::int32_t>::max()));
  scripted.SetProperty("FRAMEWIDTH", TvlValue(std::nan("")));
  EXPECT_EQ(scripted.Left, -kViewCoordinateLimit);
  EXPECT_EQ(scripted.GapX, kViewCoordinateLimit);
  EXPECT_EQ(scripted.FrameWidth, 0.0f);

  for (TvlDocMode mode : {TvlDocMode::dmDesign, TvlDocMode::dmPrinting}) {
    Mode(mode);
    for (TvlMemoView* v : {&loaded, &scripted}) {
      v->FrameTyp = kAll;
      v->FrameStyle = psDash;
      v->Memo = v->PrintedMemo = {"text", "more"};
      TvlRecordingCanvas c;
      v->Draw(c);
    }
  }
}

}  // namespace
}  // namespace vl
