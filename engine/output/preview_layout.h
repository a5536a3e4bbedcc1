#pragma once
// Where the preview puts the prepared pages: the zoom factor a zoom mode
// gives for the current page, the pages in rows on the grey surface, the
// scroll ranges, and which page a scroll position shows.

#include <cstdint>
#include <vector>

#include "platform/canvas_types.h"
#include "platform/graphics_types.h"

namespace vl {

class TvlEMFPages;
struct TvlPreparedPage;

// The zoom modes of the zoom menu: a percentage, or a factor that follows the
// surface's size.
enum TvlZoomMode : std::int32_t { zmPercent = 0, zmPageWidth = 1, zmWholePage = 2, zmTwoPages = 3 };

// The last zoom chosen in any preview, taken by the next one.
struct TvlPreviewZoomState {
  double Factor = 1.0;  // preview pixels per page unit
  std::int32_t Mode = zmPercent;
};
TvlPreviewZoomState& vlSharedPreviewZoom();

// Gap round and between pages, in preview pixels.
inline constexpr std::int32_t kPageGap = 10;

struct TvlPreviewLayout {
  double Factor = 1.0;
  std::int32_t PagesPerRow = 1;
  // Scroll ranges: 0 when everything fits (the bar is disabled), otherwise the
  // overhang plus a gap.
  std::int32_t HorzRange = 0, VertRange = 0;
  // The tallest scaled page, which bounds how far above the view a page that
  // still reaches into it can start.
  std::int32_t TallestPage = 0;
};

// The zoom factor of a mode for a page of w x h page units on a surface;
// zmPercent (and a page without size) keeps the factor. Whole page fits the
// page's height, or its width when that is what limits.
double vlZoomFactor(std::int32_t mode, double factor, TvlSize page, TvlSize surface);

// Lays pages of the given sizes (page units) out in rows; rects receives each
// page's rectangle in preview pixels, the surface's content coordinates.
TvlPreviewLayout vlLayoutPages(const std::vector<TvlSize>& pageSizes, std::int32_t currentPage,
                               std::int32_t mode, double factor, TvlSize surface, std::vector<TvlRect>& rects);
// The same for the store: every page's LayoutRect is set. currentPage counts from 1.
TvlPreviewLayout vlLayoutPages(TvlEMFPages& pages, std::int32_t currentPage, std::int32_t mode, double factor,
                               TvlSize surface);

// A prepared page's paper in page units.
TvlSize vlPageSize(const TvlPreparedPage& page);

// The page (from 1) shown at vertical scroll position pos: the first whose
// rectangle holds the line just below the top gap; 0 when none does.
std::int32_t vlPageAtScroll(const TvlEMFPages& pages, std::int32_t pos);

// The page (from 1) whose layout rectangle holds a point of the surface's
// content; 0 when none does.
std::int32_t vlPageAtPoint(const TvlEMFPages& pages, TvlPoint p);

// Where a page's views are drawn within its rectangle on the surface: the
// whole rectangle, or for a page stretched to the printable area that area
// less the margins, scaled by the factor.
TvlRect vlPageDrawRect(const TvlPreparedPage& page, const TvlRect& rect, double factor);

}  // namespace vl
