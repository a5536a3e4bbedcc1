#include "engine/core/run_context.h"

namespace vl {
namespace {
TvlRunContext& ProgramContext() {
  static TvlRunContext context;
  return context;
}
TvlRunContext* gCurrent = nullptr;
}  // namespace

TvlRunContext& vlRunContext() { return gCurrent ? *gCurrent : ProgramContext(); }
bool vlInsideRun() { return gCurrent != nullptr; }

TvlRunContextScope::TvlRunContextScope(TvlRunContext& context) : previous_(gCurrent) { gCurrent = &context; }
TvlRunContextScope::~TvlRunContextScope() { gCurrent = previous_; }

TvlEngineState& vlState() { return vlRunContext().State; }

}  // namespace vl
