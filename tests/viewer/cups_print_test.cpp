#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QSpinBox>
#include <QCheckBox>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/model/report.h"
#include "viewer/print_dialog.h"
#include "viewer/print_form.h"
#include "tests/model/prepared_fixture.h"
#include "tests/viewer/cups_fixture.h"

namespace vl::test {
namespace {

// Page sizes in points.
constexpr double kA4[] = {595, 842}, kA5[] = {420, 595}, kLetter[] = {612, 792}, kDL[] = {312, 624},
                 kZL[] = {340, 652};

struct Paper {
  std::int32_t Code, Width, Height;
  std::uint8_t Orientation;
  const double* Points;
};
const Paper A4{9, 2100, 2970, 0, kA4}, A5{11, 1480, 2100, 0, kA5}, Letter{1, 2159, 2794, 0, kLetter},
    DL{27, 2200, 1100, 1, kDL}, ZL{256, 2300, 1200, 0, kZL};

// Prints prepared pages made here on the private queue, through the code the
// preview's Print button runs.
class CupsPrint : public TvlCupsPrinting {
 protected:
  void Build(std::initializer_list<Paper> papers) {
    for (const Paper& p : papers) {
      TvlPage templatePage(p.Code, p.Width, p.Height, -1, p.Orientation);
      report.EMFPages.Insert(report.EMFPages.Count(), templatePage);
      auto view = testing::TextView("Text", 40, 40, 300, 30, "page " + std::to_string(report.EMFPages.Count()));
      testing::PrintInto(report.EMFPages[report.EMFPages.Count() - 1], {view.get()});
    }
    report.Title = "Envelopes";
    report.ShowProgress = false;
    report.ShowPrintDialog = false;
  }

  // Each finished job: its PDF's pages must be papers, in order.
  void ExpectJobs(const std::vector<TvlCupsJob>& jobs, const std::vector<std::vector<Paper>>& expected,
                  int copies) {
    ASSERT_EQ(jobs.size(), expected.size());
    for (std::size_t k = 0; k < jobs.size(); ++k) {
      SCOPED_TRACE("job " + std::to_string(k + 1));
      EXPECT_EQ(jobs[k].Title, "Envelopes");
      EXPECT_EQ(jobs[k].Copies, copies);
      EXPECT_EQ(jobs[k].Impressions, static_cast<int>(expected[k].size()) * copies);
      const std::vector<TvlPdfPage> pages = Server().PdfPages(jobs[k].Id);
      ASSERT_EQ(pages.size(), expected[k].size());
      for (std::size_t i = 0; i < pages.size(); ++i)
        EXPECT_TRUE(SameSheet(pages[i], expected[k][i].Points[0], expected[k][i].Points[1]))
            << "page " << i + 1 << ": " << pages[i].Width << " x " << pages[i].Height;
    }
  }

  TvlReport report;
};

TEST_F(CupsPrint, AnA4AndAnA5PageGoAsTwoJobsOnTheirPaper) {
  Build({A4, A5});
  EXPECT_EQ(vlPrintWithDialog(report, 1), TvlPrintResult::Printed);
  const std::vector<TvlCupsJob> jobs = Jobs(2);
  ExpectJobs(jobs, {{A4}, {A5}}, 1);
  EXPECT_EQ(jobs[0].Media, "A4");
  EXPECT_EQ(jobs[1].Media, "A5");
}

TEST_F(CupsPrint, EnvelopesOfOneSizeShareAJob) {
  Build({ZL, ZL, DL, DL});
  EXPECT_EQ(vlPrintWithDialog(report, 1), TvlPrintResult::Printed);
  const std::vector<TvlCupsJob> jobs = Jobs(2);
  ExpectJobs(jobs, {{ZL, ZL}, {DL, DL}}, 1);
  EXPECT_EQ(jobs[0].Media.rfind("Custom.120", 0), 0u) << jobs[0].Media;
  EXPECT_EQ(jobs[1].Media, "EnvDL");
}

TEST_F(CupsPrint, UncollatedCopiesAreAskedOfThePrinterCollatedOnesSentAgain) {
  Build({A4, A5});
  report.DefaultCopies = 2;
  report.DefaultCollate = false;
  EXPECT_EQ(vlPrintWithDialog(report, 1), TvlPrintResult::Printed);
  ExpectJobs(Jobs(2), {{A4}, {A5}}, 2);

  Mark = Server().LastJobId();
  report.DefaultCollate = true;
  EXPECT_EQ(vlPrintWithDialog(report, 1), TvlPrintResult::Printed);
  const std::vector<TvlCupsJob> jobs = Jobs(4);
  ExpectJobs(jobs, {{A4}, {A5}, {A4}, {A5}}, 1);
}

// The dialog as the user fills it: odd or even pages of a report whose pages
// are all on different paper.
TEST_F(CupsPrint, OddAndEvenPagesChosenInTheDialog) {
  Build({A4, A5, Letter, DL});
  report.ShowPrintDialog = true;
  for (int choice : {1, 2}) {
    SCOPED_TRACE(choice == 1 ? "odd" : "even");
    Mark = Server().LastJobId();
    QTimer::singleShot(0, [choice] {
      auto* form = dynamic_cast<TvlPrintForm*>(QApplication::activeModalWidget());
      ASSERT_TRUE(form);
      form->CB2()->setCurrentIndex(choice);
      form->accept();
    });
    EXPECT_EQ(vlPrintWithDialog(report, 1), TvlPrintResult::Printed);
    if (choice == 1)
      ExpectJobs(Jobs(2), {{A4}, {Letter}}, 1);
    else
      ExpectJobs(Jobs(2), {{A5}, {DL}}, 1);
  }
}

TEST_F(CupsPrint, CancelSendsNothing) {
  Build({A4, A4, A4});
  report.ShowProgress = true;
  Progress.CancelAtProcessEvents = 0;  // Cancel once the first page is drawn
  EXPECT_EQ(vlPrintWithDialog(report, 1), TvlPrintResult::Cancelled);
  // Jobs reach CUPS when they end: a cancelled one never did.
  EXPECT_TRUE(Server().JobIdsAfter(Mark).empty());
  // A dialog left with Cancel prints nothing either.
  report.ShowPrintDialog = true;
  QTimer::singleShot(0, [] {
    if (QWidget* w = QApplication::activeModalWidget()) dynamic_cast<QDialog*>(w)->reject();
  });
  EXPECT_EQ(vlPrintWithDialog(report, 1), TvlPrintResult::Cancelled);
  EXPECT_TRUE(Server().JobIdsAfter(Mark).empty());
}

// Runs vlreport with the arguments; its exit code, standard output and error.
struct CliRun {
  int Code = -1;
  std::string Out, Err;
};
CliRun Vlreport(const std::string& args, const std::string& folder) {
  CliRun run;
  const std::string err = folder + "/vlreport.err";
  const std::string command = std::string("QT_QPA_PLATFORM=offscreen '") + VL_VLREPORT + "' " + args + " 2>'" + err + "'";
  if (FILE* f = popen(command.c_str(), "r")) {
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) run.Out.append(buffer, n);
    const int status = pclose(f);
    run.Code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::ifstream in(err);
  run.Err.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return run;
}

// vlreport print sends a prepared-report file to the queue without a window.
TEST_F(CupsPrint, VlreportPrintsAPreparedReportFile) {
  Build({A4, A5, A4});
  const std::string file = Server().Folder() + "/three.vlp";
  report.SavePreparedReport(file);
  const std::string printer = std::string(" --title Envelopes --printer ") + TvlCupsServer::kQueue;

  CliRun run = Vlreport("print '" + file + "'" + printer + " --pages 2- --copies 2", Server().Folder());
  EXPECT_EQ(run.Code, 0) << run.Err;
  EXPECT_NE(run.Out.find("\"Result\": \"Printed\""), std::string::npos) << run.Out;
  ExpectJobs(Jobs(2), {{A5}, {A4}}, 2);

  // Odd pages, collated: pages 1 and 3 share their paper, so one job of 1, 3, 1, 3.
  Mark = Server().LastJobId();
  run = Vlreport("print '" + file + "'" + printer + " --odd --collate --copies 2", Server().Folder());
  EXPECT_EQ(run.Code, 0) << run.Err;
  ExpectJobs(Jobs(1), {{A4, A4, A4, A4}}, 1);

  // A range it cannot read: the message, exit code 1, and no job.
  Mark = Server().LastJobId();
  run = Vlreport("print '" + file + "'" + printer + " --pages 1-x", Server().Folder());
  EXPECT_EQ(run.Code, 1);
  EXPECT_NE(run.Err.find("Cannot read the page range \"1-x\""), std::string::npos) << run.Err;
  EXPECT_TRUE(Server().JobIdsAfter(Mark).empty());
}

// vlreport print prepares a template first; vlreport printers lists the queue.
TEST_F(CupsPrint, VlreportPrintsATemplateAndListsTheQueue) {
  const std::string envelope = std::string(VL_SOURCE_DIR) + "/app/data/Vlf/1.vlf";
  const CliRun run = Vlreport("print '" + envelope + "' --title Envelopes --printer " + TvlCupsServer::kQueue,
                              Server().Folder());
  EXPECT_EQ(run.Code, 0) << run.Err;
  const std::vector<TvlCupsJob> jobs = Jobs(1);
  ExpectJobs(jobs, {{DL}}, 1);
  EXPECT_EQ(jobs[0].Media, "EnvDL");

  const CliRun printers = Vlreport("printers", Server().Folder());
  EXPECT_EQ(printers.Code, 0) << printers.Err;
  EXPECT_NE(printers.Out.find(std::string("\"name\": \"") + TvlCupsServer::kQueue + "\",\n    \"virtual\": false"),
            std::string::npos)
      << printers.Out;
  EXPECT_NE(printers.Out.find("\"name\": \"Envelope DL\",\n        \"width\": 1100,\n        \"height\": 2200"),
            std::string::npos)
      << printers.Out;
}

// With an address list the template prints one envelope per address, in one job.
TEST_F(CupsPrint, VlreportPrintsOneEnvelopePerAddress) {
  const std::string source = VL_SOURCE_DIR;
  const CliRun run = Vlreport("print '" + source + "/app/data/Vlf/1.vlf' --dataset 'Addresses=" + source +
                                  "/tests/app/data/addresses.csv' --title Envelopes --printer " + TvlCupsServer::kQueue,
                              Server().Folder());
  EXPECT_EQ(run.Code, 0) << run.Err;
  EXPECT_NE(run.Out.find("\"Pages\": 3"), std::string::npos) << run.Out;
  ExpectJobs(Jobs(1), {{DL, DL, DL}}, 1);
}

}  // namespace
}  // namespace vl::test
