#include "platform/qt/qt_print_job.h"

#include <cups/cups.h>

#include <QDir>
#include <QFile>
#include <QPageLayout>
#include <QPrinter>
#include <QTemporaryFile>
#include <cmath>

#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_printer.h"
#include "platform/qt/qt_text.h"

namespace vl {
namespace {

// Sends the job's document to the CUPS queue with the options Qt's own CUPS
// engine gives a job: the media of the page size, copies, one-sided, and
// the landscape flag of a turned page. Returns false when CUPS refused it.
bool SubmitToCups(const QPrinter& printer, const QString& file, const std::string& title, std::int32_t copies) {
  cups_option_t* options = nullptr;
  int count = 0;
  const QPageLayout layout = printer.pageLayout();
  count = cupsAddOption("media", layout.pageSize().key().toUtf8().constData(), count, &options);
  if (copies > 1) count = cupsAddOption("copies", QByteArray::number(copies).constData(), count, &options);
  count = cupsAddOption("sides", "one-sided", count, &options);
  if (layout.orientation() == QPageLayout::Landscape) count = cupsAddOption("landscape", "", count, &options);
  const int job = cupsPrintFile(printer.printerName().toUtf8().constData(), QFile::encodeName(file).constData(),
                                vlToQt(title).toUtf8().constData(), count, options);
  cupsFreeOptions(count, options);
  return job > 0;
}

}  // namespace

TvlQtPrintJob::TvlQtPrintJob(TvlQtPrinter& printer) : printer_(printer) {}

TvlQtPrintJob::~TvlQtPrintJob() {
  if (Printing()) Abort();
}

bool TvlQtPrintJob::Begin() {
  QPrinter* printer = printer_.Printer();
  if (Printing() || !printer || !printer->isValid()) return false;
  // Qt's CUPS engine cannot take back a job once painting began (abort is
  // not supported): the document goes into a file of ours and is sent to
  // the queue only when the job ends. The file name must not end in ".pdf",
  // which would turn the printer into a PDF writer with other margins.
  QTemporaryFile spool(QDir::tempPath() + QStringLiteral("/vellora-print-XXXXXX.job"));
  spool.setAutoRemove(false);
  if (!spool.open()) return false;
  spoolFile_ = spool.fileName();
  spool.close();
  printer->setOutputFileName(spoolFile_);
  printer->setDocName(vlToQt(Title()));
  // Copies are asked at every job: a change of paper between jobs re-applies
  // the device settings, which reset them to one.
  printer->setCopyCount(Copies());
  printer->setCollateCopies(false);
  printer->setFullPage(false);  // the origin is the corner of the printable area
  painter_ = std::make_unique<QPainter>();
  if (!painter_->begin(printer)) {
    painter_.reset();
    Release();
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
  bool sent = painter_->end();
  painter_.reset();
  QPrinter* printer = printer_.Printer();
  if (sent) sent = SubmitToCups(*printer, spoolFile_, Title(), Copies());
  Release();
  return sent;
}

void TvlQtPrintJob::Abort() {
  if (!Printing()) return;
  canvas_.reset();
  painter_->end();
  painter_.reset();
  Release();  // the document never reaches the queue
}

void TvlQtPrintJob::Release() {
  if (QPrinter* printer = printer_.Printer()) printer->setOutputFileName(QString());
  if (!spoolFile_.isEmpty()) QFile::remove(spoolFile_);
  spoolFile_.clear();
}

TvlCanvas* TvlQtPrintJob::Canvas() { return canvas_.get(); }

}  // namespace vl
