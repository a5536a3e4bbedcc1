#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/units.h"
#include "engine/model/line_view.h"
#include "engine/model/report.h"
#include "engine/output/preview_pages.h"
#include "tests/model/prepared_fixture.h"
#include "tests/output/print_platform.h"

namespace vl {
namespace {

// A report whose prepared pages are made here: each page has its paper and
// one text view "page N", as band output would have written them.
class PrintPrepared : public ::testing::Test {
 protected:
  void AddPage(std::int32_t code, std::int32_t width, std::int32_t height, std::uint8_t orientation,
               TvlEMFPages* pages = nullptr) {
    TvlEMFPages& store = pages ? *pages : report.EMFPages;
    TvlPage templatePage(code, width, height, -1, orientation);
    store.Insert(store.Count(), templatePage);
    const std::string text = "page " + std::to_string(store.Count());
    auto view = testing::TextView("Text", 20, 20, 300, 30, text);
    testing::PrintInto(store[store.Count() - 1], {view.get()});
  }
  void AddA4Pages(int count) {
    for (int k = 0; k < count; ++k) AddPage(9, 2100, 2970, 0);
  }

  // The page numbers each recorded page shows, job by job.
  std::vector<std::vector<std::string>> Printed() const {
    std::vector<std::vector<std::string>> jobs;
    for (const TvlRecordedJob& job : platform.Job.Jobs) {
      std::vector<std::string> pages;
      for (const auto& page : job.Pages) {
        std::string shown;
        for (const TvlTextRun& run : page->TextRuns()) shown += run.Text;
        pages.push_back(shown);
      }
      jobs.push_back(pages);
    }
    return jobs;
  }

  static std::vector<std::string> Pages(std::initializer_list<int> numbers) {
    std::vector<std::string> pages;
    for (int n : numbers) pages.push_back("page " + std::to_string(n));
    return pages;
  }

  TvlPrintPlatform platform;
  TvlReport report;
};

struct SelectionCase {
  const char* Range;
  std::int32_t PrintPages;
  std::vector<int> Pages;
};

TEST_F(PrintPrepared, PrintsThePagesOfTheRangeInDocumentOrder) {
  AddA4Pages(20);
  report.ShowProgress = false;
  const SelectionCase cases[] = {
      {"1,3,5-12", 0, {1, 3, 5, 6, 7, 8, 9, 10, 11, 12}},
      {"18-", 0, {18, 19, 20}},
      {"", 0, {}},  // every page, below
      {"2-6", 1, {3, 5}},
      {"9,2,4", 2, {2, 4}},
      {"12-5", 0, {}},
      {"2,4", 1, {}},
  };
  for (const SelectionCase& c : cases) {
    SCOPED_TRACE(std::string("range \"") + c.Range + "\", choice " + std::to_string(c.PrintPages));
    platform.Job.Jobs.clear();
    std::vector<int> expected = c.Pages;
    if (std::string(c.Range).empty())
      for (int n = 1; n <= 20; ++n) expected.push_back(n);
    const TvlPrintResult result = report.PrintPrepared(c.Range, 1, c.PrintPages, true);
    if (expected.empty()) {
      // Nothing selected: no job, so no blank sheet.
      EXPECT_EQ(result, TvlPrintResult::NothingToPrint);
      EXPECT_TRUE(platform.Job.Jobs.empty());
      continue;
    }
    EXPECT_EQ(result, TvlPrintResult::Printed);
    std::vector<std::string> pages;
    for (int n : expected) pages.push_back("page " + std::to_string(n));
    EXPECT_EQ(Printed(), std::vector<std::vector<std::string>>{pages});
    ASSERT_EQ(platform.Job.Jobs.size(), 1u);
    EXPECT_TRUE(platform.Job.Jobs[0].Ended);
    EXPECT_FALSE(platform.Job.Jobs[0].Aborted);
  }
  // Every page let its views go again.
  for (int i = 0; i < report.EMFPages.Count(); ++i) {
    EXPECT_FALSE(report.EMFPages[i].Visible);
    EXPECT_EQ(report.EMFPages[i].Page, nullptr);
  }
}

TEST_F(PrintPrepared, CollatesBySendingTheSelectionAgainOrAsksThePrinterForCopies) {
  AddA4Pages(3);
  report.ShowProgress = false;
  EXPECT_EQ(report.PrintPrepared("", 3, 0, true), TvlPrintResult::Printed);
  ASSERT_EQ(platform.Job.Jobs.size(), 1u);
  EXPECT_EQ(platform.Job.Jobs[0].Copies, 1);
  EXPECT_EQ(Printed()[0], Pages({1, 2, 3, 1, 2, 3, 1, 2, 3}));

  platform.Job.Jobs.clear();
  EXPECT_EQ(report.PrintPrepared("", 3, 0, false), TvlPrintResult::Printed);
  ASSERT_EQ(platform.Job.Jobs.size(), 1u);
  EXPECT_EQ(platform.Job.Jobs[0].Copies, 3);
  EXPECT_EQ(Printed()[0], Pages({1, 2, 3}));

  platform.Job.Jobs.clear();
  EXPECT_EQ(report.PrintPrepared("2", 0, 0, false), TvlPrintResult::Printed);  // below one counts as one
  ASSERT_EQ(platform.Job.Jobs.size(), 1u);
  EXPECT_EQ(platform.Job.Jobs[0].Copies, 1);
}

TEST_F(PrintPrepared, StartsAJobWheneverThePaperChanges) {
  AddPage(9, 2100, 2970, 0);   // A4
  AddPage(11, 1480, 2100, 0);  // A5
  AddPage(11, 1480, 2100, 0);
  AddPage(27, 1100, 2200, 1);  // DL, lying
  AddPage(9, 2100, 2970, 0);
  report.ShowProgress = false;
  EXPECT_EQ(report.PrintPrepared("", 2, 0, false), TvlPrintResult::Printed);
  const std::vector<std::vector<std::string>> expected = {Pages({1}), Pages({2, 3}), Pages({4}), Pages({5})};
  EXPECT_EQ(Printed(), expected);
  const std::int32_t codes[] = {9, 11, 27, 9};
  for (std::size_t k = 0; k < platform.Job.Jobs.size(); ++k) {
    const TvlRecordedJob& job = platform.Job.Jobs[k];
    EXPECT_EQ(job.Mode.PaperSize, codes[k]);
    EXPECT_EQ(job.Mode.Orientation, k == 2 ? 2 : 1);
    EXPECT_EQ(job.Copies, 2);  // every job asks for the copies, not only the first
    EXPECT_TRUE(job.Ended);
  }

  // Collated, every copy of the selection changes paper as it goes.
  platform.Job.Jobs.clear();
  EXPECT_EQ(report.PrintPrepared("1-2", 2, 0, true), TvlPrintResult::Printed);
  const std::vector<std::vector<std::string>> collated = {Pages({1}), Pages({2}), Pages({1}), Pages({2})};
  EXPECT_EQ(Printed(), collated);

  // A range that starts on other paper opens no job on the first page's paper.
  platform.Job.Jobs.clear();
  EXPECT_EQ(report.PrintPrepared("2-3", 1, 0, true), TvlPrintResult::Printed);
  ASSERT_EQ(platform.Job.Jobs.size(), 1u);
  EXPECT_EQ(platform.Job.Jobs[0].Mode.PaperSize, 11);
}

TEST_F(PrintPrepared, DrawsEachPageIntoTheSheetOrThePrintableAreaLessItsMargins) {
  // A line across the top-left corner of the page shows where the page went.
  for (bool useMargins : {true, false}) {
    TvlPage templatePage(9, 2100, 2970, -1, 0);
    report.EMFPages.Insert(report.EMFPages.Count(), templatePage);
    TvlPreparedPage& page = report.EMFPages[report.EMFPages.Count() - 1];
    page.UseMargins = useMargins;
    page.Margins = {36, 72, 36, 18};
    TvlLineView line;
    line.Left = 0, line.Top = 0, line.Width = 100, line.Height = 0;
    auto text = testing::TextView("Text", 20, 40, 300, 30, "printed");
    testing::PrintInto(page, {&line, text.get()});
  }
  report.ShowProgress = false;
  ASSERT_EQ(report.PrintPrepared("", 1, 0, true), TvlPrintResult::Printed);
  ASSERT_EQ(platform.Job.Jobs.size(), 1u);
  const TvlRecordedJob& job = platform.Job.Jobs[0];
  ASSERT_EQ(job.Pages.size(), 2u);
  const TvlPaperMetrics& m = report.EMFPages[0].PaperMetrics;
  EXPECT_EQ(m.OffsetXPx, 100);  // the in-memory printer's unprintable margin
  EXPECT_EQ(m.PrintableWidthPx, job.Metrics.PrintableWidth);
  const TvlPoint expectedStart[] = {
      {-m.OffsetXPx, -m.OffsetYPx},
      {vlRound(36.0 * m.PrintableWidthPx / m.PrintableWidthU), vlRound(72.0 * m.PrintableHeightPx / m.PrintableHeightU)},
  };
  for (int k = 0; k < 2; ++k) {
    bool found = false;
    for (const TvlCanvasOp& op : job.Pages[static_cast<std::size_t>(k)]->Ops())
      if (op.Kind == TvlOpKind::Line && !op.Points.empty()) {
        EXPECT_EQ(op.Points[0], expectedStart[k]) << "page " << k + 1;
        found = true;
        break;
      }
    EXPECT_TRUE(found) << "page " << k + 1;
    // Text is scaled with its page, as the preview and the PDF scale it: 10
    // points measure 13.33 page units, at 6.55 printer pixels per unit on the
    // whole sheet and fewer on the page drawn into the printable area less
    // its margins.
    const std::vector<TvlTextRun> runs = job.Pages[static_cast<std::size_t>(k)]->TextRuns();
    ASSERT_FALSE(runs.empty());
    EXPECT_EQ(std::abs(runs[0].Font.Height), k == 0 ? 87 : 77);
  }
}

TEST_F(PrintPrepared, ReportsProgressInTheWindowAndCancelAbortsTheJob) {
  AddA4Pages(4);
  report.Title = "Envelopes";
  int fired = 0;
  report.OnPrintReport = [&] {
    ++fired;
    EXPECT_TRUE(platform.Job.Jobs.empty());  // before the job begins
  };
  EXPECT_EQ(report.PrintPrepared("", 1, 0, true), TvlPrintResult::Printed);
  EXPECT_EQ(fired, 1);
  ASSERT_EQ(platform.Job.Jobs.size(), 1u);
  EXPECT_EQ(platform.Job.Jobs[0].Title, "Envelopes");
  EXPECT_EQ(platform.Progress.Captions, std::vector<std::string>{"Preparing report - Envelopes"});
  const std::vector<std::string> labels = {"Printing page:", "Printing page:  1", "Printing page:  2",
                                           "Printing page:  3", "Printing page:  4"};
  EXPECT_EQ(platform.Progress.FirstLabels, labels);

  // Cancel while the second page is reported: the job is dropped.
  platform.Job.Jobs.clear();
  platform.Progress.CancelAtProcessEvents = 1;
  EXPECT_EQ(report.PrintPrepared("", 1, 0, true), TvlPrintResult::Cancelled);
  EXPECT_TRUE(report.StopRequested);
  ASSERT_EQ(platform.Job.Jobs.size(), 1u);
  EXPECT_TRUE(platform.Job.Jobs[0].Aborted);
  EXPECT_FALSE(platform.Job.Jobs[0].Ended);
  EXPECT_EQ(platform.Job.Jobs[0].Pages.size(), 2u);
  EXPECT_FALSE(platform.Printers.IsPrinting);

  // With an OnProgress handler there is no window; an untitled report.
  platform.Job.Jobs.clear();
  platform.Progress.Captions.clear();
  report.Title.clear();
  std::vector<std::int32_t> progress;
  report.OnProgress = [&](std::int32_t n) { progress.push_back(n); };
  EXPECT_EQ(report.PrintPrepared("2-", 1, 2, true), TvlPrintResult::Printed);
  EXPECT_FALSE(report.StopRequested);
  EXPECT_EQ(progress, (std::vector<std::int32_t>{2, 4}));
  EXPECT_TRUE(platform.Progress.Captions.empty());
  EXPECT_EQ(platform.Job.Jobs[0].Title, "Untitled");
}

TEST_F(PrintPrepared, RefusesWhatItCannotPrint) {
  AddA4Pages(3);
  report.ShowProgress = false;
  EXPECT_EQ(report.PrintPrepared("1,a", 1, 0, true), TvlPrintResult::BadRange);
  ASSERT_EQ(platform.Messages.Messages.size(), 1u);
  EXPECT_EQ(platform.Messages.Messages[0].Text,
            "Cannot read the page range \"1,a\": only page numbers, \"-\" and \",\" may be used");
  EXPECT_EQ(platform.Messages.Messages[0].Caption, "Error");
  EXPECT_TRUE(platform.Job.Jobs.empty());

  platform.Job.RefuseBegin = true;
  EXPECT_EQ(report.PrintPrepared("", 1, 0, true), TvlPrintResult::Failed);
  EXPECT_EQ(platform.Messages.Messages.back().Text, "The printer could not start printing");
  platform.Job.RefuseBegin = false;

  // No printer on the platform: nothing happens.
  TvlMemoryPrinter none;
  vlInstallPlatform(TvlPlatform{nullptr, nullptr, nullptr, &none});
  vlResetPrinter(&none);
  EXPECT_EQ(report.PrintPrepared("", 1, 0, true), TvlPrintResult::NoPrinter);
  EXPECT_TRUE(platform.Job.Jobs.empty());
  vlInstallPlatform(TvlPlatform{nullptr, nullptr, nullptr, &platform.Printers});
  vlResetPrinter(&platform.Printers);
}

TEST_F(PrintPrepared, TakesThePagesBackFromThePreviewThatHoldsThem) {
  TvlEMFPages held(&report);
  AddPage(9, 2100, 2970, 0, &held);
  AddPage(9, 2100, 2970, 0, &held);
  int control = 0;  // stands for the preview control; never looked into here
  TvlPreview* preview = reinterpret_cast<TvlPreview*>(&control);
  vlSetPreviewPagesHook([&](TvlPreview& p) { return &p == preview ? &held : nullptr; });
  report.Preview = preview;
  report.ShowProgress = false;
  EXPECT_EQ(report.PrintPrepared("2", 1, 0, true), TvlPrintResult::Printed);
  EXPECT_EQ(Printed(), std::vector<std::vector<std::string>>{Pages({2})});
  EXPECT_EQ(held.Count(), 2);  // still the control's
  vlSetPreviewPagesHook(nullptr);
  report.Preview = nullptr;
}

}  // namespace
}  // namespace vl
