// Page formation over small templates: fixed bands, data levels, groups,
// columns, children, stretching and splitting, sub-reports, cross bands.

#include <limits>

#include "tests/formation/formation_fixture.h"

namespace vl::testing {
namespace {

using FixedBands = FormationTest;

TEST_F(FixedBands, HeaderAndFooterOnEveryPageButTheHeaderOnTheFirst) {
  TvlBandView* header = Band(btPageHeader, 0, 20, "PageHeader1");
  header->Flags &= static_cast<std::uint16_t>(~flOnFirstPage);
  Memo("H", 20, 0, "H");
  Band(btMasterData, 40, 20, "MasterData1", "100");
  Memo("Line", 20, 40, "[LINE#]");
  Band(btPageFooter, 1000, 20, "PageFooter1");
  Memo("F", 20, 1000, "F [PAGE#]");
  ASSERT_TRUE(report.Prepare()) << vlState().ErrorText;
  ASSERT_EQ(report.EMFPages.Count(), 3);
  EXPECT_EQ(Count("H", 0), 0);
  EXPECT_EQ(Count("H", 1), 1);
  EXPECT_EQ(Count("H", 2), 1);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Count("F " + std::to_string(i + 1), i), 1) << i;
  // Records fill the page from the top margin; the footer sits at the bottom limit.
  const std::vector<Printed> first = PageViews(0);
  EXPECT_EQ(first[0].Text, "1");
  EXPECT_EQ(first[0].Top, 20);
  EXPECT_EQ(first[0].Left, 20);
  EXPECT_EQ(first[1].Top, 40);
  EXPECT_EQ(first.back().Text, "F 1");
  EXPECT_EQ(first.back().Top, report.Pages[0]->PaperMetrics.PaperHeightU - 20 - 20);
  // Every record printed once, in order.
  int records = 0;
  for (int i = 0; i < 3; ++i)
    for (const std::string& t : Texts(i)) {
      if (t != "H" && t.rfind("F ", 0) != 0) {
        EXPECT_EQ(t, std::to_string(++records));
      }
    }
  EXPECT_EQ(records, 100);
}

TEST_F(FixedBands, ThreeLevelsWithHeadersAndFooters) {
  Band(btMasterHeader, 0, 10, "MH");
  Memo("mh", 20, 0, "MH");
  Band(btMasterData, 20, 10, "M", "2");
  Memo("m", 20, 20, "M[LINE#]");
  Band(btDetailHeader, 40, 10, "DH");
  Memo("dh", 20, 40, "DH");
  Band(btDetailData, 60, 10, "D", "2");
  Memo("d", 20, 60, "D[LINE#]");
  Band(btSubDetailData, 80, 10, "S", "1");
  Memo("s", 20, 80, "S");
  Band(btDetailFooter, 100, 10, "DF");
  Memo("df", 20, 100, "DF");
  Band(btMasterFooter, 120, 10, "MF");
  Memo("mf", 20, 120, "MF");
  ASSERT_TRUE(report.Prepare()) << vlState().ErrorText;
  EXPECT_EQ(All(), "MH M1 DH D1 S D2 S DF M2 DH D1 S D2 S DF MF");
}

TEST_F(FixedBands, DetailWithoutRecordsSkipsItsMasterUnlessPrintIfSubsetEmpty) {
  auto& none = form.Add<TvlUserDataset>("Nothing");
  none.RangeEnd = reCount;
  none.RangeEndCount = 0;
  for (bool printIfEmpty : {false, true}) {
    report.Pages.Clear();
    page = report.Pages.Add();
    page->Margins = {20, 20, 20, 20};
    Band(btMasterHeader, 0, 10, "MH");
    Memo("mh", 20, 0, "MH");
    TvlBandView* master = Band(btMasterData, 20, 10, "M", "2");
    if (printIfEmpty) master->Flags |= flPrintIfSubsetEmpty;
    Memo("m", 20, 20, "M");
    Band(btDetailData, 40, 10, "D", "Nothing");
    Memo("d", 20, 40, "D");
    Band(btMasterFooter, 60, 10, "MF");
    Memo("mf", 20, 60, "MF");
    ASSERT_TRUE(report.Prepare()) << vlState().ErrorText;
    EXPECT_EQ(All(), printIfEmpty ? "MH M M MF" : "") << printIfEmpty;
  }
}

TEST_F(FixedBands, NestedGroupsPrintFootersAtEveryBreakAndAtTheEnd) {
  Csv("Sales", "Region,City,Amount\nEast,A,1\nEast,A,2\nEast,B,3\nWest,C,4\nWest,C,5\n");
  Band(btGroupHeader, 0, 10, "G1", "[Sales.Region]");
  Memo("g1", 20, 0, "<[Sales.Region]");
  Band(btGroupHeader, 20, 10, "G2", "[Sales.City]");
  Memo("g2", 20, 20, "<<[Sales.City]");
  Band(btMasterData, 40, 10, "M", "Sales");
  Memo("m", 20, 40, "[Sales.Amount]");
  Band(btGroupFooter, 60, 10, "F2");
  Memo("f2", 20, 60, ">>[Sales.City]");
  Band(btGroupFooter, 80, 10, "F1");
  Memo("f1", 20, 80, ">[Sales.Region]");
  ASSERT_TRUE(report.Prepare()) << vlState().ErrorText;
  EXPECT_EQ(All(), "<East <<A 1 2 >>A <<B 3 >>B >East <West <<C 4 5 >>C >West");
}

TEST_F(FixedBands, RepeatHeaderAndFormNewPagePerGroup) {
  Csv("Sales", "Region,Amount\nEast,1\nEast,2\nWest,3\n");
  TvlBandView* group = Band(btGroupHeader, 0, 10, "G1", "[Sales.Region]");
  group->Flags |= flFormNewPage;
  Memo("g1", 20, 0, "[Sales.Region]");
  Band(btMasterData, 20, 10, "M", "Sales");
  Memo("m", 20, 20, "[Sales.Amount]");
  ASSERT_TRUE(report.Prepare()) << vlState().ErrorText;
  EXPECT_EQ(All(), "East 1 2 / West 3");

  // A master header with RepeatHeader comes back on every new page.
  report.Pages.Clear();
  page = report.Pages.Add();
  page->Margins = {20, 20, 20, 20};
  TvlBandView* header = Band(btMasterHeader, 0, 10, "MH");
  header->Flags |= flRepeatHeader;
  Memo("mh", 20, 0, "MH");
  Band(btMasterData, 20, 600, "M", "3");
  Memo("m", 20, 20, "[LINE#]");
  ASSERT_TRUE(report.Prepare()) << vlState().ErrorText;
  EXPECT_EQ(All(), "MH 1 / MH 2 / MH 3");
}

TEST_F(FixedBands, PageColumnsAndBandColumns) {
  for (int columns : {0, 2}) {
    report.Pages.Clear();
    page = report.Pages.Add();
    page->Margins = {20, 20, 20, 20};
    page->Columns = columns;
    page->ColumnGap = 10;
    Band(btMasterData, 0, 400, "M", "3");
    Memo("m", 20, 0, "[LINE#]");
    ASSERT_TRUE(report.Prepare()) << vlState().ErrorText;
    if (columns == 0) {
      EXPECT_EQ(All(), "1 2 / 3");
    } else {
      ASSERT_EQ(report.EMFPages.Count(), 1);
      const std::vector<Printed> p = PageViews(0);
      ASSERT_EQ(p.size(), 3u);
      const std::int32_t width = (report.Pages[0]->PaperMetrics.PaperWidthU - 40 - 10) / 2;
      EXPECT_EQ(p[2].Left, 20 + width + 10);  // the third record starts the second column
      EXPECT_EQ(p[2].Top, 20);
    }
  }

  // A data band of three columns prints records left to right.
  report.Pages.Clear();
  page = report.Pages.Add();
  page->Margins = {20, 20, 20, 20};
  TvlBandView* band = Band(btMasterData, 0, 30, "M", "7");
  band->Columns = 3;
  band->ColumnWidth = 100;
  band->ColumnGap = 20;
  Memo("m", 20, 0, "[LINE#]");
  ASSERT_TRUE(report.Prepare()) << vlState().ErrorText;
  const std::vector<Printed> p = PageViews(0);
  ASSERT_EQ(p.size(), 7u);
  const std::int32_t expected[7][2] = {{20, 20}, {140, 20}, {260, 20}, {20, 50}, {140, 50}, {260, 50}, {20, 80}};
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(p[static_cast<std::size_t>(i)].Left, expected[i][0]) << i;
    EXPECT_EQ(p[static_cast<std::size_t>(i)].Top, expected[i][1]) << i;
  }
}

TEST_F(FixedBands, ExtremeColumnFieldsStayInsideTheBounds) {
  // Set directly, past the bounds a file or a script is held to: the run
  // bounds them again and computes the column width wide.
  page->Columns = 4;
  page->ColumnGap = 1 << 30;
  Band(btMasterData, 0, 400, "M", "8");
  Memo("m", 20, 0, "[LINE#]");
  ASSERT_TRUE(report.Prepare()) << vlState().ErrorText;
  ASSERT_GE(report.EMFPages.Count(), 1);
  const std::vector<Printed> p = PageViews(0);
  ASSERT_GE(p.size(), 3u);
  const std::int64_t width =
      std::max<std::int64_t>(-kViewCoordinateLimit,
                             (std::int64_t{report.Pages[0]->PaperMetrics.PaperWidthU} - 40 - 3 * std::int64_t{kViewCoordinateLimit}) / 4);
  EXPECT_EQ(p[2].Left, 20 + width + kViewCoordinateLimit);  // the second column

  // Band columns of extreme width and gap step right, never round to the left.
  report.Pages.Clear();
  page = report.Pages.Add();
  page->Margins = {20, 20, 20, 20};
  TvlBandView* band = Band(btMasterData, 0, 30, "M", "3");
  band->Columns = 3;
  band->ColumnWidth = std::numeric_limits<std::int32_t>::max();
  band->ColumnGap = std::numeric_limits<std::int32_t>::max();
  Memo("m", 20, 0, "[LINE#]");
  ASSERT_TRUE(report.Prepare()) << vlState().ErrorText;
  const std::vector<Printed> q = PageViews(0);
  ASSERT_EQ(q.size(), 3u);
  EXPECT_GT(q[1].Left, q[0].Left);
  EXPECT_GE(q[2].Left, q[1].Left);
}

TEST_F(FixedBands, ChildBandAndStretchedTextMoveTheFollowingBands) {
  TvlBandView* master = Band(btMasterData, 0, 20, "M", "2");
  master->ChildBand = "C";
  master->Flags |= flStretched;
  TvlMemoView* text = Memo("m", 20, 0, "[IF(LINE# = 1, 'one', 'a' + CRLF + 'b' + CRLF + 'c')]", 100, 16);
  text->Flags |= flStretched | flWordWrap;
  Band(btChild, 40, 10, "C");
  Memo("c", 20, 40, "child");
  ASSERT_TRUE(report.Prepare()) << vlState().ErrorText;
  const std::vector<Printed> p = PageViews(0);
  ASSERT_EQ(p.size(), 4u);
  EXPECT_EQ(p[0].Text, "one");
  EXPECT_EQ(p[1].Text, "child");
  EXPECT_EQ(p[1].Top, p[0].Top + 20);
  EXPECT_EQ(p[2].Text, "a|b|c");
  EXPECT_GT(p[2].Height, 16);  // the text grew
  EXPECT_EQ(p[3].Text, "child");
  EXPECT_EQ(p[3].Top, p[2].Top + p[2].Height);  // the band grew with its text
}

TEST_F(FixedBands, BreakedBandTallerThanThePageSplits) {
  std::string lines;
  for (int i = 1; i <= 150; ++i) lines += (i > 1 ? "\n" : "") + std::string("line ") + std::to_string(i);
  TvlBandView* title = Band(btReportTitle, 0, 20, "T");
  title->Flags |= flStretched | flBreaked;
  TvlMemoView* text = Memo("t", 20, 0, lines, 200, 20);
  text->Flags |= flStretched | flWordWrap;
  ASSERT_TRUE(report.Prepare()) << vlState().ErrorText;
  ASSERT_GE(report.EMFPages.Count(), 2);
  // Every line printed once, in order, across the pages.
  std::vector<std::string> printed;
  for (int i = 0; i < report.EMFPages.Count(); ++i)
    for (const Printed& p : PageViews(i))
      for (const std::string& l : vlSplitLines(std::string(p.Text)))
        for (std::size_t s = 0, e; s <= l.size(); s = e + 1) {
          e = l.find('|', s);
          if (e == std::string::npos) e = l.size();
          const std::string piece = l.substr(s, e - s);
          if (piece.rfind("line ", 0) == 0) printed.push_back(piece);
        }
  ASSERT_EQ(printed.size(), 150u);
  for (int i = 0; i < 150; ++i) EXPECT_EQ(printed[static_cast<std::size_t>(i)], "line " + std::to_string(i + 1));
}

TEST_F(FixedBands, PrintToPrevPageContinuesOnTheLastPage) {
  Band(btMasterData, 0, 20, "M", "2");
  Memo("m", 20, 0, "first [LINE#]");
  TvlPage* second = report.Pages.Add();
  second->Margins = {20, 20, 20, 20};
  second->PrintToPrevPage = true;
  Band(btMasterData, 0, 20, "M2", "1", second);
  Memo("m2", 20, 0, "second", 100, 16, second);
  ASSERT_TRUE(report.Prepare()) << vlState().ErrorText;
  ASSERT_EQ(report.EMFPages.Count(), 1);
  const std::vector<Printed> p = PageViews(0);
  ASSERT_EQ(p.size(), 3u);
  EXPECT_EQ(p[2].Text, "second");
  EXPECT_EQ(p[2].Top, 60);
}

TEST_F(FixedBands, ScriptRequestsNewPageShowBandAndCursor) {
  TvlBandView* master = Band(btMasterData, 0, 20, "M", "3");
  master->Script = {"begin", "if LINE# = 2 then NEWPAGE;",
                    "if LINE# = 3 then begin SHOWBAND(Extra); CURY := CURY + 100 end", "end"};
  Memo("m", 20, 0, "[LINE#]");
  Band(btChild, 100, 20, "Extra");
  Memo("x", 20, 100, "extra");
  ASSERT_TRUE(report.Prepare()) << vlState().ErrorText;
  EXPECT_EQ(All(), "1 / 2 extra 3");
  const std::vector<Printed> p = PageViews(1);
  ASSERT_EQ(p.size(), 3u);
  EXPECT_EQ(p[1].Top, 40);        // SHOWBAND printed at the cursor
  EXPECT_EQ(p[2].Top, 60 + 100);  // CURY moved the cursor down
}

TEST_F(FixedBands, SubReportsSideBySideAcrossAPageBreak) {
  Band(btMasterData, 0, 20, "M", "1");
  for (int k = 0; k < 2; ++k) {
    auto v = std::make_unique<TvlSubReportView>();
    v->Name = "Sub" + std::to_string(k + 1);
    v->Left = 20 + 300 * k;
    v->Top = 0;
    v->Width = 280;
    v->Height = 20;
    v->TargetPage = k + 1;
    page->Objects.push_back(std::move(v));
  }
  for (int k = 0; k < 2; ++k) {
    TvlPage* sub = report.Pages.Add();
    sub->Margins = {20, 20, 20, 20};
    Band(btMasterData, 0, 100, "SD" + std::to_string(k), k == 0 ? "12" : "3", sub);
    Memo("s" + std::to_string(k), 0, 0, std::string(k == 0 ? "a" : "b") + "[LINE#]", 100, 16, sub);
  }
  ASSERT_TRUE(report.Prepare()) << vlState().ErrorText;
  ASSERT_EQ(report.EMFPages.Count(), 2);
  auto find = [&](int pageIndex, const std::string& text) {
    for (const Printed& p : PageViews(pageIndex))
      if (p.Text == text) return p;
    ADD_FAILURE() << text << " not on page " << pageIndex;
    return Printed{};
  };
  // Both sub-reports start at the same height, side by side.
  const Printed a1 = find(0, "a1"), b1 = find(0, "b1");
  EXPECT_EQ(a1.Top, 20);
  EXPECT_EQ(b1.Top, 20);
  EXPECT_EQ(a1.Left, 20);
  EXPECT_EQ(b1.Left, 320);
  EXPECT_EQ(find(0, "a2").Top, 120);
  int as = 0, bs = 0;
  for (int i = 0; i < 2; ++i)
    for (const std::string& t : Texts(i)) (t[0] == 'a' ? as : bs)++;
  EXPECT_EQ(as, 12);
  EXPECT_EQ(bs, 3);
  // The longer one continues at the top of the next page.
  EXPECT_EQ(find(1, "a11").Top, 20);
}

TEST_F(FixedBands, CrossReportWithATotalsRow) {
  Csv("Cols", "Name\nQ1\nQ2\nQ3\n");
  Band(btMasterData, 0, 20, "M", "2");
  Memo("label", 20, 0, "row [LINE#]", 80);
  Band(btMasterFooter, 40, 20, "MF");
  Memo("total", 20, 40, "total", 80);
  TvlBandView* crossData = Band(btCrossData, 0, 0, "CD", "Cols");
  crossData->Left = 200;
  crossData->Width = 60;
  crossData->Top = 0;
  crossData->Height = 100;
  Memo("cell", 200, 0, "[Cols.Name]", 60);
  Memo("sum", 200, 40, "[COLUMN#]", 60);
  ASSERT_TRUE(report.Prepare()) << vlState().ErrorText;
  EXPECT_EQ(All(), "row 1 Q1 Q2 Q3 row 2 Q1 Q2 Q3 total 1 2 3");
  const std::vector<Printed> p = PageViews(0);
  EXPECT_EQ(p[2].Left, 260);  // the second column is one cross width to the right
}

}  // namespace
}  // namespace vl::testing
