// Page building where rows used to go missing or land in the wrong place:
// footers of levels without records, records torn although a fresh page
// holds them, groups inside sub-reports, state carried from the first pass
// of a two-pass report, band-column rows of uneven height, a multiple
// report without records, and stretched bands measuring every text.

#include "tests/formation/formation_fixture.h"

namespace vl::testing {
namespace {

using PageBuilding = FormationTest;

TvlUserDataset& EmptyDataset(TvlForm& form) {
  auto& none = form.Add<TvlUserDataset>("Nothing");
  none.RangeEnd = reCount;
  none.RangeEndCount = 0;
  return none;
}

void FreshPage(TvlReport& report, TvlPage*& page) {
  report.Pages.Clear();
  page = report.Pages.Add();
  page->Margins = {20, 20, 20, 20};
}

TEST_F(PageBuilding, ALevelWithoutRecordsStillPrintsItsFooter) {
  EmptyDataset(form);
  struct Case {
    const char* name;
    const char* masterSource;
    bool printIfSubsetEmpty;
    const char* detailSource;  // none: a single level over the master source
    const char* expected;
  };
  const Case cases[] = {
      // The master list is empty: the footer's totals row, then the summary.
      {"empty master", "Nothing", false, nullptr, "totals: 0 end"},
      // An empty detail under masters that print anyway closes with its footer each time.
      {"empty detail, master printed", "2", true, "Nothing", "MH M1 DF M2 DF MF 2 end"},
      // Masters that print nothing without detail take their header and
      // every footer with them.
      {"empty detail, master dropped", "2", false, "Nothing", "end"},
      // A level with records prints its footer once, after them.
      {"detail with records", "2", false, "2", "MH M1 DH D1 D2 DF M2 DH D1 D2 DF MF 2 end"},
  };
  for (const Case& c : cases) {
    FreshPage(report, page);
    Band(btMasterHeader, 0, 10, "MH");
    Memo("mh", 20, 0, "MH");
    TvlBandView* master = Band(btMasterData, 20, 10, "M", c.masterSource);
    if (c.printIfSubsetEmpty) master->Flags |= flPrintIfSubsetEmpty;
    Memo("m", 20, 20, "M[LINE#]");
    if (c.detailSource) {
      Band(btDetailHeader, 40, 10, "DH");
      Memo("dh", 20, 40, "DH");
      Band(btDetailData, 60, 10, "D", c.detailSource);
      Memo("d", 20, 60, "D[LINE#]");
      Band(btDetailFooter, 80, 10, "DF");
      Memo("df", 20, 80, "DF");
      Band(btMasterFooter, 100, 10, "MF");
      Memo("mf", 20, 100, "MF [COUNT(M)]");
    } else {
      Band(btMasterFooter, 100, 10, "MF");
      Memo("mf", 20, 100, "totals: [COUNT(M)]");
    }
    Band(btReportSummary, 120, 10, "RS");
    Memo("rs", 20, 120, "end");
    ASSERT_TRUE(report.Prepare()) << c.name << ": " << vlState().ErrorText;
    EXPECT_EQ(All(), c.expected) << c.name;
  }
}

TEST_F(PageBuilding, ABandThatFitsAFreshPageMovesThereWhole) {
  struct Case {
    const char* name;
    std::int32_t header;  // page header on every page; 0 for none
    std::int32_t band;    // data band height (not Breaked)
    const char* expected;
  };
  // The page body is 1123 - 40 margins high; the title takes 500 of the first
  // page (the page header prints below the title there).
  const Case cases[] = {
      {"fits a fresh page", 0, 600, "title / top bottom"},
      {"fits a fresh page below its header", 100, 900, "title H / H top bottom"},
      // Taller than any page body: split at once rather than pushed on forever.
      {"taller than a page body", 100, 1000, "title H top / H bottom"},
  };
  for (const Case& c : cases) {
    FreshPage(report, page);
    if (c.header > 0) {
      Band(btPageHeader, 0, c.header, "PH");
      Memo("h", 20, 0, "H");
    }
    Band(btReportTitle, 200, 500, "T");
    Memo("t", 20, 200, "title");
    Band(btMasterData, 800, c.band, "M", "1");
    Memo("top", 20, 800, "top");
    Memo("bottom", 20, 800 + c.band - 20, "bottom");
    ASSERT_TRUE(report.Prepare()) << c.name << ": " << vlState().ErrorText;
    EXPECT_EQ(All(), c.expected) << c.name;
    if (std::string(c.name) != "taller than a page body") {
      // Moved whole: the band starts right below the fresh page's header.
      ASSERT_EQ(report.EMFPages.Count(), 2) << c.name;
      const std::vector<Printed> second = PageViews(1);
      EXPECT_EQ(second[c.header > 0 ? 1 : 0].Top, 20 + c.header) << c.name;
    }
  }
}

TEST_F(PageBuilding, GroupsInsideASubReportBreakOnTheirOwnRows) {
  Csv("Sub", "Key,Row\na,R1\na,R2\nb,R3\n");
  Band(btMasterData, 0, 20, "M", "2");
  Memo("m", 20, 0, "M[LINE#]", 60);
  auto sub = std::make_unique<TvlSubReportView>();
  sub->Name = "Sub1";
  sub->Left = 100;
  sub->Top = 0;
  sub->Width = 280;
  sub->Height = 20;
  sub->TargetPage = 1;
  page->Objects.push_back(std::move(sub));
  TvlPage* inner = report.Pages.Add();
  inner->Margins = {20, 20, 20, 20};
  Band(btGroupHeader, 0, 10, "G", "[Sub.Key]", inner);
  Memo("g", 0, 0, "G[Sub.Key]", 100, 10, inner);
  Band(btMasterData, 20, 10, "SD", "Sub", inner);
  Memo("r", 0, 20, "[Sub.Row]", 100, 10, inner);
  Band(btGroupFooter, 40, 10, "GF", "", inner);
  Memo("n", 0, 40, "N[COUNT(SD)]", 100, 10, inner);
  ASSERT_TRUE(report.Prepare()) << vlState().ErrorText;
  // Every master record starts the grouping afresh.
  EXPECT_EQ(All(), "M1 Ga R1 R2 N2 Gb R3 N1 M2 Ga R1 R2 N2 Gb R3 N1");
}

TEST_F(PageBuilding, TheFinalPassStartsFromFreshCountersAndTotals) {
  struct Case {
    const char* name;
    std::int32_t bandHeight;
    const char* master;  // the data band's text
    bool pageFooter;     // a page footer with page totals, not on the last page
  };
  const Case cases[] = {
      {"CURRENT#", 20, "[CURRENT#]", false},
      {"LINE# and LINETHROUGH#", 20, "[LINE#]/[LINETHROUGH#]", false},
      // The last page of the first pass leaves its footer's totals unprinted.
      {"page footer totals", 400, "[LINE#]", true},
  };
  for (const Case& c : cases) {
    std::string outputs[2];
    for (bool twoPass : {false, true}) {
      FreshPage(report, page);
      report.TwoPassReport = twoPass;
      Band(btMasterData, 0, c.bandHeight, "M", "3");
      Memo("m", 20, 0, c.master);
      if (c.pageFooter) {
        TvlBandView* footer = Band(btPageFooter, 500, 20, "PF");
        footer->Flags = flOnFirstPage;
        Memo("f", 20, 500, "page total [SUM(LINE#)]");
      }
      ASSERT_TRUE(report.Prepare()) << c.name << ": " << vlState().ErrorText;
      outputs[twoPass] = All();
    }
    EXPECT_EQ(outputs[1], outputs[0]) << c.name;
  }
  report.TwoPassReport = false;
}

TEST_F(PageBuilding, BandColumnRowsStartBelowTheirTallestInstance) {
  struct Case {
    const char* name;
    int tall;  // the record (1-based) that is four lines tall
    bool footer;
  };
  const Case cases[] = {
      {"first instance tall", 1, false},
      {"middle instance tall", 2, false},
      {"last instance tall", 3, false},
      {"unfinished row before a footer", 4, true},
  };
  for (const Case& c : cases) {
    FreshPage(report, page);
    TvlBandView* band = Band(btMasterData, 0, 16, "M", c.footer ? "4" : "5");
    band->Flags |= flStretched;
    band->Columns = 3;
    band->ColumnWidth = 100;
    band->ColumnGap = 20;
    TvlMemoView* m = Memo("m", 20, 0,
                          "[IF(LINE# = " + std::to_string(c.tall) +
                              ", 'a' + CRLF + 'b' + CRLF + 'c' + CRLF + 'd', 'r' + STR(LINE#))]",
                          100, 16);
    m->Flags |= flStretched | flWordWrap;
    if (c.footer) {
      Band(btMasterFooter, 40, 16, "MF");
      Memo("mf", 20, 40, "footer");
    }
    ASSERT_TRUE(report.Prepare()) << c.name << ": " << vlState().ErrorText;
    const std::vector<Printed> p = PageViews(0);
    ASSERT_EQ(p.size(), c.footer ? 5u : 5u) << c.name;
    const Printed& tall = p[static_cast<std::size_t>(c.tall - 1)];
    ASSERT_GT(tall.Height, 16) << c.name;
    // Whatever follows the row that holds the tall instance starts below it.
    const Printed& next = p[c.footer ? 4 : 3];
    EXPECT_GE(next.Top, tall.Top + tall.Height) << c.name;
    EXPECT_EQ(next.Left, 20) << c.name;
  }
}

TEST_F(PageBuilding, AMultipleReportWithoutRecordsMakesNoPages) {
  Csv("People", "Name\n");
  TvlUserDataset& none = EmptyDataset(form);
  for (TvlDataset* dataset : {static_cast<TvlDataset*>(form.FindComponent("People")), static_cast<TvlDataset*>(&none)}) {
    FreshPage(report, page);
    report.Dataset = dataset;
    report.ReportType = rtMultiple;
    Band(btReportTitle, 0, 20, "T");
    Memo("t", 20, 0, "Dear [People.Name]");
    int pages = 0;
    report.OnBeginPage = [&](std::int32_t) { ++pages; };
    ASSERT_TRUE(report.Prepare()) << vlState().ErrorText;
    EXPECT_EQ(report.EMFPages.Count(), 0) << dataset->Name();
    EXPECT_EQ(pages, 0) << dataset->Name();
    report.OnBeginPage = nullptr;
  }
  report.Dataset = nullptr;
}

TEST_F(PageBuilding, AStretchedBandMeasuresEveryText) {
  for (std::uint16_t flags : {std::uint16_t(0), std::uint16_t(flStretched)}) {
    FreshPage(report, page);
    TvlBandView* master = Band(btMasterData, 0, 20, "M", "1");
    master->Flags |= flStretched;
    // A three-line text in a one-line frame, with or without its own stretch flag.
    TvlMemoView* text = Memo("m", 20, 0, "[('a' + CRLF + 'b' + CRLF + 'c')]", 100, 16);
    text->Flags |= flags | flWordWrap;
    Band(btMasterFooter, 40, 20, "MF");
    Memo("f", 20, 40, "after");
    ASSERT_TRUE(report.Prepare()) << vlState().ErrorText;
    const std::vector<Printed> p = PageViews(0);
    ASSERT_EQ(p.size(), 2u);
    EXPECT_GT(p[1].Top, 20 + 20) << flags;  // the band grew to the text's full height
  }
}

}  // namespace
}  // namespace vl::testing
