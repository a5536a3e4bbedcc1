#include "engine/core/expression_evaluator.h"

#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/core/value_convert.h"

namespace vl {

TvlValue vlEvaluateText(const TvlValue& text) {
  TvlExpressionEvaluator* e = vlShared().Evaluator;
  if (!e) throw TvlError("No expression evaluator is installed");
  return e->Evaluate(vlValueToText(text));
}

}  // namespace vl
