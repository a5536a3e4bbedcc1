#include "engine/output/preview_paint.h"

#include <algorithm>

#include "engine/model/prepared_pages.h"
#include "engine/model/scratch_canvas.h"
#include "engine/output/preview_layout.h"
#include "platform/canvas.h"

namespace vl {

namespace {

TvlRect Moved(const TvlRect& r, TvlPoint offset) {
  return {r.Left + offset.X, r.Top + offset.Y, r.Right + offset.X, r.Bottom + offset.Y};
}

void Release(TvlEMFPages& pages, TvlCanvas& canvas, int index) {
  pages[index].Visible = false;
  pages.Draw(index, canvas, TvlRect{});
}

}  // namespace

void TvlPreviewPainter::Paint(TvlEMFPages& pages, TvlCanvas& canvas, TvlPoint offset, double factor,
                              const TvlRect& paintRect, TvlSize surface, std::int32_t tallest) {
  canvas.SelectClipRegion(TvlRegion(paintRect));
  canvas.SetPen(TvlPen{});
  if (pages.Count() == 0) {
    canvas.SetSolidBrush(clBtnFace);
    canvas.FillRect(paintRect);
    shown_.clear();
    return;
  }

  // Tops never decrease down the rows, so the pages in view are found by
  // bisection: painting costs the same on ten thousand pages as on one.
  const std::int32_t limit = std::max(kPreviewDrawLimit, surface.Height);
  const std::int32_t firstTop = -offset.Y - std::max(tallest, 0);
  int lo = 0, hi = pages.Count();
  while (lo < hi) {
    const int mid = lo + (hi - lo) / 2;
    if (pages[mid].LayoutRect.Top < firstTop) lo = mid + 1;
    else hi = mid;
  }
  std::vector<int> shown;
  TvlRegion ground(paintRect);
  for (int i = lo; i < pages.Count(); ++i) {
    const TvlRect r = Moved(pages[i].LayoutRect, offset);
    if (r.Top > limit) break;
    if (r.Bottom < 0 || vlRectEmpty(vlIntersectRect(r, paintRect))) continue;
    shown.push_back(i);
    ground = ground.Subtract(TvlRegion(r));
  }
  canvas.SetSolidBrush(kPreviewGround);
  canvas.FillRegion(ground);

  // Pages in view before and not now give up their views.
  for (int i : shown_)
    if (i < pages.Count() && !std::binary_search(shown.begin(), shown.end(), i)) Release(pages, canvas, i);

  for (int i : shown) {
    const TvlRect r = Moved(pages[i].LayoutRect, offset);
    canvas.SetPen(TvlPen{});
    canvas.SetSolidBrush(clWhite);
    canvas.Rectangle(r);
    canvas.MoveTo(r.Left + 1, r.Bottom);
    canvas.LineTo(r.Right, r.Bottom);
    canvas.LineTo(r.Right, r.Top + 1);
    pages[i].Visible = true;
    pages.Draw(i, canvas, vlPageDrawRect(pages[i], r, factor));
    canvas.SelectClipRegion(TvlRegion(paintRect));  // views may leave their own clip
  }
  shown_ = std::move(shown);
}

void TvlPreviewPainter::ReleaseAll(TvlEMFPages& pages) {
  for (int i = 0; i < pages.Count(); ++i) Release(pages, vlScratchCanvas(), i);
  shown_.clear();
}

void vlInvertRect(TvlCanvas& canvas, const TvlRect& r) {
  const TvlPen saved = canvas.Pen();
  canvas.SetPen(TvlPen{clWhite, 1, TvlPenStyle::Solid, TvlPenMode::Xor});
  for (std::int32_t y = r.Top; y < r.Bottom; ++y) {
    canvas.MoveTo(r.Left, y);
    canvas.LineTo(r.Right, y);
  }
  canvas.SetPen(saved);
}

}  // namespace vl
