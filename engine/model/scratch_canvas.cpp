#include "engine/model/scratch_canvas.h"

#include "platform/recording_canvas.h"

namespace vl {
namespace {

// Measures only: nothing drawn on it is kept, so counting parts of texts
// over a whole preparation does not grow it.
class TvlMeasuringCanvas : public TvlRecordingCanvas {
 public:
  TvlMeasuringCanvas() : TvlRecordingCanvas({1, 1}, 96) {}
};

TvlCanvas* installed = nullptr;

}  // namespace

TvlCanvas& vlScratchCanvas() {
  static TvlMeasuringCanvas fallback;
  if (installed) return *installed;
  fallback.Clear();
  return fallback;
}

void vlSetScratchCanvas(TvlCanvas* canvas) { installed = canvas; }

}  // namespace vl
