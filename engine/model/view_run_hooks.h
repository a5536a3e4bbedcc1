#pragma once
// The views' hooks that a preparation run brings in its context
// (engine/core/run_context.h): while the run is in progress the views ask
// these, and outside it the program's own ones.

#include "engine/model/bracket_text.h"
#include "engine/model/page_limits.h"
#include "engine/model/view_support.h"

namespace vl {

struct TvlViewRunHooks {
  TvlPrintHooks Print;
  TvlBracketHooks Brackets;
  TvlBandAlignProvider BandAlign;
  TvlLimitsInUse LimitsInUse;
};

// The hooks in force now (the program's, until a run puts its own in its
// context), to start a run's own hooks from.
TvlViewRunHooks vlViewHooksInForce();

}  // namespace vl
