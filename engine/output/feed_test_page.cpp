#include "engine/output/feed_test_page.h"

#include <algorithm>
#include <cstdio>

#include "engine/core/string_table.h"
#include "engine/core/units.h"
#include "engine/printer/printer.h"
#include "platform/platform.h"

namespace vl {
namespace {

std::string Millimetres(std::int32_t tenths) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%+.1f", tenths / 10.0);
  return buf;
}

}  // namespace

void vlDrawFeedTestPage(TvlCanvas& canvas, const TvlRect& sheet, const TvlFeedCalibration& calibration,
                        const std::string& printerName) {
  const int dpi = canvas.PixelsPerInchX();
  const auto mm = [dpi](double v) { return vlRound(v * dpi / 25.4); };
  const TvlPoint shift = vlFeedShiftPixels(calibration, canvas.PixelsPerInchX(), canvas.PixelsPerInchY());
  const TvlFeedTurn turn(canvas, calibration, sheet);
  const TvlRect s{sheet.Left + shift.X, sheet.Top + shift.Y, sheet.Right + shift.X, sheet.Bottom + shift.Y};

  canvas.SetPen(TvlPen{});
  canvas.SetPenWidth(std::max(1, mm(0.3)));
  canvas.SetClearBrush();
  canvas.Rectangle(s);
  const int inset = mm(10);
  canvas.Rectangle({s.Left + inset, s.Top + inset, s.Right - inset, s.Bottom - inset});
  const TvlPoint c{(s.Left + s.Right) / 2, (s.Top + s.Bottom) / 2};
  const int arm = mm(10);
  canvas.MoveTo(c.X - arm, c.Y);
  canvas.LineTo(c.X + arm + 1, c.Y);
  canvas.MoveTo(c.X, c.Y - arm);
  canvas.LineTo(c.X, c.Y + arm + 1);

  TvlCanvasFont font;
  font.Height = mm(3.5);
  canvas.SetFont(font);
  canvas.SetBkMode(TvlBkMode::Transparent);
  const int x = s.Left + inset + mm(2);
  int y = s.Top + inset + mm(2);
  for (const std::string& line :
       {vlLoadStr(str::kFeedTestPage), printerName,
        vlLoadStr(str::kFeedShiftRight) + " " + Millimetres(calibration.ShiftXTenths),
        vlLoadStr(str::kFeedShiftDown) + " " + Millimetres(calibration.ShiftYTenths),
        calibration.Turned ? vlLoadStr(str::kFeedTurned) : std::string()}) {
    canvas.TextOut(x, y, line);
    y += font.Height + mm(1);
  }
}

bool vlPrintFeedTestPage(const TvlFeedCalibration& calibration) {
  TvlPrinter& printer = vlPrinter();
  if (printer.IsVirtual()) {
    vlShowMessage(vlLoadStr(str::kCannotStartPrinting), vlLoadStr(str::kError), TvlMsgIcon::Error);
    return false;
  }
  TvlPaperMetrics m;
  printer.FillMetrics(m);
  TvlPrintJob& job = *vlPlatform().PrintJob;
  job.SetTitle(vlLoadStr(str::kFeedTestPage));
  job.SetCopies(1);
  if (!job.Begin()) {
    vlShowMessage(vlLoadStr(str::kCannotStartPrinting), vlLoadStr(str::kError), TvlMsgIcon::Error);
    return false;
  }
  vlDrawFeedTestPage(*job.Canvas(), vlSheetRect(m), calibration, printer.SelectedName());
  if (!job.End()) {
    vlShowMessage(vlLoadStr(str::kCannotPrintJob), vlLoadStr(str::kError), TvlMsgIcon::Error);
    return false;
  }
  return true;
}

}  // namespace vl
