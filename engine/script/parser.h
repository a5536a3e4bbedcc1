#pragma once
// The expression evaluator. Infix text is converted to a postfix text once
// (ToPostfix) and the postfix text is evaluated with a fixed stack of 32 values
// (EvaluatePostfix); conditions that run for every record are stored in
// postfix form. Names and calls the evaluator does not know itself go to the
// two handlers; INT, FRAC, ROUND, STR, NOT, MOD, AND and OR are operators, and
// COPY, IF, STRTODATE and STRTOTIME are built in.
//
// Priorities (smaller binds tighter): INT FRAC STR ROUND 0; * / MOD AND OR NOT 1;
// + - and prefix - + 2; comparisons 3. So a = 1 or b = 2 means a = (1 or b) = 2.
//
// Postfix form: operands are written as in the source followed by a blank, a
// call verbatim without a blank, operators as one character each, the words and
// two-character operators as control characters (see TvlOperatorCode).

#include <functional>
#include <string>
#include <string_view>

#include "engine/core/expression_evaluator.h"
#include "engine/core/value.h"
#include "engine/script/expression_scanner.h"

namespace vl {

enum TvlOperatorCode : char {
  opGreaterEqual = 1,
  opLessEqual = 2,
  opNotEqual = 3,
  opOr = 4,
  opAnd = 5,
  opInt = 6,
  opFrac = 7,
  opNegate = 9,     // '-' where an operand is expected
  opPlusSign = 10,  // '+' where an operand is expected; has no effect
  opStr = 11,
  opNot = 12,
  opMod = 13,
  opRound = 14,
};

class TvlParser : public TvlExpressionEvaluator {
 public:
  // Resolves a name: bracketed names arrive as written, plain names upper-cased.
  // The value arrives set to null. The name is valid only during the call.
  using TGetValueEvent = std::function<void(std::string_view name, TvlValue& value)>;
  // A call of a function the evaluator does not know: the upper-cased name and
  // the three argument texts as written (string values, empty when absent).
  using TFunctionEvent = std::function<void(std::string_view name, const TvlValue& p1,
                                            const TvlValue& p2, const TvlValue& p3, TvlValue& val)>;

  static constexpr int kStackSize = 32;
  // Evaluations nested through calls and handlers; beyond it an error is raised
  // instead of exhausting the machine stack.
  static constexpr int kMaxNesting = 64;

  TGetValueEvent OnGetValue;
  TFunctionEvent OnFunction;

  // EvaluatePostfix(ToPostfix(text)); errors name the infix text.
  TvlValue Evaluate(const std::string& text) override;
  TvlValue Evaluate(std::string_view text);
  TvlValue Evaluate(const char* text) { return Evaluate(std::string_view(text)); }
  // The stored postfix form, for conditions evaluated many times.
  std::string Compile(const std::string& text) override { return ToPostfix(text); }
  TvlValue EvaluateCompiled(const std::string& compiled) override { return EvaluatePostfix(compiled); }

  std::string ToPostfix(std::string_view text) const;
  TvlValue EvaluatePostfix(std::string_view postfix);

 private:
  // source names the expression in error messages; when sourceIsPostfix it is
  // shown with its control characters escaped.
  TvlValue Run(std::string_view postfix, std::string_view source, bool sourceIsPostfix);
  void CallFunction(std::string_view name, const TvlArgumentScan& args, TvlValue& slot);

  int nesting_ = 0;  // evaluations currently running on this evaluator
};

// A postfix text for people: control characters and DEL written as \xNN.
std::string vlPostfixToDisplay(std::string_view postfix);

}  // namespace vl
