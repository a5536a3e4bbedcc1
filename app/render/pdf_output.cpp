#include "app/render/pdf_output.h"
#include "engine/core/project_texts.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>
#include <stdexcept>

#include "app/render/output_target.h"
#include "app/render/page_sheet.h"
#include "engine/core/error.h"
#include "platform/pdf/pdf_document.h"
#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_pdf_canvas.h"
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

void NoPages(const std::vector<int>& indexes, const std::string& path) {
  if (indexes.empty()) throw TvlError(vlTr("no page to write to '%1'", {path}));
}

}  // namespace

void vlWritePdf(TvlEMFPages& pages, const std::vector<int>& indexes, const std::string& path,
                const std::string& title, const std::function<void(int)>& progress) {
  NoPages(indexes, path);
  QSaveFile file(vlOutputTarget(path));
  if (!file.open(QIODevice::WriteOnly)) throw TvlError(vlTr("cannot write '%1'", {path}));
  try {
    TvlPdfDocument document([&file](const char* data, std::size_t size) {
      return file.write(data, static_cast<qint64>(size)) == static_cast<qint64>(size);
    });
    TvlQtPdfResources resources;
    int done = 0;
    for (int index : indexes) {
      const TvlPreparedPage& page = pages[index];
      // The page's size in points and in pixels, rounded as Qt's writer
      // rounds them, so both engines put everything in the same place.
      const QPageLayout layout = PageLayout(page);
      const QRectF points = layout.fullRectPoints();
      const QRect pixels = layout.fullRectPixels(kPdfDpi);
      if (points.isEmpty() || pixels.isEmpty()) throw TvlError(vlTr("page %1 has no paper size", {std::to_string(index + 1)}));
      const TvlSize sheet{pixels.width(), pixels.height()};
      TvlQtPdfCanvas canvas(resources, sheet, kPdfDpi);
      canvas.SetKind(TvlSurfaceKind::Printer);
      vlDrawSheet(pages, index, canvas, vlSheetTarget(page, sheet));
      document.AddPage(canvas.TakePage(points.width(), points.height()));
      ++done;
      if (progress) progress(done);
    }
    document.Finish(resources.Text().Uses(), vlToQt(title).toStdString(), "Vellora");
  } catch (const std::runtime_error& e) {
    if (dynamic_cast<const TvlError*>(&e)) throw;
    throw TvlError(vlTr("cannot write '%1': %2", {path, std::string(e.what())}));
  } catch (const std::logic_error& e) {
    throw TvlError(vlTr("cannot write '%1': %2", {path, std::string(e.what())}));
  }
  if (!file.commit()) throw TvlError(vlTr("cannot write '%1': %2", {path, file.errorString().toStdString()}));
}

void vlWriteQtPdf(TvlEMFPages& pages, const std::vector<int>& indexes, const std::string& path,
                  const std::string& title, const std::function<void(int)>& progress) {
  NoPages(indexes, path);
  QSaveFile file(vlOutputTarget(path));
  if (!file.open(QIODevice::WriteOnly)) throw TvlError(vlTr("cannot write '%1'", {path}));
  QPdfWriter writer(&file);
  writer.setResolution(kPdfDpi);
  writer.setCreator(QStringLiteral("Vellora"));
  writer.setTitle(vlToQt(title));
  QPainter painter;
  int done = 0;
  for (int index : indexes) {
    const TvlPreparedPage& page = pages[index];
    if (!writer.setPageLayout(PageLayout(page))) throw TvlError(vlTr("page %1 has no paper size", {std::to_string(index + 1)}));
    if (done == 0) {
      if (!painter.begin(&writer)) throw TvlError(vlTr("cannot write '%1'", {path}));
    } else if (!writer.newPage()) {
      throw TvlError(vlTr("cannot write '%1'", {path}));
    }
    const TvlSize sheet{writer.width(), writer.height()};
    TvlQtCanvas canvas(painter, sheet, kPdfDpi, kPdfDpi);
    canvas.SetKind(TvlSurfaceKind::Printer);
    vlDrawSheet(pages, index, canvas, vlSheetTarget(page, sheet));
    ++done;
    if (progress) progress(done);
  }
  if (painter.isActive() && !painter.end()) throw TvlError(vlTr("cannot write '%1'", {path}));
  if (!file.commit()) throw TvlError(vlTr("cannot write '%1': %2", {path, file.errorString().toStdString()}));
}

}  // namespace vl
