#pragma once
// Everything one preparation run knows, in one object: the run state (current
// report, page, band and view, page numbers, appending to the previous page,
// the error), the value context of bracketed expressions and aggregate
// registration, and the run's answers and hooks that the layers below ask
// for (page formation's counters, the views' print hooks, band alignment,
// the page limits in use, bracket expansion).
//
// The preparation run owns its context and installs it with one
// TvlRunContextScope; everything below reaches it through vlRunContext().
// The scope puts the previous context back when it ends, so a report can be
// prepared while another one's run is alive and neither sees the other's
// state. Outside every run the program's own context answers (the designer,
// the preview, vlreport eval).
//
// The hooks are only pointers here: their types belong to the layers that
// use them, which fall back to their own defaults while a pointer is null.

#include <string>

#include "engine/core/engine_state.h"
#include "engine/core/value.h"

namespace vl {

class TvlRunAccess;
struct TvlViewRunHooks;

// What the expansion of bracketed expressions and the aggregates share.
struct TvlValueContext {
  TvlValue CurrentValue;          // of the bracketed expression expanded last ("VALUE")
  std::string CurrentExpression;  // its text, without the format suffix
  std::string ResolvingName;      // the name being evaluated as an expression
  bool RegistrationMode = false;  // aggregate calls register their accumulators instead of reading them
  // Captured when preparation starts ("DATE", "TIME").
  double ReportDate = 0, ReportTime = 0;
};

struct TvlRunContext {
  TvlEngineState State;
  TvlValueContext Values;

  // The run's hooks; null: the layer's defaults.
  TvlRunAccess* Access = nullptr;         // page formation's counters and requests (binding/run_access.h)
  TvlViewRunHooks* ViewHooks = nullptr;   // printing, band alignment, limits, brackets (model/view_run_hooks.h)
};

// The context of the innermost run in progress, or the program's own.
TvlRunContext& vlRunContext();
// True while a run's context is installed.
bool vlInsideRun();

// Installs a run's context for its lifetime and then restores the one before.
class TvlRunContextScope {
 public:
  explicit TvlRunContextScope(TvlRunContext& context);
  ~TvlRunContextScope();
  TvlRunContextScope(const TvlRunContextScope&) = delete;
  TvlRunContextScope& operator=(const TvlRunContextScope&) = delete;

 private:
  TvlRunContext* previous_;
};

}  // namespace vl
