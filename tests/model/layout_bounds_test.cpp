// Layout fields beyond coordinates (margins, columns and their gap, font
// size, line and character spacing) are bounded however they arrive: from a
// template, from a prepared report or from a script. Beyond the bounds the
// sums that place columns and lines overflow 32 bits.

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <memory>

#include "engine/model/layout_bounds.h"
#include "engine/model/page_limits.h"
#include "engine/model/views.h"
#include "platform/recording_canvas.h"
#include "tests/model/prepared_fixture.h"
#include "tests/model/template_fixture.h"

namespace vl::testing {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

using LayoutBounds = TemplateTest;

TEST_F(LayoutBounds, TemplateFieldsAreBoundedWhenRead) {
  TvlReport saved;
  TvlPage* page = saved.Pages.Add();
  page->Margins = {kMin, kMax, 1 << 30, -(1 << 30)};
  page->Columns = 4;
  page->ColumnGap = 1 << 30;
  auto memo = std::make_unique<TvlMemoView>();
  memo->Name = "Memo1";
  memo->Font.Size = kMax;
  memo->LineSpacing = kMin;
  memo->CharSpacing = kMax;
  page->Objects.push_back(std::move(memo));
  auto band = std::make_unique<TvlBandView>();
  band->Name = "Band1";
  band->Columns = kMax;
  band->ColumnWidth = kMin;
  band->ColumnGap = kMax;
  page->Objects.push_back(std::move(band));

  TvlReport loaded;
  Load(loaded, Save(saved));
  ASSERT_EQ(loaded.Pages.Count(), 1);
  const TvlPage& p = *loaded.Pages[0];
  EXPECT_EQ(p.Margins, (TvlRect{-kViewCoordinateLimit, kViewCoordinateLimit, kViewCoordinateLimit,
                                -kViewCoordinateLimit}));
  EXPECT_EQ(p.Columns, 4);
  EXPECT_EQ(p.ColumnGap, kViewCoordinateLimit);
  auto* m = dynamic_cast<TvlMemoView*>(loaded.FindObject("Memo1"));
  ASSERT_TRUE(m);
  EXPECT_EQ(m->Font.Size, kFontSizeLimit);
  EXPECT_EQ(m->LineSpacing, -kViewCoordinateLimit);
  EXPECT_EQ(m->CharSpacing, kCharSpacingLimit);
  auto* b = dynamic_cast<TvlBandView*>(loaded.FindObject("Band1"));
  ASSERT_TRUE(b);
  EXPECT_EQ(b->Columns, kColumnsLimit);
  EXPECT_EQ(b->ColumnWidth, -kViewCoordinateLimit);
  EXPECT_EQ(b->ColumnGap, kViewCoordinateLimit);
}

TEST_F(LayoutBounds, ScriptAssignmentsAreBounded) {
  TvlReport report;
  TvlPage& page = *report.Pages.Add();
  TvlBandView band;
  TvlMemoView memo;
  struct Case {
    const char* Property;
    std::int32_t Assigned;
    std::function<std::int32_t()> Read;
    std::int32_t Expected;
  };
  const Case cases[] = {
      {"LEFTMARGIN", kMin, [&] { return page.Margins.Left; }, -kViewCoordinateLimit},
      {"BOTTOMMARGIN", kMax, [&] { return page.Margins.Bottom; }, kViewCoordinateLimit},
      {"COLUMNS", kMax, [&] { return page.Columns; }, kColumnsLimit},
      {"COLUMNGAP", kMax, [&] { return page.ColumnGap; }, kViewCoordinateLimit},
      {"BAND COLUMNS", kMin, [&] { return band.Columns; }, -kColumnsLimit},
      {"BAND COLUMNGAP", kMin, [&] { return band.ColumnGap; }, -kViewCoordinateLimit},
      {"BAND COLUMNWIDTH", kMax, [&] { return band.ColumnWidth; }, kViewCoordinateLimit},
      {"FONT.SIZE", kMin, [&] { return memo.Font.Size; }, -kFontSizeLimit},
      {"LINESPACING", kMax, [&] { return memo.LineSpacing; }, kViewCoordinateLimit},
      {"CHARSPACING", kMin, [&] { return memo.CharSpacing; }, -kCharSpacingLimit},
  };
  for (const Case& c : cases) {
    const std::string name = c.Property;
    if (name.rfind("BAND ", 0) == 0) band.SetProperty(name.substr(5), TvlValue(c.Assigned));
    else if (name.find("MARGIN") != std::string::npos || name.rfind("COLUMN", 0) == 0)
      page.SetProperty(name, TvlValue(c.Assigned));
    else memo.SetProperty(name, TvlValue(c.Assigned));
    EXPECT_EQ(c.Read(), c.Expected) << name;
  }
}

TEST_F(LayoutBounds, PageLimitsOfRawExtremeMarginsAreClamped) {
  // Margins set on the object directly skip the bounds; the limits are
  // computed wide all the same.
  TvlReport report;
  TvlPage& page = *report.Pages.Add();
  page.Margins = {5, 5, kMin, kMin};
  const TvlPageLimits limits = vlPageLimits(page);
  EXPECT_EQ(limits.Right, kMax);
  EXPECT_EQ(limits.Bottom, kMax);
}

TEST_F(LayoutBounds, PreparedReportMarginsAreBoundedAndThePageDrawsSanely) {
  StreamBuilder s(25);
  s.U8(25).U8(0).Str("Virtual printer").I32(1);
  const std::size_t end = s.Placeholder();
  s.U16(9).I32(2100).I32(2970).U8(0).I32(7).U8(1);
  s.I32(kMin).I32(kMax).I32(kMax).I32(kMin);
  s.Raw(SampleStream()).Patch(end);
  s.U8(77);
  const std::string bytes = s.Bytes();
  TvlReport report;
  TvlStreamReader r(bytes);
  report.EMFPages.LoadFromStream(r);
  ASSERT_EQ(report.EMFPages.Count(), 1);
  EXPECT_EQ(report.EMFPages[0].Margins, (TvlRect{-kViewCoordinateLimit, kViewCoordinateLimit, kViewCoordinateLimit,
                                                 -kViewCoordinateLimit}));
  // Drawn into the widest rectangle there is, the page's sums stay in range
  // (the sanitizer build traps an overflow).
  TvlRecordingCanvas canvas;
  report.EMFPages[0].Visible = true;
  EXPECT_NO_THROW(report.EMFPages.Draw(0, canvas, TvlRect{kMin, kMin, kMax, kMax}));
}

}  // namespace
}  // namespace vl::testing
