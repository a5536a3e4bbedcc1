#include <gtest/gtest.h>

#include "engine/printer/printer.h"
#include "platform/canvas.h"
#include "platform/platform.h"
#include "tests/viewer/cups_fixture.h"

namespace vl::test {
namespace {

using CupsEnvelopes = TvlCupsPrinting;

struct EnvelopeCase {
  const char* Name;
  std::int32_t Code, WidthTenths, HeightTenths, Landscape;
  const char* Media;  // what the job asks of CUPS (a prefix)
  double WidthPt, HeightPt;
};

// Each envelope of the launcher, laid out with its long side across, reaches
// the queue as the envelope media CUPS knows and comes out on that size.
TEST_F(CupsEnvelopes, AskForTheirMediaAndComeOutOnIt) {
  const EnvelopeCase cases[] = {
      {"DL", 27, 2200, 1100, 1, "EnvDL", 312, 624},  {"C5", 28, 2290, 1620, 1, "", 459, 649},
      {"C4", 30, 3240, 2290, 1, "", 649, 918},       {"C6", 31, 1620, 1140, 1, "EnvC6", 323, 459},
      {"#10", 20, 2413, 1048, 1, "Env10", 297, 684}, {"ZL", 256, 2300, 1200, 0, "Custom.120", 340, 652},
  };
  TvlPrinter& printer = vlPrinter();
  TvlPrintJob& job = *vlPlatform().PrintJob;
  for (const EnvelopeCase& c : cases) {
    ASSERT_TRUE(printer.SetPaper(c.Code, c.WidthTenths, c.HeightTenths, c.Landscape, -1, true)) << c.Name;
    job.SetTitle(c.Name);
    ASSERT_TRUE(job.Begin()) << c.Name;
    job.Canvas()->TextOut(100, 100, c.Name);
    ASSERT_TRUE(job.End()) << c.Name;
  }
  const std::vector<TvlCupsJob> jobs = Jobs(std::size(cases));
  ASSERT_EQ(jobs.size(), std::size(cases));
  for (std::size_t k = 0; k < jobs.size(); ++k) {
    const EnvelopeCase& c = cases[k];
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(jobs[k].Title, c.Name);
    EXPECT_EQ(jobs[k].Media.rfind(c.Media, 0), 0u) << jobs[k].Media;
    EXPECT_NE(jobs[k].Media, "A4");
    const std::vector<TvlPdfPage> pages = Server().PdfPages(jobs[k].Id);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(SameSheet(pages[0], c.WidthPt, c.HeightPt)) << pages[0].Width << " x " << pages[0].Height;
  }
}

}  // namespace
}  // namespace vl::test
