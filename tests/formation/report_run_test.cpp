// The preparation run and the accumulators: aggregates in footers, the
// template restored after scripts changed it, multiple and two-pass reports,
// dialog pages, Cancel, errors and runs that would never end.

#include "engine/formation/dialog_page_host.h"
#include "tests/formation/formation_fixture.h"

namespace vl::testing {
namespace {

using Aggregates = FormationTest;

TEST_F(Aggregates, FootersReadTheirAccumulators) {
  Csv("Sales", "Region,Amount\nEast,5\nEast,-2\nWest,-7\nWest,-1\nWest,-3\n");
  Band(btGroupHeader, 0, 10, "G", "[Sales.Region]");
  TvlBandView* master = Band(btMasterData, 20, 10, "M", "Sales");
  master->Script = {"M.Visible := [Sales.Amount] <> -1"};
  Memo("m", 20, 20, "[Sales.Amount]");
  Band(btGroupFooter, 40, 10, "GF");
  Memo("g", 20, 40, "g [SUM([Sales.Amount], M)] [COUNT(M)] [COUNT(M, 1)] [MAX([Sales.Amount], M)]");
  Band(btMasterFooter, 60, 10, "MF");
  Memo("f", 20, 60, "f [SUM([Sales.Amount])] [AVG([Sales.Amount])] [MIN([Sales.Amount])] [MAX([Sales.Amount])]");
  Band(btReportSummary, 80, 10, "RS");
  Memo("r", 20, 80, "r [MAX([Sales.Amount], M)]");
  ASSERT_TRUE(report.Prepare()) << vlState().ErrorText;
  // West's -1 is hidden: COUNT skips it unless asked to count invisible rows.
  // MAX over West's negative values is the largest of them, not 0; the
  // master footer's AVG divides by all its records (4 visible), not by the
  // records since the last group footer.
  EXPECT_EQ(All(), "5 -2 g 3 2 2 5 -7 -3 g -10 2 3 -3 f -7 -1.75 -7 5 r 5");
}

TEST_F(Aggregates, NoRecordsGiveZero) {
  auto& none = form.Add<TvlUserDataset>("Nothing");
  none.RangeEnd = reCount;
  none.RangeEndCount = 0;
  Band(btMasterData, 0, 10, "M", "Nothing");
  Memo("m", 20, 0, "[LINE#]");
  Band(btReportSummary, 20, 10, "RS");
  Memo("r", 20, 20, "[SUM(LINE#)] [AVG(LINE#)] [MIN(LINE#)] [MAX(LINE#)] [COUNT(M)]");
  ASSERT_TRUE(report.Prepare()) << vlState().ErrorText;
  EXPECT_EQ(All(), "0 0 0 0 0");
}

TEST_F(Aggregates, AnAggregateInsideADictionaryVariable) {
  report.Dictionary.Variables.Set(" Totals", TvlValue(""));
  report.Dictionary.Variables.Set("Total", TvlValue("SUM(LINE#)"));
  Band(btMasterData, 0, 10, "M", "4");
  Band(btMasterFooter, 20, 10, "MF");
  Memo("f", 20, 20, "total [Total]");
  ASSERT_TRUE(report.Prepare()) << vlState().ErrorText;
  EXPECT_EQ(All(), "total 10");
}

using ReportRun = FormationTest;

TEST_F(ReportRun, ScriptChangesDoNotSurviveTheRun) {
  Band(btMasterData, 0, 20, "M", "2");
  TvlMemoView* memo = Memo("Memo1", 20, 0, "text");
  memo->Script = {"begin Memo1.Left := 300; if LINE# = 2 then Memo1.Visible := False end"};
  ASSERT_TRUE(report.Prepare()) << vlState().ErrorText;
  EXPECT_EQ(All(), "text");
  EXPECT_EQ(PageViews(0)[0].Left, 300);
  TvlView* after = report.FindObject("Memo1");
  ASSERT_NE(after, nullptr);
  EXPECT_EQ(after->Left, 20);
  EXPECT_EQ(after->Top, 0);
  EXPECT_TRUE(after->Visible);
  EXPECT_TRUE(after->Script.size() == 1 && after->Script[0].find("begin") == 0);  // not the compiled form
}

TEST_F(ReportRun, MultipleReportRepeatsForEveryRecord) {
  Csv("People", "Name\nAnn\nBob\nCid\n");
  report.Dataset = static_cast<TvlDataset*>(form.FindComponent("People"));
  report.ReportType = rtMultiple;
  Band(btReportTitle, 0, 20, "T");
  Memo("t", 20, 0, "Dear [People.Name]");
  int begins = 0, ends = 0;
  report.OnBeginDoc = [&] { ++begins; };
  report.OnEndDoc = [&] { ++ends; };
  ASSERT_TRUE(report.Prepare()) << vlState().ErrorText;
  EXPECT_EQ(All(), "Dear Ann / Dear Bob / Dear Cid");
  EXPECT_EQ(begins, 1);
  EXPECT_EQ(ends, 1);
}

TEST_F(ReportRun, TwoPassReportKnowsTheTotalPages) {
  report.TwoPassReport = true;
  for (bool window : {false, true}) {
    report.ShowProgress = window;
    progress.FirstLabels.clear();
    Band(btMasterData, 0, 400, "M", "5");
    Memo("m", 20, 0, "Page [PAGE#] of [TOTALPAGES]");
    ASSERT_TRUE(report.Prepare()) << vlState().ErrorText;
    EXPECT_EQ(All(), "Page 1 of 3 Page 1 of 3 / Page 2 of 3 Page 2 of 3 / Page 3 of 3") << window;
    if (window) {
      ASSERT_FALSE(progress.FirstLabels.empty());
      EXPECT_EQ(progress.FirstLabels.front(), "Performing 1st pass:  1");
      EXPECT_EQ(progress.FirstLabels.back(), "Processing page:  3 from 3");
    }
    report.Pages.Clear();
    page = report.Pages.Add();
    page->Margins = {20, 20, 20, 20};
  }
}

struct CancellingHost : TvlDialogPageHost {
  int shown = 0;
  std::int32_t ShowModal(TvlPage&) override {
    ++shown;
    return mrCancel;
  }
};

TEST_F(ReportRun, CancelledDialogPageLeavesNoPages) {
  Band(btReportTitle, 0, 20, "T");
  Memo("t", 20, 0, "title");
  TvlPage* dialog = report.Pages.Add();
  dialog->PageType = ptDialog;
  Memo("Label1", 10, 10, "Name?", 100, 16, dialog);
  for (bool byScript : {false, true}) {
    dialog = report.Pages[1];  // the run reloads the template
    CancellingHost host;
    vlSetDialogPageHost(byScript ? nullptr : &host);
    dialog->Script = byScript ? std::vector<std::string>{"MODALRESULT := mrCancel"} : std::vector<std::string>{};
    EXPECT_FALSE(report.Prepare()) << byScript;
    EXPECT_EQ(report.EMFPages.Count(), 0);
    EXPECT_EQ(host.shown, byScript ? 0 : 1);
    vlSetDialogPageHost(nullptr);
  }
  // Confirmed (the headless host answers OK): the report is built.
  report.Pages[1]->Script.clear();
  EXPECT_TRUE(report.Prepare());
  EXPECT_EQ(All(), "title");
}

TEST_F(ReportRun, CancelInTheProgressWindowStopsTheRun) {
  report.ShowProgress = true;
  Band(btMasterData, 0, 400, "M", "100");
  Memo("m", 20, 0, "[LINE#]");
  progress.CancelAtProcessEvents = 4;
  EXPECT_FALSE(report.Prepare());
  EXPECT_GT(report.EMFPages.Count(), 0);
  EXPECT_LT(report.EMFPages.Count(), 10);
  EXPECT_FALSE(vlState().ErrorFlag);
  EXPECT_TRUE(box.Messages.empty());

  // A script that never ends is stopped by Cancel too.
  progress.CancelAtProcessEvents = 3;
  report.FindObject("M")->Script = {"begin while 1 do x := 1 end"};
  EXPECT_FALSE(report.Prepare());
  EXPECT_TRUE(box.Messages.empty());
}

TEST_F(ReportRun, EndlessScriptWithoutAWindowEndsWithAnError) {
  vlRunSettings().ScriptStepBudget = 100000;
  Band(btMasterData, 0, 20, "M", "1");
  TvlMemoView* memo = Memo("Memo1", 20, 0, "text");
  memo->Script = {"begin while 1 do x := 1 end"};
  EXPECT_TRUE(report.Prepare());  // without a window the result stays true
  vlRunSettings().ScriptStepBudget = TvlRunSettings{}.ScriptStepBudget;
  EXPECT_EQ(report.EMFPages.Count(), 0);
  ASSERT_EQ(box.Messages.size(), 1u);
  EXPECT_NE(box.Messages[0].Text.find("Object: Memo1"), std::string::npos);
  EXPECT_NE(box.Messages[0].Text.find("100000 steps"), std::string::npos);
}

TEST_F(ReportRun, WholePreparationKeepsToItsStepAndTimeBudgets) {
  // Every record's script is cheap; together they would run for hours.
  struct Restore {
    ~Restore() { vlRunSettings() = TvlRunSettings{}; }
  } restore;
  vlRunSettings().PreparationStepBudget = 1000;
  Band(btMasterData, 0, 20, "M", "500");
  TvlMemoView* memo = Memo("Memo1", 20, 0, "text");
  memo->Script = {"begin i := 0; while i < 10 do i := i + 1 end"};
  EXPECT_TRUE(report.Prepare());
  ASSERT_EQ(box.Messages.size(), 1u);
  EXPECT_NE(box.Messages[0].Text.find("Preparation stopped after 1000 script steps (object \"Memo1\")"),
            std::string::npos)
      << box.Messages[0].Text;

  // Wall time, read from a clock that moves a second at every look: pages
  // without any script stop too.
  box.Messages.clear();
  vlState().ClearError();
  vlRunSettings() = TvlRunSettings{};
  auto now = std::chrono::steady_clock::time_point{};
  vlRunSettings().PreparationClock = [&now] { return now += std::chrono::seconds(1); };
  vlRunSettings().PreparationTimeBudget = std::chrono::seconds(5);
  // The run reloads the template: its views are found again.
  memo = static_cast<TvlMemoView*>(report.FindObject("Memo1"));
  ASSERT_TRUE(memo);
  memo->Script.clear();
  report.FindObject("M")->Height = 400;
  EXPECT_TRUE(report.Prepare());
  ASSERT_EQ(box.Messages.size(), 1u);
  EXPECT_NE(box.Messages[0].Text.find("Preparation stopped after 5 seconds"), std::string::npos)
      << box.Messages[0].Text;
  EXPECT_LT(report.EMFPages.Count(), 10);
}

TEST_F(ReportRun, ErrorInAViewScriptNamesReportObjectAndMemo) {
  report.ShowProgress = true;
  Band(btMasterData, 0, 20, "M", "3");
  TvlMemoView* memo = Memo("Memo1", 20, 0, "first line\nsecond [LINE#]");
  memo->Script = {"if LINE# = 2 then x := Nothing + 1"};
  EXPECT_FALSE(report.Prepare());
  EXPECT_EQ(report.EMFPages.Count(), 0);
  ASSERT_EQ(box.Messages.size(), 1u);
  EXPECT_EQ(box.Messages[0].Caption, "Error");
  EXPECT_EQ(box.Messages[0].Text,
            "An error occured during calculating\rfirst line\rsecond [LINE#]\r\rReport: Report1\r"
            "Object: Memo1\r\rUndefined symbol \"NOTHING\"");
}

TEST_F(ReportRun, ARunThatOnlyAddsPagesStops) {
  // Every record asks for a new page before it prints, and the header alone
  // overflows every page: nothing could ever print.
  TvlBandView* header = Band(btPageHeader, 0, 1100, "PH");
  (void)header;
  Memo("h", 20, 0, "header");
  Band(btMasterData, 1200, 20, "M", "2");
  Memo("m", 20, 1200, "[LINE#]");
  vlRunSettings().MaxPagesWithoutProgress = 50;
  report.Prepare();
  vlRunSettings().MaxPagesWithoutProgress = TvlRunSettings{}.MaxPagesWithoutProgress;
  EXPECT_LE(report.EMFPages.Count(), 60);
}

}  // namespace
}  // namespace vl::testing
