// Each preparation run keeps its own state: a report prepared while another
// one's run is in progress leaves that run undisturbed, and both give the
// pages they give alone.

#include "engine/core/run_context.h"
#include "engine/model/stream_writer.h"
#include "tests/formation/formation_fixture.h"

namespace vl::testing {
namespace {

using RunContext = FormationTest;

TEST_F(RunContext, AReportPreparedInsideAnotherRunLeavesThatRunAlone) {
  // The outer report spans pages, counts lines and pages and sums in its footers.
  Csv("Rows", "Name,Amount\na,1\nb,2\nc,3\nd,4\n");
  Band(btPageFooter, 1000, 20, "PF");
  Memo("pf", 20, 1000, "page [PAGE#] sum [SUM([Rows.Amount])]");
  Band(btMasterData, 20, 400, "M", "Rows");
  Memo("m", 20, 20, "[Rows.Name] [LINE#] [CURRENT#]");
  Band(btReportSummary, 100, 10, "RS");
  Memo("rs", 20, 100, "total [SUM([Rows.Amount], M)] [COUNT(M)]");

  TvlReport inner;
  inner.Name = "Inner";
  inner.ShowProgress = false;
  inner.Owner = &form;
  TvlPage* innerPage = inner.Pages.Add();
  innerPage->Margins = {20, 20, 20, 20};
  Band(btMasterData, 0, 10, "IM", "3", innerPage);
  Memo("im", 20, 0, "i[LINE#] p[PAGE#]", 100, 16, innerPage);
  Band(btReportSummary, 20, 10, "IS", {}, innerPage);
  Memo("is", 20, 20, "count [COUNT(IM)]", 100, 16, innerPage);

  ASSERT_TRUE(inner.Prepare()) << vlState().ErrorText;
  const std::string innerAlone = All(&inner);
  ASSERT_TRUE(report.Prepare()) << vlState().ErrorText;
  const std::string outerAlone = All();
  ASSERT_GT(report.EMFPages.Count(), 1) << outerAlone;

  // Now the inner report is prepared while the outer one is between pages.
  int innerRuns = 0;
  report.OnEndPage = [&](std::int32_t) {
    if (innerRuns++ > 0) return;
    EXPECT_TRUE(vlInsideRun());
    EXPECT_TRUE(inner.Prepare());
  };
  ASSERT_TRUE(report.Prepare()) << vlState().ErrorText;
  EXPECT_FALSE(vlState().ErrorFlag) << vlState().ErrorText;
  EXPECT_GT(innerRuns, 0);
  EXPECT_EQ(All(), outerAlone);
  EXPECT_EQ(All(&inner), innerAlone);
  EXPECT_FALSE(vlInsideRun());
  EXPECT_EQ(vlState().CurReport, &report);
}

TEST_F(RunContext, ARunLeavesTheTemplateAsItWas) {
  // Groups, a stretched band, cross cells, a two-pass run and scripts that
  // change views, bands and the page.
  Csv("Rows", "Region,Name\nEast,a\nEast,b\nWest,c\n");
  Csv("Cols", "Name\nQ1\nQ2\n");
  report.TwoPassReport = true;
  page->Script = {"begin Page1.Columns := 2 end"};
  Band(btGroupHeader, 0, 20, "G", "[Rows.Region]");
  Memo("g", 20, 0, "[Rows.Region]", 80);
  TvlBandView* master = Band(btMasterData, 30, 20, "M", "Rows");
  master->Flags |= flStretched;
  master->Script = {"begin M.Height := 40 end"};
  TvlMemoView* name = Memo("name", 20, 30, "[Rows.Name] of [TOTALPAGES]", 80);
  name->Script = {"begin name.Left := 50; name.Memo := 'changed [LINE#]' end"};
  Band(btGroupFooter, 60, 20, "GF");
  Memo("gf", 20, 60, "[COUNT(M)]", 80);
  TvlBandView* crossData = Band(btCrossData, 0, 0, "CD", "Cols");
  crossData->Left = 200;
  crossData->Width = 60;
  crossData->Height = 100;
  Memo("cell", 200, 30, "[Cols.Name]", 60);
  TvlStreamWriter before;
  report.SaveToStream(before);
  const std::string bytes = before.TakeBytes();

  ASSERT_TRUE(report.Prepare()) << vlState().ErrorText;
  ASSERT_GT(report.EMFPages.Count(), 0);
  TvlStreamWriter after;
  report.SaveToStream(after);
  EXPECT_TRUE(after.TakeBytes() == bytes) << "the saved template changed";
}

TEST_F(RunContext, ScopesNestAndRestoreTheContextBefore) {
  TvlRunContext& program = vlRunContext();
  TvlRunContext outer, inner;
  {
    TvlRunContextScope a(outer);
    vlState().PageNo = 7;
    {
      TvlRunContextScope b(inner);
      EXPECT_EQ(&vlRunContext(), &inner);
      EXPECT_EQ(vlState().PageNo, 0);
      vlState().PageNo = 3;
    }
    EXPECT_EQ(&vlRunContext(), &outer);
    EXPECT_EQ(vlState().PageNo, 7);
  }
  EXPECT_EQ(&vlRunContext(), &program);
  EXPECT_EQ(inner.State.PageNo, 3);
}

}  // namespace
}  // namespace vl::testing
