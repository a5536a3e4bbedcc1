#include "app/render/pdf_output.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>

#include "app/render/output_target.h"
#include "app/render/page_sheet.h"
#include "engine/core/error.h"
#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_text.h"

namespace vl {
namespace {

// The page's paper as a PDF page: sizes are kept in tenths of a millimetre
// already turned for landscape, so the longer side decides the orientation.
QPageLayout PageLayout(const TvlPreparedPage& page) {
  const double w = std::max(1, page.PaperWidth) / 10.0;
  const double h = std::max(1, page.PaperHeight) / 10.0;
  const QPageSize size(QSizeF(std::min(w, h), std::max(w, h)), QPageSize::Millimeter, QString(),
                       QPageSize::ExactMatch);
  return QPageLayout(size, w > h ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}

}  // namespace

void vlWritePdf(TvlEMFPages& pages, const std::vector<int>& indexes, const std::string& path,
                const std::string& title, const std::function<void(int)>& progress) {
  if (indexes.empty()) throw TvlError("no page to write to '" + path + "'");
  QSaveFile file(vlOutputTarget(path));
  if (!file.open(QIODevice::WriteOnly)) throw TvlError("cannot write '" + path + "'");
  QPdfWriter writer(&file);
  writer.setResolution(kPdfDpi);
  writer.setCreator(QStringLiteral("Vellora"));
  writer.setTitle(vlToQt(title));
  QPainter painter;
  int done = 0;
  for (int index : indexes) {
    const TvlPreparedPage& page = pages[index];
    if (!writer.setPageLayout(PageLayout(page))) throw TvlError("page " + std::to_string(index + 1) + " has no paper size");
    if (done == 0) {
      if (!painter.begin(&writer)) throw TvlError("cannot write '" + path + "'");
    } else if (!writer.newPage()) {
      throw TvlError("cannot write '" + path + "'");
    }
    const TvlSize sheet{writer.width(), writer.height()};
    TvlQtCanvas canvas(painter, sheet, kPdfDpi, kPdfDpi);
    canvas.SetKind(TvlSurfaceKind::Printer);
    vlDrawSheet(pages, index, canvas, vlSheetTarget(page, sheet));
    ++done;
    if (progress) progress(done);
  }
  if (painter.isActive() && !painter.end()) throw TvlError("cannot write '" + path + "'");
  if (!file.commit()) throw TvlError("cannot write '" + path + "': " + file.errorString().toStdString());
}

}  // namespace vl
