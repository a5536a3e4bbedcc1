#include "platform/qt/qt_printer.h"

#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <cmath>

#include "platform/qt/qt_text.h"

namespace vl {
namespace {

constexpr int kCustomPaper = 256;

// Qt's paper sources map onto the standard bin codes.
int BinCode(QPrinter::PaperSource s) {
  switch (s) {
    case QPrinter::OnlyOne: return 1;
    case QPrinter::Lower: return 2;
    case QPrinter::Middle: return 3;
    case QPrinter::Manual: return 4;
    case QPrinter::Envelope: return 5;
    case QPrinter::EnvelopeManual: return 6;
    case QPrinter::Auto: return 7;
    case QPrinter::Tractor: return 8;
    case QPrinter::SmallFormat: return 9;
    case QPrinter::LargeFormat: return 10;
    case QPrinter::LargeCapacity: return 11;
    case QPrinter::Cassette: return 14;
    case QPrinter::FormSource: return 15;
    default: return 256 + static_cast<int>(s);
  }
}

const char* BinName(QPrinter::PaperSource s) {
  switch (s) {
    case QPrinter::OnlyOne: return "Only one";
    case QPrinter::Lower: return "Lower";
    case QPrinter::Middle: return "Middle";
    case QPrinter::Manual: return "Manual";
    case QPrinter::Envelope: return "Envelope";
    case QPrinter::EnvelopeManual: return "Envelope manual";
    case QPrinter::Auto: return "Automatic";
    case QPrinter::Tractor: return "Tractor";
    case QPrinter::SmallFormat: return "Small format";
    case QPrinter::LargeFormat: return "Large format";
    case QPrinter::LargeCapacity: return "Large capacity";
    case QPrinter::Cassette: return "Cassette";
    case QPrinter::FormSource: return "Form source";
    default: return "Custom";
  }
}

int PaperCode(const QPageSize& size) {
  const int id = size.windowsId();
  return id > 0 && id < kCustomPaper ? id : kCustomPaper;
}

QPageSize PageSizeFor(const TvlDeviceMode& mode) {
  if (mode.PaperSize == kCustomPaper)
    return QPageSize(QSizeF(mode.PaperWidth / 10.0, mode.PaperLength / 10.0), QPageSize::Millimeter);
  return QPageSize(QPageSize::id(mode.PaperSize));
}

}  // namespace

TvlQtPrinter::TvlQtPrinter() {
  for (const QString& n : QPrinterInfo::availablePrinterNames()) names_.push_back(vlFromQt(n));
  const QString def = QPrinterInfo::defaultPrinterName();
  for (std::size_t k = 0; k < names_.size(); ++k)
    if (vlToQt(names_[k]) == def) current_ = static_cast<int>(k);
  if (current_ < 0 && !names_.empty()) current_ = 0;
  if (current_ >= 0) OpenPrinter();
}

TvlQtPrinter::~TvlQtPrinter() = default;

void TvlQtPrinter::OpenPrinter() {
  const QPrinterInfo info = QPrinterInfo::printerInfo(vlToQt(names_[static_cast<std::size_t>(current_)]));
  printer_ = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
  const QPageSize size = info.defaultPageSize().isValid() ? info.defaultPageSize()
                                                          : QPageSize(QPageSize::A4);
  mode_ = TvlDeviceMode{};
  mode_.PaperSize = PaperCode(size);
  if (mode_.PaperSize == kCustomPaper) {
    const QSizeF mm = size.size(QPageSize::Millimeter);
    mode_.PaperWidth = static_cast<int>(std::lround(mm.width() * 10));
    mode_.PaperLength = static_cast<int>(std::lround(mm.height() * 10));
    mode_.CustomSizeValid = true;
  }
  mode_.DefaultSource = BinCode(printer_->paperSource());
  ApplyMode(mode_);
}

std::vector<std::string> TvlQtPrinter::PrinterNames() { return names_; }

int TvlQtPrinter::CurrentIndex() { return current_; }

bool TvlQtPrinter::SetCurrentIndex(int index) {
  if (index < 0 || index >= static_cast<int>(names_.size())) return false;
  if (index != current_) {
    current_ = index;
    OpenPrinter();
  }
  return printer_ && printer_->isValid();
}

bool TvlQtPrinter::ReadDevice(TvlDeviceInfo& info) {
  if (!printer_ || !printer_->isValid()) return false;
  const QPrinterInfo pi = QPrinterInfo::printerInfo(printer_->printerName());
  info.Device = vlFromQt(printer_->printerName());
  info.Driver = vlFromQt(pi.makeAndModel());
  info.Port = "CUPS";
  info.Mode = mode_;
  return true;
}

bool TvlQtPrinter::ApplyMode(const TvlDeviceMode& mode) {
  if (!printer_) return false;
  const QPageSize size = PageSizeFor(mode);
  if (!size.isValid()) return false;
  if (!printer_->setPageSize(size)) return false;
  printer_->setPageOrientation(mode.Orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
  printer_->setCopyCount(mode.Copies > 0 ? mode.Copies : 1);
  // Qt on Linux names no trays; the printer's own source stays in force
  // unless the request is one of the sources Qt can set by code.
  for (int s = QPrinter::OnlyOne; s <= QPrinter::FormSource; ++s)
    if (BinCode(static_cast<QPrinter::PaperSource>(s)) == mode.DefaultSource)
      printer_->setPaperSource(static_cast<QPrinter::PaperSource>(s));
  return true;
}

bool TvlQtPrinter::WriteDevice(const TvlDeviceMode& mode) {
  if (!ApplyMode(mode)) {
    ApplyMode(mode_);
    return false;
  }
  mode_ = mode;
  return true;
}

std::vector<TvlPlatformPaper> TvlQtPrinter::Papers() {
  std::vector<TvlPlatformPaper> papers;
  if (!printer_) return papers;
  const QPrinterInfo pi = QPrinterInfo::printerInfo(printer_->printerName());
  for (const QPageSize& ps : pi.supportedPageSizes()) {
    const QSizeF mm = ps.size(QPageSize::Millimeter);
    papers.push_back({PaperCode(ps), vlFromQt(ps.name()), static_cast<int>(std::lround(mm.width() * 10)),
                      static_cast<int>(std::lround(mm.height() * 10))});
  }
  return papers;
}

std::vector<TvlPlatformBin> TvlQtPrinter::Bins() {
  std::vector<TvlPlatformBin> bins;
  if (!printer_) return bins;
  // Qt Print Support does not list a CUPS printer's trays on Linux: the one
  // source it reports is offered.
  const QPrinter::PaperSource s = printer_->paperSource();
  bins.push_back({BinCode(s), BinName(s)});
  return bins;
}

bool TvlQtPrinter::Metrics(TvlDeviceMetrics& m) {
  if (!printer_ || !printer_->isValid()) return false;
  const int dpi = printer_->resolution();
  if (dpi <= 0) return false;
  const QRectF paper = printer_->paperRect(QPrinter::DevicePixel);
  const QRectF page = printer_->pageRect(QPrinter::DevicePixel);
  m.DpiX = dpi;
  m.DpiY = dpi;
  m.PhysicalWidth = static_cast<int>(std::lround(paper.width()));
  m.PhysicalHeight = static_cast<int>(std::lround(paper.height()));
  m.OffsetX = static_cast<int>(std::lround(page.left() - paper.left()));
  m.OffsetY = static_cast<int>(std::lround(page.top() - paper.top()));
  m.PrintableWidth = static_cast<int>(std::lround(page.width()));
  m.PrintableHeight = static_cast<int>(std::lround(page.height()));
  return true;
}

bool TvlQtPrinter::Printing() { return printer_ && printer_->printerState() == QPrinter::Active; }

bool TvlQtPrinter::PropertiesDialog(TvlDeviceMode& mode) {
  if (!printer_) return false;
  QPageSetupDialog dialog(printer_.get());
  if (dialog.exec() != QDialog::Accepted) return false;
  const QPageLayout layout = printer_->pageLayout();
  mode = mode_;
  mode.PaperSize = PaperCode(layout.pageSize());
  if (mode.PaperSize == kCustomPaper) {
    const QSizeF mm = layout.pageSize().size(QPageSize::Millimeter);
    mode.PaperWidth = static_cast<int>(std::lround(mm.width() * 10));
    mode.PaperLength = static_cast<int>(std::lround(mm.height() * 10));
    mode.CustomSizeValid = true;
  }
  mode.Orientation = layout.orientation() == QPageLayout::Landscape ? 2 : 1;
  mode.DefaultSource = BinCode(printer_->paperSource());
  return true;
}

}  // namespace vl
