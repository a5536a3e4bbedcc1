#include "viewer/preview_page_setup.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <cmath>

#include "engine/printer/printer.h"
#include "platform/qt/qt_text.h"

namespace vl {

namespace {

constexpr std::int32_t kCustomPaper = 256;

// Qt's page-setup dialog on the printer model's current printer.
bool QtPageSetup(TvlPageSetupChoice& choice, QWidget* parent) {
  TvlPrinter& model = vlPrinter();
  QPrinter printer(QPrinterInfo::printerInfo(vlToQt(model.SelectedName())), QPrinter::HighResolution);
  const TvlDeviceMode& mode = choice.Mode;
  QPageSize size;
  if (mode.PaperSize != kCustomPaper) size = QPageSize(QPageSize::id(mode.PaperSize));
  if (!size.isValid() || mode.PaperSize == kCustomPaper)
    size = QPageSize(QSizeF(model.PaperWidthTenths / 10.0, model.PaperHeightTenths / 10.0), QPageSize::Millimeter);
  const TvlRect& m = choice.Margins;
  printer.setPageLayout(QPageLayout(size, mode.Orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait,
                                    QMarginsF(m.Left / 100.0, m.Top / 100.0, m.Right / 100.0, m.Bottom / 100.0),
                                    QPageLayout::Millimeter));
  QPageSetupDialog dialog(&printer, parent);
  if (dialog.exec() != QDialog::Accepted) return false;

  const QPageLayout layout = printer.pageLayout();
  const int code = layout.pageSize().windowsId();
  choice.Mode.PaperSize = code > 0 ? code : kCustomPaper;
  const QSizeF mm = layout.pageSize().size(QPageSize::Millimeter);
  choice.Mode.CustomSizeValid = code <= 0;
  choice.Mode.PaperWidth = static_cast<std::int32_t>(std::lround(mm.width() * 10));
  choice.Mode.PaperLength = static_cast<std::int32_t>(std::lround(mm.height() * 10));
  choice.Mode.Orientation = layout.orientation() == QPageLayout::Landscape ? 2 : 1;
  const QMarginsF margins = layout.margins(QPageLayout::Millimeter);
  choice.Margins = {static_cast<std::int32_t>(std::lround(margins.left() * 100)),
                    static_cast<std::int32_t>(std::lround(margins.top() * 100)),
                    static_cast<std::int32_t>(std::lround(margins.right() * 100)),
                    static_cast<std::int32_t>(std::lround(margins.bottom() * 100))};
  return true;
}

}  // namespace

TvlPageSetupDialog& vlPageSetupDialog() {
  static TvlPageSetupDialog dialog = QtPageSetup;
  return dialog;
}

}  // namespace vl
