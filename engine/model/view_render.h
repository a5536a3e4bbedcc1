#pragma once
// Draws a set of views onto any surface at a scale, as they stand (the
// command-line tool's page pictures, tests and benchmarks).

#include <vector>

#include "engine/model/view.h"

namespace vl {

class TvlCanvas;

// Each view draws itself scaled from page units and offset, in printing
// document mode (what a preview or printer shows); the engine's document
// mode is restored afterwards. Invisible views are skipped.
void vlDrawViews(TvlCanvas& canvas, const std::vector<TvlView*>& views, double scaleX, double scaleY,
                 std::int32_t offsetX = 0, std::int32_t offsetY = 0);

}  // namespace vl
