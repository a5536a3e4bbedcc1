// The program's main job end to end: a template button of the launcher loads
// its envelope, prepares it and shows it in the preview, and printing from
// the preview reaches a real CUPS queue.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <set>

#include "app/main_form.h"
#include "engine/formation/report_windows.h"
#include "engine/model/page.h"
#include "engine/model/prepared_pages.h"
#include "engine/model/view.h"
#include "viewer/preview_form.h"
#include "viewer/print_form.h"
#include "tests/viewer/cups_fixture.h"

namespace vl::test {
namespace {

namespace fs = std::filesystem;

class LauncherToPrinter : public TvlCupsPrinting {
 protected:
  void SetUp() override {
    TvlCupsPrinting::SetUp();
    if (IsSkipped()) return;
    previousWindows_ = vlReportWindows();
    vlInstallPreviewWindow();
    previousFolder_ = fs::current_path();
    fs::current_path(fs::path(VL_SOURCE_DIR) / "app" / "data");
  }
  void TearDown() override {
    if (!previousFolder_.empty()) {
      fs::current_path(previousFolder_);
      vlReportWindows() = previousWindows_;
    }
    TvlCupsPrinting::TearDown();
  }

 private:
  TvlReportWindows previousWindows_;
  fs::path previousFolder_;
};

std::set<std::string> ViewNames(const std::string& stream) {
  std::set<std::string> names;
  vlReadPreparedViews(stream, [&](std::unique_ptr<TvlView> v) { names.insert(v->Name); });
  return names;
}

TEST_F(LauncherToPrinter, TemplateButtonPreviewsTheEnvelopeAndPrintsIt) {
  TFormMain form;
  form.vlReport1.ShowProgress = false;
  // The recipient form offered first: OK as it stands, a blank envelope.
  form.ExecRecipientForm = [](TRecipientForm&) { return true; };
  int previewPages = 0;
  std::set<std::string> printedViews;
  TvlPrintResult printed = TvlPrintResult::Failed;
  // The preview is modal: look at it once it is open, print through the
  // print dialog (OK as it stands), then close it.
  QTimer::singleShot(0, [&] {
    auto* preview = dynamic_cast<TvlPreviewForm*>(QApplication::activeModalWidget());
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->Report(), &form.vlReport1);
    EXPECT_EQ(form.vlReport1.EMFPages.Count(), 0) << "the preview holds the pages";
    previewPages = preview->Pages().Count();
    if (previewPages > 0) printedViews = ViewNames(preview->Pages()[0].Stream.Bytes());
    QTimer::singleShot(0, [] {
      auto* dialog = dynamic_cast<TvlPrintForm*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      dialog->OkButton()->click();
    });
    preview->Print();
    printed = preview->LastPrintResult();
    preview->CloseWindow();
  });
  form.SpeedButton1->Click();

  ASSERT_EQ(form.vlReport1.FileName, "Vlf/1.vlf");
  EXPECT_EQ(previewPages, 1);
  std::set<std::string> templateViews;
  for (const auto& v : form.vlReport1.Pages[0]->Objects) templateViews.insert(v->Name);
  EXPECT_FALSE(printedViews.empty());
  for (const std::string& name : printedViews) EXPECT_TRUE(templateViews.count(name)) << name;
  EXPECT_EQ(printed, TvlPrintResult::Printed);

  const std::vector<TvlCupsJob> jobs = Jobs(1);
  ASSERT_EQ(jobs.size(), 1u);
  EXPECT_EQ(jobs[0].Impressions, 1);
  const std::vector<TvlPdfPage> pdf = Server().PdfPages(jobs[0].Id);
  ASSERT_EQ(pdf.size(), 1u);
  // The sheet is the envelope's paper (tenths of a millimetre to points).
  const TvlPage& page = *form.vlReport1.Pages[0];
  const double w = page.PaperWidth * 72.0 / 254.0, h = page.PaperHeight * 72.0 / 254.0;
  EXPECT_NEAR(std::min(pdf[0].Width, pdf[0].Height), std::min(w, h), 3.0);
  EXPECT_NEAR(std::max(pdf[0].Width, pdf[0].Height), std::max(w, h), 3.0);
}

}  // namespace
}  // namespace vl::test
