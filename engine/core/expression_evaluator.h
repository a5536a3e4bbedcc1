#pragma once
// What the object model needs of the expression language: the engine's shared
// evaluator, reached through the engine state so that report objects do not
// depend on the script layer.

#include <string>

#include "engine/core/value.h"

namespace vl {

class TvlExpressionEvaluator {
 public:
  virtual ~TvlExpressionEvaluator() = default;
  virtual TvlValue Evaluate(const std::string& text) = 0;
};

}  // namespace vl
