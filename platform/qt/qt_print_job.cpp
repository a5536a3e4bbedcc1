#include "platform/qt/qt_print_job.h"

#include <QPrinter>
#include <cmath>

#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_printer.h"
#include "platform/qt/qt_text.h"

namespace vl {

TvlQtPrintJob::TvlQtPrintJob(TvlQtPrinter& printer) : printer_(printer) {}

TvlQtPrintJob::~TvlQtPrintJob() {
  if (Printing()) Abort();
}

bool TvlQtPrintJob::Begin() {
  QPrinter* printer = printer_.Printer();
  if (Printing() || !printer || !printer->isValid()) return false;
  printer->setDocName(vlToQt(title_));
  // Copies are asked of the printer at every job: a change of paper between
  // jobs re-applies the device settings, which reset them to one.
  printer->setCopyCount(copies_);
  printer->setCollateCopies(false);
  printer->setFullPage(false);  // the origin is the corner of the printable area
  painter_ = std::make_unique<QPainter>();
  if (!painter_->begin(printer)) {
    painter_.reset();
    return false;
  }
  const QRectF page = printer->pageRect(QPrinter::DevicePixel);
  const int dpi = printer->resolution();
  canvas_ = std::make_unique<TvlQtCanvas>(
      *painter_,
      TvlSize{static_cast<std::int32_t>(std::lround(page.width())), static_cast<std::int32_t>(std::lround(page.height()))},
      dpi, dpi);
  // Views keep the printer's own font sizes and picture transfer on it.
  canvas_->SetKind(TvlSurfaceKind::Printer);
  return true;
}

bool TvlQtPrintJob::NewPage() {
  if (!Printing()) return false;
  // Every page starts from a clean surface: nothing clips it from the last one.
  canvas_->SelectClipRegion(std::nullopt);
  return printer_.Printer()->newPage();
}

bool TvlQtPrintJob::End() {
  if (!Printing()) return false;
  canvas_.reset();
  const bool sent = painter_->end();
  painter_.reset();
  return sent;
}

void TvlQtPrintJob::Abort() {
  if (!Printing()) return;
  // The spooled document is dropped before anything is sent to CUPS.
  printer_.Printer()->abort();
  canvas_.reset();
  painter_->end();
  painter_.reset();
}

TvlCanvas* TvlQtPrintJob::Canvas() { return canvas_.get(); }

}  // namespace vl
