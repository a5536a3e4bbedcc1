#include "platform/qt/qt_printer.h"

#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <cmath>
#include <utility>

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

}  // namespace

TvlQtPageSetup vlQtPageSetup(const TvlDeviceMode& mode, const QList<QPageSize>& offered, bool customSizes) {
  TvlQtPageSetup setup;
  bool landscape = mode.Orientation == 2;
  QPageSize wanted;
  if (mode.PaperSize != kCustomPaper) {
    wanted = QPageSize(QPageSize::id(mode.PaperSize));
  } else {
    double w = mode.PaperWidth / 10.0, h = mode.PaperLength / 10.0;
    if (w > h) {
      std::swap(w, h);
      landscape = !landscape;
    }
    wanted = QPageSize(QSizeF(w, h), QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
  }
  setup.Orientation = landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
  setup.Size = wanted;
  if (!wanted.isValid()) return setup;
  // The printer's entry of the same size, by id first, then by size within a
  // millimetre (a driver may name C4 what Qt calls the C4 envelope).
  const QSizeF mm = wanted.size(QPageSize::Millimeter);
  const QPageSize* bySize = nullptr;
  for (const QPageSize& p : offered) {
    if (wanted.id() != QPageSize::Custom && p.id() == wanted.id()) {
      setup.Size = p;
      return setup;
    }
    const QSizeF o = p.size(QPageSize::Millimeter);
    if (!bySize && std::abs(o.width() - mm.width()) <= 1.0 && std::abs(o.height() - mm.height()) <= 1.0)
      bySize = &p;
  }
  if (bySize) {
    setup.Size = *bySize;
  } else if (mode.PaperSize == kCustomPaper && wanted.id() != QPageSize::Custom && !offered.isEmpty() &&
             customSizes) {
    // Qt names a size equal to one of its standard sizes (to the point) by
    // that size's key: 120 x 230 mm becomes "EnvPRC6", which CUPS does not
    // resolve for a printer that does not list it, and the sheet would come
    // out on the default paper. The smallest widening that Qt's table does
    // not hold (about 0.13 mm) makes it a custom size the printer can make;
    // the printer model still finds its paper within a tenth of a millimetre.
    for (int hundredths = 1; hundredths <= 100; ++hundredths) {
      const QPageSize custom(QSizeF(mm.width() + hundredths / 100.0, mm.height()), QPageSize::Millimeter,
                             QString(), QPageSize::ExactMatch);
      if (custom.id() == QPageSize::Custom) {
        setup.Size = custom;
        break;
      }
    }
  }
  return setup;
}

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
  offered_ = info.supportedPageSizes();
  customSizes_ = info.supportsCustomPageSizes();
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
  const TvlQtPageSetup setup = vlQtPageSetup(mode, offered_, customSizes_);
  if (!setup.Size.isValid()) return false;
  if (!printer_->setPageSize(setup.Size)) return false;
  printer_->setPageOrientation(setup.Orientation);
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
  // Qt keeps page sizes in whole points (and widens a few custom sizes, see
  // vlQtPageSetup): a custom size reads back as the size asked for when the
  // two differ by less than a millimetre, so that the printer model finds the
  // paper it set and pages of that size share one job.
  if (mode_.PaperSize == kCustomPaper && mode_.CustomSizeValid) {
    const bool landscape = mode_.Orientation == 2;
    const int w = static_cast<int>(std::lround((landscape ? mode_.PaperLength : mode_.PaperWidth) / 254.0 * dpi));
    const int h = static_cast<int>(std::lround((landscape ? mode_.PaperWidth : mode_.PaperLength) / 254.0 * dpi));
    const int mmPx = static_cast<int>(std::lround(dpi / 25.4));
    if (std::abs(w - m.PhysicalWidth) <= mmPx && std::abs(h - m.PhysicalHeight) <= mmPx) {
      m.PrintableWidth += w - m.PhysicalWidth;
      m.PrintableHeight += h - m.PhysicalHeight;
      m.PhysicalWidth = w;
      m.PhysicalHeight = h;
    }
  }
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
