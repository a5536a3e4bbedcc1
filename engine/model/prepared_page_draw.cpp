// Drawing a prepared page into a rectangle of any surface: the page's views
// scaled from page units, those outside the clip skipped on screen.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/core/units.h"
#include "engine/model/layout_bounds.h"
#include "engine/model/prepared_pages.h"
#include "engine/model/screen_only.h"
#include "engine/model/view_render.h"
#include "platform/canvas.h"
#include "platform/platform.h"

namespace vl {
namespace {

// Pixels around a view that still count as touching the clip (frames and
// text reach a little past a view's bounds).
constexpr std::int64_t kClipTolerance = 10;

}  // namespace

void TvlEMFPages::Draw(int index, TvlCanvas& canvas, const TvlRect& r) {
  TvlPreparedPage* p = At(index);
  if (!p) return;
  TvlEngineState& st = vlState();
  const bool toPrinter = vlPlatform().Printer->Printing() && canvas.Kind() == TvlSurfaceKind::Printer;
  st.DocMode = TvlDocMode::dmPrinting;
  if (!p->Visible) {
    p->Page.reset();
    return;
  }
  TvlPage* page = nullptr;
  try {
    page = Expand(index);
  } catch (const TvlError&) {
    return;  // a record that cannot be read draws nothing
  }
  st.CurPage = page;

  const TvlPaperMetrics& m = p->PaperMetrics;
  if (m.PaperWidthU <= 0 || m.PaperHeightU <= 0) return;
  // Differences of any two 32-bit edges fit a double, not an int.
  const double kx = (static_cast<double>(r.Right) - r.Left) / m.PaperWidthU;
  const double ky = (static_cast<double>(r.Bottom) - r.Top) / m.PaperHeightU;
  const bool clipTest = !toPrinter && canvas.Kind() != TvlSurfaceKind::Metafile;
  std::vector<TvlView*> views;
  views.reserve(page->Objects.size());
  const bool onScreen = canvas.Kind() == TvlSurfaceKind::Screen;
  for (const auto& v : page->Objects) {
    if (!onScreen && (v->Flags & flScreenOnly)) continue;
    if (clipTest) {
      const std::int64_t right = static_cast<std::int64_t>(v->Left) + v->Width;
      const std::int64_t bottom = static_cast<std::int64_t>(v->Top) + v->Height;
      const TvlRect near{vlClampTo32(std::int64_t{vlRound(v->Left * kx)} + r.Left - kClipTolerance),
                         vlClampTo32(std::int64_t{vlRound(v->Top * ky)} + r.Top - kClipTolerance),
                         vlClampTo32(std::int64_t{vlRound(kx * static_cast<double>(right))} + r.Left + kClipTolerance),
                         vlClampTo32(std::int64_t{vlRound(ky * static_cast<double>(bottom))} + r.Top + kClipTolerance)};
      if (!canvas.RectVisible(near)) continue;
    }
    v->ToPrinter = toPrinter ? 1 : 0;
    views.push_back(v.get());
  }
  // Nothing is drawn beyond the paper: an object placed partly off the page
  // is cut at its edge, never painted on what lies around the paper.
  const bool beyond = std::any_of(views.begin(), views.end(), [&](const TvlView* v) {
    return v->Left < 0 || v->Top < 0 || static_cast<std::int64_t>(v->Left) + v->Width > m.PaperWidthU ||
           static_cast<std::int64_t>(v->Top) + v->Height > m.PaperHeightU;
  });
  if (!beyond) {
    vlDrawViews(canvas, views, kx, ky, r.Left, r.Top);
    return;
  }
  const std::optional<TvlRegion> clip = canvas.ClipRegion();
  canvas.IntersectClipRect(r);
  vlDrawViews(canvas, views, kx, ky, r.Left, r.Top);
  canvas.SelectClipRegion(clip);
}

}  // namespace vl
