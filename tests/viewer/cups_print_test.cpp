#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QSpinBox>
#include <QCheckBox>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <cstdlib>
#include <algorithm>
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

// Without --title the job is named after the template and the list, so that
// several batches in the queue can be told apart.
TEST_F(CupsPrint, ABatchJobIsTitledWithTheTemplateAndTheList) {
  const std::string source = VL_SOURCE_DIR;
  const CliRun run = Vlreport("print '" + source + "/app/data/Vlf/1.vlf' --dataset 'Addresses=" + source +
                                  "/tests/app/data/addresses.csv' --printer " + TvlCupsServer::kQueue,
                              Server().Folder());
  EXPECT_EQ(run.Code, 0) << run.Err;
  const std::vector<TvlCupsJob> jobs = Jobs(1);
  ASSERT_EQ(jobs.size(), 1u);
  EXPECT_EQ(jobs[0].Title, "DL 110 × 220 mm 国内标准信封 – addresses.csv (3)");
}

// The dark pixels' box of a page rasterised from a PDF (pdftoppm, grey):
// left, top, right, bottom in pixels, and the page's size.
struct InkBox {
  int Left = 0, Top = 0, Right = -1, Bottom = -1, Width = 0, Height = 0;
};
InkBox InkOf(const std::string& pdf, const std::string& folder, const std::string& name) {
  const std::string base = folder + "/" + name;
  const std::string command = "pdftoppm -r 300 -gray -singlefile -f 1 -l 1 '" + pdf + "' '" + base + "'";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  std::ifstream in(base + ".pgm", std::ios::binary);
  std::string magic;
  int w = 0, h = 0, max = 0;
  in >> magic >> w >> h >> max;
  in.get();
  InkBox box;
  box.Width = w, box.Height = h;
  if (magic != "P5" || w <= 0 || h <= 0 || max != 255) {
    ADD_FAILURE() << "not a grey picture: " << base << ".pgm";
    return box;
  }
  std::vector<unsigned char> pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
  in.read(reinterpret_cast<char*>(pixels.data()), static_cast<std::streamsize>(pixels.size()));
  box.Left = w, box.Top = h;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)] < 128) {
        box.Left = std::min(box.Left, x), box.Right = std::max(box.Right, x);
        box.Top = std::min(box.Top, y), box.Bottom = std::max(box.Bottom, y);
      }
  return box;
}

// What prints has the size and the place the preview and the PDF show: the
// ink of an envelope's text agrees within a pixel at 300 dpi.
TEST_F(CupsPrint, PrintedTextHasTheSizeAndPlaceOfThePdf) {
  TvlPage templatePage(DL.Code, DL.Width, DL.Height, -1, DL.Orientation);
  report.EMFPages.Insert(0, templatePage);
  auto view = testing::TextView("RecipientAddress", 200, 150, 500, 40, "Springfield, IL 62701");
  view->Font.Name = "Arial";
  view->Font.Size = 14;
  testing::PrintInto(report.EMFPages[0], {view.get()});
  const std::string folder = Server().Folder();
  const std::string file = folder + "/text.vlp";
  report.SavePreparedReport(file);

  const CliRun printed = Vlreport("print '" + file + "' --printer " + TvlCupsServer::kQueue, folder);
  ASSERT_EQ(printed.Code, 0) << printed.Err;
  const std::vector<TvlCupsJob> jobs = Jobs(1);
  ASSERT_EQ(jobs.size(), 1u);
  const std::optional<std::string> queuePdf = Server().PdfOf(jobs[0].Id);
  ASSERT_TRUE(queuePdf.has_value());
  const CliRun rendered = Vlreport("render '" + file + "' --pdf '" + folder + "/text.pdf'", folder);
  ASSERT_EQ(rendered.Code, 0) << rendered.Err;

  const InkBox paper = InkOf(*queuePdf, folder, "printed"), pdf = InkOf(folder + "/text.pdf", folder, "rendered");
  ASSERT_GE(pdf.Right, pdf.Left);
  ASSERT_GE(paper.Right, paper.Left);
  // The queue may turn the envelope's sheet a quarter; then its box is turned back.
  InkBox upright = paper;
  if (paper.Width == pdf.Height && paper.Height == pdf.Width && paper.Width != pdf.Width) {
    upright.Left = paper.Height - 1 - paper.Bottom, upright.Right = paper.Height - 1 - paper.Top;
    upright.Top = paper.Left, upright.Bottom = paper.Right;
    if (std::abs(upright.Left - pdf.Left) > 2) {  // turned the other way
      upright.Left = paper.Top, upright.Right = paper.Bottom;
      upright.Top = paper.Width - 1 - paper.Right, upright.Bottom = paper.Width - 1 - paper.Left;
    }
  }
  EXPECT_NEAR(upright.Right - upright.Left, pdf.Right - pdf.Left, 1);
  EXPECT_NEAR(upright.Bottom - upright.Top, pdf.Bottom - pdf.Top, 1);
  EXPECT_NEAR(upright.Left, pdf.Left, 1);
  EXPECT_NEAR(upright.Top, pdf.Top, 1);
}

}  // namespace
}  // namespace vl::test
