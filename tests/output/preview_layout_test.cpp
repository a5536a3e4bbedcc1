// The preview's arithmetic on a store filled in code: the zoom a mode gives,
// pages in rows, scroll ranges, the page a scroll position shows, and the
// pages painting keeps expanded.

#include <gtest/gtest.h>

#include "engine/output/preview_layout.h"
#include "engine/output/preview_paint.h"
#include "platform/recording_canvas.h"
#include "tests/output/preview_fixture.h"

namespace vl {
namespace {

using testing::AddPage;

struct LayoutCase {
  const char* What;
  std::int32_t Mode;
  double Factor;
  TvlSize Surface;
  int Pages;
  double ExpectFactor;
  std::int32_t PerRow;
  std::vector<TvlRect> FirstRects;  // of the first pages
  std::int32_t HorzRange, VertRange;
};

// Pages of 400 x 600 page units.
TEST(PreviewLayout, ModesGiveFactorRowsAndRanges) {
  const LayoutCase cases[] = {
      {"100%: two fit a row, the third starts the next", zmPercent, 1.0, {1000, 700}, 5, 1.0, 2,
       {{10, 10, 410, 610}, {420, 10, 820, 610}, {10, 620, 410, 1220}, {420, 620, 820, 1220}, {10, 1230, 410, 1830}},
       0, 1830 - 700 + 10},
      {"page width: one page fills the width less the gaps", zmPageWidth, 1.0, {820, 500}, 2, 2.0, 1,
       {{10, 10, 810, 1210}, {10, 1220, 810, 2420}}, 0, 2420 - 500 + 10},
      {"whole page: one per row, centred", zmWholePage, 1.0, {1000, 620}, 3, 1.0, 1,
       {{300, 10, 700, 610}, {300, 620, 700, 1220}}, 0, 1830 - 620 + 10},
      {"two pages: two per row whatever the width", zmTwoPages, 1.0, {430, 300}, 3, 0.5, 2,
       {{10, 10, 210, 310}, {220, 10, 420, 310}, {10, 320, 210, 620}}, 0, 620 - 300 + 10},
      {"a page wider than the surface: one per row, not centred, scrolls across", zmPercent, 2.0, {600, 400}, 2,
       2.0, 1, {{10, 10, 810, 1210}, {10, 1220, 810, 2420}}, 810 - 600 + 10, 2420 - 400 + 10},
      {"scaled sizes round to the nearest pixel", zmPercent, 0.25, {1000, 700}, 1, 0.25, 1,
       {{450, 10, 550, 160}}, 0, 0},
  };
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(c.What);
    TvlEMFPages pages(nullptr);
    for (int i = 0; i < c.Pages; ++i) AddPage(pages, {400, 600});
    const TvlPreviewLayout layout = vlLayoutPages(pages, 1, c.Mode, c.Factor, c.Surface);
    EXPECT_DOUBLE_EQ(layout.Factor, c.ExpectFactor);
    EXPECT_EQ(layout.PagesPerRow, c.PerRow);
    for (std::size_t i = 0; i < c.FirstRects.size(); ++i) EXPECT_EQ(pages[static_cast<int>(i)].LayoutRect, c.FirstRects[i]) << i;
    EXPECT_EQ(layout.HorzRange, c.HorzRange);
    EXPECT_EQ(layout.VertRange, c.VertRange);
  }
}

// The factor follows the current page; a narrow page beside a wide one sets
// its own row count by what fits.
TEST(PreviewLayout, MixedPagesAndTheCurrentPagesSize) {
  TvlEMFPages pages(nullptr);
  AddPage(pages, {400, 600});
  AddPage(pages, {800, 400});
  EXPECT_DOUBLE_EQ(vlLayoutPages(pages, 2, zmPageWidth, 1.0, {820, 500}).Factor, 1.0);
  EXPECT_DOUBLE_EQ(vlLayoutPages(pages, 1, zmPageWidth, 1.0, {820, 500}).Factor, 2.0);
  // At 100% on 1300 pixels both fit one row; the row is as tall as its tallest page.
  const TvlPreviewLayout layout = vlLayoutPages(pages, 1, zmPercent, 1.0, {1300, 500});
  EXPECT_EQ(layout.PagesPerRow, 2);
  EXPECT_EQ(pages[1].LayoutRect, (TvlRect{420, 10, 1220, 410}));
  EXPECT_EQ(layout.VertRange, 610 - 500 + 10);
}

TEST(PreviewLayout, PageAtScrollPosition) {
  TvlEMFPages pages(nullptr);
  for (int i = 0; i < 4; ++i) AddPage(pages, {400, 600});
  vlLayoutPages(pages, 1, zmWholePage, 1.0, {1000, 620});  // rows at 10, 620, 1230, 1840
  EXPECT_EQ(vlPageAtScroll(pages, 0), 1);
  EXPECT_EQ(vlPageAtScroll(pages, 598), 1);
  EXPECT_EQ(vlPageAtScroll(pages, 599), 0);  // the line falls into the gap
  EXPECT_EQ(vlPageAtScroll(pages, 610), 2);
  EXPECT_EQ(vlPageAtScroll(pages, 1830), 4);
  vlLayoutPages(pages, 1, zmTwoPages, 1.0, {830, 620});  // two per row
  EXPECT_EQ(vlPageAtScroll(pages, 610), 3);
}

// Only pages in view are drawn; a page whose top lies past the draw limit is
// not, and pages that leave the view give up their views.
TEST(PreviewPaint, PagesInViewOnlyAndReleasedWhenScrolledAway) {
  TvlEMFPages pages(nullptr);
  for (int i = 0; i < 6; ++i) AddPage(pages, {400, 600}, {testing::Text("Memo1", "Page " + std::to_string(i + 1))});
  const TvlSize surface{1000, 700};
  const TvlPreviewLayout layout = vlLayoutPages(pages, 1, zmPercent, 4.0, surface);  // pages 2400 tall, one per row
  ASSERT_EQ(pages[1].LayoutRect.Top, 2420);
  TvlRecordingCanvas canvas({surface.Width, 100000});
  TvlPreviewPainter painter;
  // A paint reaching far down still stops at the limit.
  painter.Paint(pages, canvas, {0, 0}, layout.Factor, {0, 0, 1000, 3000}, surface, layout.TallestPage);
  EXPECT_EQ(painter.Shown(), std::vector<int>{0});
  EXPECT_NE(pages[0].Page, nullptr);
  EXPECT_EQ(pages[1].Page, nullptr);
  bool drewText = false;
  for (const TvlTextRun& run : canvas.TextRuns()) drewText |= run.Text == "Page 1";
  EXPECT_TRUE(drewText);

  painter.Paint(pages, canvas, {0, -2420 * 2}, layout.Factor, {0, 0, 1000, 700}, surface, layout.TallestPage);
  EXPECT_EQ(painter.Shown(), std::vector<int>{2});
  EXPECT_EQ(pages[0].Page, nullptr);
  EXPECT_NE(pages[2].Page, nullptr);
  painter.ReleaseAll(pages);
  EXPECT_EQ(pages[2].Page, nullptr);
}

TEST(PreviewPaint, WithoutPagesTheSurfaceIsButtonFace) {
  TvlEMFPages pages(nullptr);
  TvlRecordingCanvas canvas({100, 100});
  TvlPreviewPainter painter;
  painter.Paint(pages, canvas, {0, 0}, 1.0, {0, 0, 100, 100}, {100, 100}, 0);
  const std::vector<std::string> ops = canvas.Describe(false);
  ASSERT_FALSE(ops.empty());
  EXPECT_EQ(ops.back(), "fill 0,0,100,100");
  TvlColor brush = 0;
  for (const TvlCanvasOp& op : canvas.Ops())
    if (op.Kind == TvlOpKind::Brush) brush = op.Brush.Color;
  EXPECT_EQ(brush, clBtnFace);
}

}  // namespace
}  // namespace vl
