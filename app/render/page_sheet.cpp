#include "app/render/page_sheet.h"
#include "engine/core/project_texts.h"

#include <algorithm>

#include "engine/core/error.h"
#include "engine/core/units.h"
#include "platform/canvas.h"

namespace vl {

TvlSize vlSheetPixels(const TvlPreparedPage& page, double dpi) {
  const double scale = dpi / kPageUnitsPerInch;
  return {std::max(1, vlRound(page.PaperMetrics.PaperWidthU * scale)),
          std::max(1, vlRound(page.PaperMetrics.PaperHeightU * scale))};
}

TvlRect vlSheetTarget(const TvlPreparedPage& page, TvlSize sheet) {
  if (page.UseMargins) return {0, 0, sheet.Width, sheet.Height};
  const TvlPaperMetrics& m = page.PaperMetrics;
  const double kx = m.PaperWidthU > 0 ? static_cast<double>(sheet.Width) / m.PaperWidthU : 0;
  const double ky = m.PaperHeightU > 0 ? static_cast<double>(sheet.Height) / m.PaperHeightU : 0;
  return {vlRound(page.Margins.Left * kx), vlRound(page.Margins.Top * ky),
          vlRound(sheet.Width - page.Margins.Right * kx), vlRound(sheet.Height - page.Margins.Bottom * ky)};
}

void vlDrawSheet(TvlEMFPages& pages, int index, TvlCanvas& canvas, const TvlRect& target) {
  TvlPreparedPage& page = pages[index];
  page.Visible = true;
  // Expanding first tells a damaged record apart from a page without views.
  try {
    pages.Expand(index);
  } catch (const TvlError& e) {
    page.Visible = false;
    throw TvlError(vlTr("page %1: %2", {std::to_string(index + 1), std::string(e.what())}));
  }
  pages.Draw(index, canvas, target);
  // Drawn with the flag clear, the page lets its views go again.
  page.Visible = false;
  pages.Draw(index, canvas, TvlRect{});
}

}  // namespace vl
