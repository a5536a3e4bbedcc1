#include "app/render/render_views.h"

#include <cmath>

#include "engine/core/units.h"
#include "engine/model/view_render.h"
#include "platform/qt/qt_canvas.h"

namespace vl {

QImage vlRenderViewsToImage(const std::vector<TvlView*>& views, std::int32_t widthU, std::int32_t heightU,
                            double dpi) {
  const double scale = dpi / kPageUnitsPerInch;
  const std::int32_t w = std::max(1, vlRound(widthU * scale));
  const std::int32_t h = std::max(1, vlRound(heightU * scale));
  TvlQtImageCanvas canvas(w, h, static_cast<int>(std::lround(dpi)));
  // The views fill the picture exactly, as a prepared page fills the
  // rectangle it is drawn into.
  vlDrawViews(canvas, views, static_cast<double>(w) / std::max(1, widthU), static_cast<double>(h) / std::max(1, heightU));
  return canvas.Image().copy();
}

}  // namespace vl
