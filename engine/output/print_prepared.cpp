// Printing the prepared pages: the page list from the range text, a print job
// per run of pages on the same paper, each page drawn into its rectangle on
// the printer canvas and released right after, progress with Cancel.

#include <exception>
#include <vector>

#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/core/string_table.h"
#include "engine/core/units.h"
#include "engine/model/prepared_pages.h"
#include "engine/model/report.h"
#include "engine/output/feed_calibration.h"
#include "engine/output/page_range.h"
#include "engine/output/preview_pages.h"
#include "engine/printer/printer.h"
#include "platform/platform.h"

namespace vl {
namespace {

// Where page i lands on the printer canvas: the whole sheet for a page that
// uses its margins, else the printable area less the page's margins scaled
// to printer pixels.
TvlRect TargetRect(const TvlPreparedPage& page) {
  const TvlPaperMetrics& m = page.PaperMetrics;
  if (page.UseMargins) return vlSheetRect(m);
  const double kx = m.PrintableWidthU > 0 ? static_cast<double>(m.PrintableWidthPx) / m.PrintableWidthU : 0;
  const double ky = m.PrintableHeightU > 0 ? static_cast<double>(m.PrintableHeightPx) / m.PrintableHeightU : 0;
  return {vlRound(page.Margins.Left * kx), vlRound(page.Margins.Top * ky),
          m.PrintableWidthPx - vlRound(page.Margins.Right * kx),
          m.PrintableHeightPx - vlRound(page.Margins.Bottom * ky)};
}

TvlRect Shifted(const TvlRect& r, TvlPoint by) {
  return {r.Left + by.X, r.Top + by.Y, r.Right + by.X, r.Bottom + by.Y};
}

bool SamePaper(const TvlPrinter& printer, const TvlPreparedPage& p) {
  return printer.IsCurrentPaper(p.PaperSize, p.PaperWidth, p.PaperHeight, p.Orientation, p.Bin);
}

void ForcePaper(TvlPrinter& printer, const TvlPreparedPage& p) {
  printer.SetPaper(p.PaperSize, p.PaperWidth, p.PaperHeight, p.Orientation, p.Bin, true);
}

// One print of a selection of pages; the job is never left running.
class TvlPrintRun {
 public:
  TvlPrintRun(TvlReport& report, TvlEMFPages& pages, std::vector<int> selection)
      : report_(report), pages_(pages), selection_(std::move(selection)), printer_(vlPrinter()),
        job_(*vlPlatform().PrintJob), progress_(*vlPlatform().Progress) {}
  ~TvlPrintRun() {
    if (job_.Printing()) job_.Abort();
  }

  TvlPrintResult Print(std::int32_t copies, bool collate) {
    const TvlPreparedPage& first = pages_[selection_.front()];
    ForcePaper(printer_, first);
    printer_.FillMetrics(pages_[selection_.front()].PaperMetrics);
    job_.SetTitle(report_.Title.empty() ? vlLoadStr(str::kUntitled) : report_.Title);
    calibration_ = vlReadFeedCalibration(printer_.SelectedName());
    if (report_.OnPrintReport) report_.OnPrintReport();
    // Collated copies are the whole selection printed again; otherwise the
    // printer makes the copies of each page.
    job_.SetCopies(collate ? 1 : copies);
    const std::int32_t passes = collate ? copies : 1;
    if (!job_.Begin()) return Fail(vlLoadStr(str::kCannotStartPrinting));
    bool firstPage = true;
    try {
      for (std::int32_t pass = 0; pass < passes; ++pass)
        for (int index : selection_) {
          if (!PrintPage(index, firstPage)) return Fail(vlLoadStr(str::kCannotStartPrinting));
          firstPage = false;
          if (report_.StopRequested) {
            job_.Abort();
            return TvlPrintResult::Cancelled;
          }
        }
    } catch (const std::exception& e) {
      // A damaged page record: the job is dropped, not sent half printed.
      return Fail(e.what());
    }
    if (!job_.End()) return Fail(vlLoadStr(str::kCannotPrintJob));
    return TvlPrintResult::Printed;
  }

 private:
  bool PrintPage(int index, bool firstPage) {
    TvlPreparedPage& page = pages_[index];
    if (firstPage) {
      // The job began on this page's paper (or the nearest the printer took).
    } else if (SamePaper(printer_, page)) {
      if (!job_.NewPage()) return false;
    } else {
      // Another paper is another job: the printer takes paper per job.
      if (!job_.End()) return false;
      ForcePaper(printer_, page);
      if (!job_.Begin()) return false;
    }
    printer_.FillMetrics(page.PaperMetrics);
    page.Visible = true;
    TvlCanvas& canvas = *job_.Canvas();
    {
      // The printer's feed calibration moves (and may turn) the whole sheet.
      const TvlPoint shift = vlFeedShiftPixels(calibration_, canvas.PixelsPerInchX(), canvas.PixelsPerInchY());
      const TvlFeedTurn turn(canvas, calibration_, vlSheetRect(page.PaperMetrics));
      pages_.Draw(index, canvas, Shifted(TargetRect(page), shift));
    }
    // Drawn with the flag clear, the page lets its views go again.
    page.Visible = false;
    pages_.Draw(index, canvas, TvlRect{});
    Progress(index + 1);
    return true;
  }

  void Progress(std::int32_t n) {
    if (report_.OnProgress)
      report_.OnProgress(n);
    else if (report_.ShowProgress)
      progress_.SetFirstLabel(vlLoadStr(str::kPrintingPage) + "  " + std::to_string(n));
    // Cancel in the progress window is noticed here.
    progress_.ProcessEvents();
  }

  TvlPrintResult Fail(const std::string& message) {
    if (job_.Printing()) job_.Abort();
    vlShowMessage(message, vlLoadStr(str::kError), TvlMsgIcon::Error);
    return TvlPrintResult::Failed;
  }

  TvlReport& report_;
  TvlEMFPages& pages_;
  std::vector<int> selection_;
  TvlPrinter& printer_;
  TvlPrintJob& job_;
  TvlProgressWindow& progress_;
  TvlFeedCalibration calibration_;
};

}  // namespace

TvlPrintResult TvlReport::PrintPrepared(const std::string& rangeText, std::int32_t copies, std::int32_t printPages,
                                        bool collate) {
  TvlEngineState& state = vlState();
  state.CurReport = this;
  state.DocMode = TvlDocMode::dmPrinting;
  StopRequested = false;
  TvlEMFPages* pages = &EMFPages;
  if (pages->Count() == 0 && Preview)
    if (TvlEMFPages* held = vlPreviewPages(*Preview)) pages = held;

  TvlPageList list;
  try {
    list = TvlPageList::Parse(rangeText, pages->Count());
  } catch (const TvlError& e) {
    vlShowMessage(e.what(), vlLoadStr(str::kError), TvlMsgIcon::Error);
    return TvlPrintResult::BadRange;
  }
  TvlPrinter& printer = vlPrinter();
  printer.Attach(vlPlatform().Printer);
  if (printer.IsVirtual()) return TvlPrintResult::NoPrinter;
  if (copies < 1) copies = 1;

  // The pages that will print, in document order. A selection without pages
  // starts no job, so no blank sheet comes out.
  std::vector<int> selection;
  for (int i = 0; i < pages->Count(); ++i) {
    const std::int32_t pageNo = i + 1;
    if (!list.Contains(pageNo)) continue;
    if ((printPages == 1 && pageNo % 2 == 0) || (printPages == 2 && pageNo % 2 != 0)) continue;
    selection.push_back(i);
  }
  if (selection.empty()) return TvlPrintResult::NothingToPrint;

  TvlPrintRun run(*this, *pages, std::move(selection));
  if (OnProgress || !ShowProgress) return run.Print(copies, collate);
  TvlProgressWindow& window = *vlPlatform().Progress;
  std::string caption = vlLoadStr(str::kPreparingReport);
  if (!Title.empty()) caption += " - " + Title;
  TvlPrintResult result = TvlPrintResult::Cancelled;
  window.SetCancelCaption(vlLoadStr(str::kCancel));
  window.Run(
      caption, vlLoadStr(str::kPrintingPage),
      [&] {
        result = run.Print(copies, collate);
        window.Close(!StopRequested);
      },
      [this] { StopRequested = true; });
  return result;
}

}  // namespace vl
