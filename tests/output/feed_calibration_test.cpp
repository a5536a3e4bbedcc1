#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/model/line_view.h"
#include "engine/model/report.h"
#include "engine/output/feed_calibration.h"
#include "engine/output/feed_test_page.h"
#include "platform/memory_settings_store.h"
#include "tests/model/prepared_fixture.h"
#include "tests/output/print_platform.h"

namespace vl {
namespace {

class FeedCalibration : public ::testing::Test {
 protected:
  FeedCalibration() : previous_(vlPlatform().Settings) {
    vlInstallPlatform(TvlPlatform{nullptr, &settings});
    // One page with a line from its top-left corner.
    TvlPage templatePage(9, 2100, 2970, -1, 0);
    report.EMFPages.Insert(0, templatePage);
    TvlPreparedPage& page = report.EMFPages[0];
    page.UseMargins = true;
    line.Left = 0, line.Top = 0, line.Width = 100, line.Height = 0;
    testing::PrintInto(page, {&line});
    report.ShowProgress = false;
  }
  ~FeedCalibration() override { vlInstallPlatform(TvlPlatform{nullptr, previous_}); }

  // The recorded page's operations that move or turn the drawing.
  static std::vector<std::string> Placement(const TvlRecordingCanvas& page) {
    std::vector<std::string> out;
    for (const TvlCanvasOp& op : page.Ops())
      if (op.Kind == TvlOpKind::Turn || op.Kind == TvlOpKind::Line) out.push_back(TvlRecordingCanvas::Describe(op));
    return out;
  }

  std::vector<std::string> PrintOn(int printer) {
    EXPECT_TRUE(vlPrinter().SelectPrinter(printer));
    platform.Job.Jobs.clear();
    EXPECT_EQ(report.PrintPrepared("", 1, 0, true), TvlPrintResult::Printed);
    if (platform.Job.Jobs.size() != 1 || platform.Job.Jobs[0].Pages.size() != 1) return {};
    return Placement(*platform.Job.Jobs[0].Pages[0]);
  }

  TvlMemorySettingsStore settings;
  TvlPrintPlatform platform;
  TvlReport report;
  TvlLineView line;

 private:
  TvlSettingsStore* previous_;
};

TEST_F(FeedCalibration, IsKeptPerPrinterAndBroughtWithinItsLimits) {
  EXPECT_TRUE(vlReadFeedCalibration("Envelope printer").IsNone());
  vlWriteFeedCalibration("Envelope printer", {25, -40, true});
  vlWriteFeedCalibration("Office\\laser", {900, 0, false});
  EXPECT_EQ(vlReadFeedCalibration("Envelope printer"), (TvlFeedCalibration{25, -40, true}));
  EXPECT_EQ(vlReadFeedCalibration("Office\\laser").ShiftXTenths, TvlFeedCalibration::kMaxShiftTenths);
  EXPECT_TRUE(vlReadFeedCalibration("Office laser").IsNone());
  // A stored value edited out of range is brought back within it.
  settings.WriteInteger("Software\\Vellora\\Printers\\Envelope printer", "FeedShiftY", -100000);
  EXPECT_EQ(vlReadFeedCalibration("Envelope printer").ShiftYTenths, -TvlFeedCalibration::kMaxShiftTenths);
  // Setting it back to none removes the entry.
  vlWriteFeedCalibration("Envelope printer", {});
  EXPECT_TRUE(settings.ValueNames("Software\\Vellora\\Printers\\Envelope printer").empty());
}

TEST_F(FeedCalibration, ShiftsAndTurnsTheDrawingOnThatPrinterOnly) {
  const std::vector<std::string> plain = PrintOn(1);
  ASSERT_EQ(plain.size(), 1u);
  const TvlPaperMetrics& m = report.EMFPages[0].PaperMetrics;
  const TvlRect sheet = vlSheetRect(m);
  // 5 mm right and 2.5 mm up at the recording printer's 600 dpi.
  vlWriteFeedCalibration("Envelope printer", {50, -25, true});
  const TvlPoint shift = vlFeedShiftPixels({50, -25, true}, 600, 600);
  EXPECT_EQ(shift, (TvlPoint{118, -59}));
  const std::vector<std::string> moved = PrintOn(1);
  ASSERT_EQ(moved.size(), 3u);
  // The page is drawn turned about the whole sheet, its line moved by the shift.
  EXPECT_EQ(moved[0].rfind("turn about ", 0), 0u) << moved[0];
  for (const TvlCanvasOp& op : platform.Job.Jobs[0].Pages[0]->Ops()) {
    if (op.Kind == TvlOpKind::Turn && !vlRectEmpty(op.Rect)) {
      EXPECT_EQ(op.Rect, sheet);
    }
    if (op.Kind == TvlOpKind::Line) {
      EXPECT_EQ(op.Points[0], (TvlPoint{-m.OffsetXPx + shift.X, -m.OffsetYPx + shift.Y}));
    }
  }
  EXPECT_EQ(moved[2], "turn none");
  // The other printer, and any drawing that is not to a printer, stays as it was.
  EXPECT_EQ(PrintOn(0), plain);
  TvlRecordingCanvas preview;
  report.EMFPages[0].Visible = true;
  report.EMFPages.Draw(0, preview, {0, 0, 800, 400});
  for (const TvlCanvasOp& op : preview.Ops()) EXPECT_NE(op.Kind, TvlOpKind::Turn);
}

TEST_F(FeedCalibration, TheTestPageFramesTheSheetWithTheCalibrationBeingSet) {
  ASSERT_TRUE(vlPrinter().SelectPrinter(1));
  ASSERT_TRUE(vlPrintFeedTestPage({10, 20, false}));
  ASSERT_EQ(platform.Job.Jobs.size(), 1u);
  const TvlRecordedJob& job = platform.Job.Jobs[0];
  ASSERT_EQ(job.Pages.size(), 1u);
  EXPECT_TRUE(job.Ended);
  TvlPaperMetrics m;
  vlPrinter().FillMetrics(m);
  const TvlRect sheet = vlSheetRect(m);
  const TvlPoint shift = vlFeedShiftPixels({10, 20, false}, 600, 600);
  std::vector<TvlRect> frames;
  std::string text;
  for (const TvlCanvasOp& op : job.Pages[0]->Ops()) {
    if (op.Kind == TvlOpKind::Rectangle) frames.push_back(op.Rect);
    if (op.Kind == TvlOpKind::Text) text += op.Text + "|";
  }
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0], (TvlRect{sheet.Left + shift.X, sheet.Top + shift.Y, sheet.Right + shift.X,
                                sheet.Bottom + shift.Y}));
  EXPECT_EQ(frames[1].Left - frames[0].Left, 236);  // 10 mm at 600 dpi
  EXPECT_NE(text.find("Envelope printer|Shift right (mm): +1.0|Shift down (mm): +2.0"), std::string::npos)
      << text;
  // Without a printer there is no test page, and the user is told.
  platform.Job.RefuseBegin = true;
  EXPECT_FALSE(vlPrintFeedTestPage({}));
  EXPECT_FALSE(platform.Messages.Messages.empty());
}

}  // namespace
}  // namespace vl
