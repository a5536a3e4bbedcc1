#pragma once
// Finds the aggregate calls (AVG, COUNT, MAX, MIN, SUM) a band must register
// before it is printed: in a text view's memo and in compiled script lines.
// Names of the current report's dictionary variables
// (vlState().CurReport->Dictionary.Variables, taken when the splitter is
// created) are followed, so an aggregate hidden in a variable's expression
// is found too.
//
// Form of the collected texts: each is one call exactly as it was written,
// from its name to its closing parenthesis ("SUM([Amount], MasterData1)",
// "Count(MasterData1, 1)"), with nothing in front of the name: the blanks,
// line breaks and operator codes that may stand before a call in the text it
// was found in are dropped. Such a text is a valid expression and at the same
// time its own postfix form, so TvlParser::EvaluatePostfix (or Evaluate)
// on it reaches the call with the argument texts exactly as written, which is
// what the accumulator keys are built from. Inner calls come before outer
// ones ("MAX(AVG(x))" gives "AVG(x)", then "MAX(AVG(x))").
//
// A memo line is scanned bracket by bracket; a bracket whose expression
// starts with a bracketed name is searched for bracketed names only, so
// "[[Qty] * SUM([Price])]" yields nothing (templates put the call first).

#include <string>
#include <vector>

#include "engine/core/variables.h"

namespace vl {

class TAggregateFunctionsSplitter {
 public:
  // Collects aggregate call texts (AVG, COUNT, MAX, MIN, SUM) into out; follows the
  // current report's dictionary variables (vlState().CurReport->Dictionary).
  explicit TAggregateFunctionsSplitter(std::vector<std::string>& out);
  // A text view's memo lines: each [bracketed expression] is split.
  void FindInMemo(const std::vector<std::string>& lines);
  // Compiled script lines (as TvlInterpretator compiles them): FindCalls.
  void FindInScript(const std::vector<std::string>& compiledLines);

 private:
  // Drops what stands before the name of each call appended since first.
  void TrimCallTexts(std::size_t first);

  std::vector<std::string>& out_;
  TvlVariables variables_;  // a copy: evaluating may change the dictionary
};

}  // namespace vl
