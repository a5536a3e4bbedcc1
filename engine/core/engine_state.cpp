#include "engine/core/engine_state.h"

namespace vl {

TvlEngineState& vlState() {
  static TvlEngineState state;
  return state;
}

}  // namespace vl
