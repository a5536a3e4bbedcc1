#include "engine/model/view_run_hooks.h"

namespace vl {

TvlViewRunHooks vlViewHooksInForce() {
  return {vlPrintHooks(), vlBracketHooks(), vlBandAlignProvider(), vlLimitsInUse()};
}

}  // namespace vl
