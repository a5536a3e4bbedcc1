#include <gtest/gtest.h>

#include "platform/recording_canvas.h"
#include "platform/region.h"

namespace vl {
namespace {

TvlRegion Rgn(std::initializer_list<TvlRect> rects) {
  TvlRegion r;
  for (const TvlRect& x : rects) r = r.Union(TvlRegion(x));
  return r;
}

TEST(Region, CombinesByUnionIntersectionAndDifference) {
  const TvlRegion a(TvlRect{0, 0, 10, 10});
  const TvlRegion b(TvlRect{5, 5, 15, 15});
  const TvlRegion u = a.Union(b);
  EXPECT_EQ(u.Area(), 100 + 100 - 25);
  EXPECT_EQ(u.Bounds(), (TvlRect{0, 0, 15, 15}));
  EXPECT_TRUE(a.Intersect(b).SameArea(TvlRegion(TvlRect{5, 5, 10, 10})));
  const TvlRegion d = a.Subtract(b);
  EXPECT_EQ(d.Area(), 75);
  EXPECT_FALSE(d.Contains({7, 7}));
  EXPECT_TRUE(d.Contains({4, 9}));
  EXPECT_FALSE(d.Contains({10, 0}));  // right edge is outside
  // Cutting a hole and filling it again gives the rectangle back.
  const TvlRegion hole = a.Subtract(TvlRegion(TvlRect{3, 3, 6, 6}));
  EXPECT_EQ(hole.Area(), 91);
  EXPECT_TRUE(hole.Union(TvlRegion(TvlRect{3, 3, 6, 6})).SameArea(a));
  EXPECT_TRUE(hole.Intersects({3, 3, 4, 7}));
  EXPECT_FALSE(hole.Intersects({3, 3, 6, 6}));
  EXPECT_TRUE(TvlRegion(TvlRect{5, 5, 5, 9}).Empty());
  EXPECT_TRUE(a.Subtract(a).Empty());
  // Disjoint pieces stay disjoint after a union of overlapping parts.
  const TvlRegion many = Rgn({{0, 0, 4, 4}, {2, 2, 6, 6}, {1, 1, 5, 5}});
  long long sum = 0;
  for (const TvlRect& r : many.Rects()) sum += static_cast<long long>(r.Width()) * r.Height();
  EXPECT_EQ(sum, many.Area());
  EXPECT_EQ(many.Area(), 30);  // 3 x 16 - 4 - 9 - 9 + 4
}

TEST(Canvas, ClippingTestsAndClipBox) {
  TvlRecordingCanvas c({200, 100});
  EXPECT_EQ(c.ClipBox(), (TvlRect{0, 0, 200, 100}));
  EXPECT_TRUE(c.PtVisible(199, 99));
  EXPECT_FALSE(c.PtVisible(200, 5));
  c.ExcludeClipRect({0, 0, 50, 100});
  EXPECT_EQ(c.ClipBox(), (TvlRect{50, 0, 200, 100}));
  EXPECT_FALSE(c.PtVisible(10, 10));
  EXPECT_FALSE(c.RectVisible({0, 0, 50, 50}));
  EXPECT_TRUE(c.RectVisible({49, 0, 51, 1}));
  c.IntersectClipRect({0, 0, 60, 10});
  EXPECT_EQ(c.ClipBox(), (TvlRect{50, 0, 60, 10}));
  c.SelectClipRegion(std::nullopt);
  EXPECT_TRUE(c.PtVisible(10, 10));
  EXPECT_EQ(c.Describe(), (std::vector<std::string>{"clip 50,0,200,100", "clip 50,0,60,10", "clip none"}));
}

TEST(Canvas, MeasuresWithCharacterSpacingAndLines) {
  TvlRecordingCanvas c;
  c.SetFontHeight(13);  // 7 pixels a character, line height 12 + 3
  EXPECT_EQ(c.TextWidth("abcd"), 28);
  EXPECT_EQ(c.TextMetrics().Height, 15);
  c.SetCharSpacing(2);
  EXPECT_EQ(c.TextWidth("abcd"), 36);
  EXPECT_EQ(c.TextWidth("\xE5\xAE\x8B\xE4\xBD\x93"), 18);  // two characters of UTF-8
  EXPECT_EQ(c.MeasureText("ab\r\nabcd\nx"), (TvlSize{36, 45}));
  EXPECT_EQ(c.MeasureText("ab\r\n"), (TvlSize{18, 15}));  // a final break adds no line
  EXPECT_EQ(c.MeasureText(""), (TvlSize{0, 0}));
}

TEST(Canvas, JustificationLastsOneLineAndTextRunsKeepFontAndBounds) {
  TvlRecordingCanvas c;
  TvlCanvasFont f;
  f.Name = "Times New Roman";
  f.Height = 10;
  c.SetFont(f);
  c.SetTextJustification(6, vlBreakCount("a b c"));
  c.TextRect({0, 0, 100, 100}, 5, 5, "a b c");
  c.TextOut(5, 30, "a b c");
  f.Escapement = 900;
  c.SetFont(f);
  c.TextRect({0, 0, 40, 100}, 20, 90, "upward");
  const auto runs = c.TextRuns();
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].Bounds, (TvlRect{5, 5, 5 + 5 * 5 + 6, 5 + 11}));  // justified: 6 pixels wider
  EXPECT_EQ(runs[1].Bounds, (TvlRect{5, 30, 30, 41}));  // the justification has gone
  EXPECT_EQ(runs[0].Font.Name, "Times New Roman");
  // Turned text reads upward from its origin; the clip cuts its cell.
  EXPECT_EQ(runs[2].Bounds, (TvlRect{20, 60, 31, 90}));
  EXPECT_EQ(runs[2].Font.Escapement, 900);
  EXPECT_EQ(c.Describe(false), (std::vector<std::string>{"text 5,5 'a b c' clip 0,0,100,100", "text 5,30 'a b c'",
                                                         "text 20,90 'upward' clip 0,0,40,100"}));
}

TEST(Canvas, RecordsStateChangesOnlyWhenTheyChange) {
  TvlRecordingCanvas c;
  c.SetPenColor(clBlack);  // already black
  c.SetPenWidth(3);
  c.SetPenWidth(3);
  c.SetPenStyle(TvlPenStyle::Dot);
  c.SetPenMode(TvlPenMode::Xor);
  c.SetSolidBrush(vlRGB(255, 0, 0));
  c.SetClearBrush();
  c.SetBkMode(TvlBkMode::Transparent);
  c.MoveTo(1, 2);
  c.LineTo(10, 2);
  c.LineTo(10, 20);
  c.Rectangle({0, 0, 5, 5});
  c.SetPixel(3, 3, clWhite);
  EXPECT_EQ(c.Describe(), (std::vector<std::string>{
                              "pen 000000 3 solid copy", "pen 000000 3 dot copy", "pen 000000 3 dot xor",
                              "brush 0000FF", "brush clear", "bkmode transparent", "line 1,2 10,2", "line 10,2 10,20",
                              "rect 0,0,5,5", "pixel 3,3 FFFFFF"}));
  EXPECT_EQ(c.PenPos(), (TvlPoint{10, 20}));
}

TEST(Canvas, OffscreenSurfacesKeepTheirTextRunsWhenCopied) {
  TvlRecordingCanvas c;
  auto off = c.CreateOffscreen(50, 20);
  off->TextOut(1, 2, "inner");
  c.TextOut(0, 0, "outer");
  c.DrawCanvas(100, 200, *off);
  const auto runs = c.TextRuns();
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[1].Text, "inner");
  EXPECT_EQ(runs[1].At, (TvlPoint{101, 202}));
  EXPECT_EQ(c.Describe(false).back(), "canvas 100,200,150,220");
}

TEST(Canvas, ReplayPlaysTheSameOperationsInOrder) {
  TvlRecordingCanvas rec;
  rec.SetPen({vlRGB(1, 2, 3), 2, TvlPenStyle::Dash, TvlPenMode::Xor});
  rec.SetSolidBrush(clSilver);
  rec.IntersectClipRect({0, 0, 50, 50});
  rec.Rectangle({1, 1, 9, 9});
  rec.MoveTo(0, 0);
  rec.LineTo(20, 30);
  rec.SetCharSpacing(1);
  rec.SetTextJustification(4, 2);
  rec.TextRect({0, 0, 40, 20}, 2, 3, "a b c", toClipped | toRtlReading);
  TvlRaster r;
  r.Width = 1, r.Height = 1, r.Pixels = {0xFFFF0000};
  rec.StretchRaster({5, 5, 15, 15}, r, TvlStretchMode::ColorOnColor, true);
  auto off = rec.CreateOffscreen(10, 10);
  off->TextOut(0, 0, "in");
  rec.DrawCanvas(30, 30, *off);
  rec.SelectClipRegion(std::nullopt);
  TvlRecordingCanvas copy;
  rec.Replay(copy);
  EXPECT_EQ(copy.Describe(), rec.Describe());
  EXPECT_EQ(copy.TextRuns().back().At, (TvlPoint{30, 30}));
}

}  // namespace
}  // namespace vl
