#include "engine/output/preview_layout.h"

#include <algorithm>

#include "engine/core/units.h"
#include "engine/model/prepared_pages.h"

namespace vl {

TvlPreviewZoomState& vlSharedPreviewZoom() {
  static TvlPreviewZoomState zoom;
  return zoom;
}

double vlZoomFactor(std::int32_t mode, double factor, TvlSize page, TvlSize surface) {
  if (page.Width <= 0 || page.Height <= 0) return factor;
  switch (mode) {
    case zmPageWidth:
      return static_cast<double>(surface.Width - 2 * kPageGap) / page.Width;
    case zmWholePage:
      // The whole page: its height fills the surface unless its width would
      // then overflow it (a landscape envelope in a tall window).
      return std::min(static_cast<double>(surface.Height - 2 * kPageGap) / page.Height,
                      static_cast<double>(surface.Width - 2 * kPageGap) / page.Width);
    case zmTwoPages:
      return static_cast<double>(surface.Width - 3 * kPageGap) / (2.0 * page.Width);
    default:
      return factor;
  }
}

TvlPreviewLayout vlLayoutPages(const std::vector<TvlSize>& pageSizes, std::int32_t currentPage,
                               std::int32_t mode, double factor, TvlSize surface, std::vector<TvlRect>& rects) {
  TvlPreviewLayout layout;
  rects.assign(pageSizes.size(), TvlRect{});
  if (pageSizes.empty()) {
    layout.Factor = factor;
    return layout;
  }
  const std::size_t current = static_cast<std::size_t>(
      std::clamp<std::int32_t>(currentPage, 1, static_cast<std::int32_t>(pageSizes.size())) - 1);
  layout.Factor = vlZoomFactor(mode, factor, pageSizes[current], surface);
  // A surface smaller than the gaps would give a factor of zero or below.
  if (layout.Factor <= 0) layout.Factor = factor > 0 ? factor : 1.0;

  std::vector<TvlSize> scaled(pageSizes.size());
  for (std::size_t i = 0; i < pageSizes.size(); ++i)
    scaled[i] = {vlRound(pageSizes[i].Width * layout.Factor), vlRound(pageSizes[i].Height * layout.Factor)};

  // Pages per row: the most pages any row holds. A page that does not fit
  // closes the row and is not counted in the next one either.
  std::int32_t perRow = 0, inRow = 0;
  std::int64_t x = kPageGap;
  for (const TvlSize& s : scaled) {
    if (x + s.Width + kPageGap > surface.Width) {
      perRow = std::max(perRow, inRow);
      x = kPageGap;
      inRow = 0;
    } else {
      x += s.Width + kPageGap;
      ++inRow;
    }
  }
  perRow = std::max({perRow, inRow, 1});
  if (mode == zmWholePage) perRow = 1;
  if (mode == zmTwoPages) perRow = 2;
  layout.PagesPerRow = perRow;

  // Rows from the top; a lone page narrower than the surface is centred.
  std::int32_t y = kPageGap, right = 0, bottom = 0;
  for (std::size_t first = 0; first < scaled.size(); first += static_cast<std::size_t>(perRow)) {
    const std::size_t last = std::min(scaled.size(), first + static_cast<std::size_t>(perRow));
    std::int32_t rowX = kPageGap, tallest = 0;
    for (std::size_t i = first; i < last; ++i) {
      const TvlSize& s = scaled[i];
      std::int32_t left = rowX;
      if (perRow == 1 && s.Width < surface.Width) left = (surface.Width - s.Width) / 2;
      rects[i] = {left, y, left + s.Width, y + s.Height};
      rowX += s.Width + kPageGap;
      tallest = std::max(tallest, s.Height);
      right = std::max(right, rects[i].Right);
      bottom = std::max(bottom, rects[i].Bottom);
    }
    layout.TallestPage = std::max(layout.TallestPage, tallest);
    y += tallest + kPageGap;
  }

  auto range = [](std::int32_t overhang) { return overhang > 0 ? overhang + kPageGap : 0; };
  layout.HorzRange = range(right - surface.Width);
  layout.VertRange = range(bottom - surface.Height);
  return layout;
}

TvlSize vlPageSize(const TvlPreparedPage& page) {
  return {page.PaperMetrics.PaperWidthU, page.PaperMetrics.PaperHeightU};
}

TvlPreviewLayout vlLayoutPages(TvlEMFPages& pages, std::int32_t currentPage, std::int32_t mode, double factor,
                               TvlSize surface) {
  std::vector<TvlSize> sizes(static_cast<std::size_t>(pages.Count()));
  for (int i = 0; i < pages.Count(); ++i) sizes[static_cast<std::size_t>(i)] = vlPageSize(pages[i]);
  std::vector<TvlRect> rects;
  const TvlPreviewLayout layout = vlLayoutPages(sizes, currentPage, mode, factor, surface, rects);
  for (int i = 0; i < pages.Count(); ++i) pages[i].LayoutRect = rects[static_cast<std::size_t>(i)];
  return layout;
}

std::int32_t vlPageAtScroll(const TvlEMFPages& pages, std::int32_t pos) {
  const std::int32_t line = kPageGap + 1 + pos;
  // Rows run downward and every row ends above the next one, so only the
  // last row starting above the line can hold it: found by bisection, which
  // keeps scrolling as cheap on ten thousand pages as on one.
  int lo = 0, hi = pages.Count();
  while (lo < hi) {
    const int mid = lo + (hi - lo) / 2;
    if (pages[mid].LayoutRect.Top < line) lo = mid + 1;
    else hi = mid;
  }
  if (lo == 0) return 0;
  const std::int32_t rowTop = pages[lo - 1].LayoutRect.Top;
  int first = lo - 1;
  while (first > 0 && pages[first - 1].LayoutRect.Top == rowTop) --first;
  for (int i = first; i < lo; ++i)
    if (line < pages[i].LayoutRect.Bottom) return i + 1;
  return 0;
}

std::int32_t vlPageAtPoint(const TvlEMFPages& pages, TvlPoint p) {
  // Every row ends above the next one: only the last row starting at or
  // above the point can hold it.
  int lo = 0, hi = pages.Count();
  while (lo < hi) {
    const int mid = lo + (hi - lo) / 2;
    if (pages[mid].LayoutRect.Top <= p.Y) lo = mid + 1;
    else hi = mid;
  }
  if (lo == 0) return 0;
  const std::int32_t rowTop = pages[lo - 1].LayoutRect.Top;
  for (int i = lo - 1; i >= 0 && pages[i].LayoutRect.Top == rowTop; --i) {
    const TvlRect& r = pages[i].LayoutRect;
    if (p.X >= r.Left && p.X < r.Right && p.Y < r.Bottom) return i + 1;
  }
  return 0;
}

TvlRect vlPageDrawRect(const TvlPreparedPage& page, const TvlRect& rect, double factor) {
  if (page.UseMargins) return rect;
  const TvlPaperMetrics& m = page.PaperMetrics;
  const std::int32_t left = rect.Left + vlRound((m.OffsetXU + page.Margins.Left) * factor);
  const std::int32_t top = rect.Top + vlRound((m.OffsetYU + page.Margins.Top) * factor);
  const std::int32_t width = vlRound((m.PrintableWidthU - page.Margins.Left - page.Margins.Right) * factor);
  const std::int32_t height = vlRound((m.PrintableHeightU - page.Margins.Top - page.Margins.Bottom) * factor);
  return {left, top, left + width, top + height};
}

}  // namespace vl
