#include "engine/model/view_render.h"

#include "engine/core/engine_state.h"

namespace vl {

void vlDrawViews(TvlCanvas& canvas, const std::vector<TvlView*>& views, double scaleX, double scaleY,
                 std::int32_t offsetX, std::int32_t offsetY) {
  TvlEngineState& state = vlState();
  const TvlDocMode mode = state.DocMode;
  TvlView* const current = state.CurView;
  state.DocMode = TvlDocMode::dmPrinting;
  for (TvlView* v : views) {
    if (!v || !v->Visible) continue;
    v->DrawScaleX = scaleX;
    v->DrawScaleY = scaleY;
    v->DrawOffsetX = offsetX;
    v->DrawOffsetY = offsetY;
    v->Draw(canvas);
  }
  state.DocMode = mode;
  state.CurView = current;
}

}  // namespace vl
