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
  // A condition evaluated again and again is compiled once: Compile gives a
  // stored form that EvaluateCompiled runs (the defaults keep the text).
  virtual std::string Compile(const std::string& text) { return text; }
  virtual TvlValue EvaluateCompiled(const std::string& compiled) { return Evaluate(compiled); }
};

// Evaluates a value's text with the shared evaluator (vlShared().Evaluator):
// how procedures and library functions read their raw argument texts.
// Raises TvlError when no evaluator is installed.
TvlValue vlEvaluateText(const TvlValue& text);

}  // namespace vl
