#include "app/render/png_output.h"
#include "engine/core/project_texts.h"

#include <QImageWriter>
#include <QSaveFile>
#include <cmath>

#include "app/render/output_target.h"
#include "app/render/page_sheet.h"
#include "engine/core/error.h"
#include "platform/qt/qt_canvas.h"

namespace vl {

std::string vlPngPageName(const std::string& prefix, int pageNo) {
  return prefix + "-" + std::to_string(pageNo) + ".png";
}

std::vector<std::string> vlWritePngPages(TvlEMFPages& pages, const std::vector<int>& indexes,
                                         const std::string& prefix, double dpi,
                                         const std::function<void(int)>& progress) {
  // Every page's size is checked before the first file is written.
  for (int index : indexes) {
    const TvlSize sheet = vlSheetPixels(pages[index], dpi);
    if (static_cast<double>(sheet.Width) * sheet.Height > kMaxPngPixels)
      throw TvlError(vlTr("page %1 is too large a picture at this resolution", {std::to_string(index + 1)}));
  }
  std::vector<std::string> written;
  const int dpiInt = static_cast<int>(std::lround(dpi));
  for (int index : indexes) {
    const TvlPreparedPage& page = pages[index];
    const TvlSize sheet = vlSheetPixels(page, dpi);
    TvlQtImageCanvas canvas(sheet.Width, sheet.Height, dpiInt);
    vlDrawSheet(pages, index, canvas, vlSheetTarget(page, sheet));
    const std::string path = vlPngPageName(prefix, index + 1);
    QSaveFile file(vlOutputTarget(path));
    if (!file.open(QIODevice::WriteOnly)) throw TvlError(vlTr("cannot write '%1'", {path}));
    QImageWriter png(&file, "png");
    if (!png.write(canvas.Image()) || !file.commit()) throw TvlError(vlTr("cannot write '%1'", {path}));
    written.push_back(path);
    if (progress) progress(static_cast<int>(written.size()));
  }
  return written;
}

}  // namespace vl
