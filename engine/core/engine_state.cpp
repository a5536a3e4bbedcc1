#include "engine/core/engine_state.h"

namespace vl {

TvlSharedState& vlShared() {
  static TvlSharedState shared;
  return shared;
}

}  // namespace vl
