#pragma once
// TvlInterpretator: the script language of views, bands and pages. Compile
// turns a script's text into instruction lines once (script_compiler.h gives
// their layout); Run walks them and evaluates their stored postfix texts with
// the interpreter's private evaluator, so running never parses text again.
//
// What a name, an assignment or a call means is not decided here: the private
// evaluator's handlers forward to ReadValue and CallFunction, and assignment
// lines go to AssignValue. The base resolves nothing (names read as null,
// assignments and calls do nothing); the report's interpreter and the table
// interpreter (table_interpretator.h) give them meaning.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/core/value.h"
#include "engine/core/variables.h"
#include "engine/script/parser.h"
#include "engine/script/run_budget.h"

namespace vl {

class TvlInterpretator {
 public:
  TvlInterpretator();
  virtual ~TvlInterpretator() = default;
  // The evaluator's handlers point at this object.
  TvlInterpretator(const TvlInterpretator&) = delete;
  TvlInterpretator& operator=(const TvlInterpretator&) = delete;

  // The value operations, in slot order. value arrives set to null.
  virtual void ReadValue(std::string_view name, TvlValue& value);
  virtual void AssignValue(std::string_view name, const TvlValue& value);
  // name upper-cased; p1..p3 the argument texts as written (string values).
  virtual void CallFunction(std::string_view name, const TvlValue& p1, const TvlValue& p2,
                            const TvlValue& p3, TvlValue& value);

  // Output and error lines are cleared first; afterwards the output holds the
  // compiled lines and each error line reads "Line n/m: message". Source and
  // output may be the same list. With errors the output holds what was
  // compiled before the error, every open jump pointing at the end.
  virtual void Compile(const std::vector<std::string>& source, std::vector<std::string>& output,
                       std::vector<std::string>& errors);
  // Runs compiled lines. Errors of the evaluator and the value operations end
  // the run and reach the caller (TvlError); so do a goto to a label the
  // script never defined and, when a step limit is set, running past it.
  virtual void Run(const std::vector<std::string>& compiled);

  // Appends to output every call of a function in names found in the
  // expressions of the compiled lines (aggregate registration).
  void FindCalls(const std::vector<std::string>& compiled, const std::vector<std::string>& names,
                 const TvlVariables& variables, std::vector<std::string>& output) const;

  // The number of lines one Run may execute; 0 (the default) is no limit.
  void SetStepLimit(std::uint64_t steps) { stepLimit_ = steps; }
  std::uint64_t StepLimit() const { return stepLimit_; }
  // Called after every interval lines of a run, so that a long script lets
  // window events through (a progress window's Cancel); the callback may
  // throw to end the run. An empty callback or interval 0 calls nothing.
  void SetStepCallback(std::function<void()> callback, std::uint64_t interval) {
    stepCallback_ = std::move(callback);
    stepInterval_ = interval;
  }

  // A budget shared with other runs (a whole preparation's), spent one step
  // per line on top of the step limit; nullptr for none. Not owned.
  void SetRunBudget(TvlRunBudget* budget) { budget_ = budget; }
  TvlRunBudget* RunBudget() const { return budget_; }

  TvlParser& Parser() { return parser_; }

 private:
  TvlRunBudget* budget_ = nullptr;
  TvlParser parser_;
  std::uint64_t stepLimit_ = 0;
  std::function<void()> stepCallback_;
  std::uint64_t stepInterval_ = 0;
};

// Run-time messages.
namespace script_msg {
inline constexpr const char* kUndefinedLabel = "Undefined label";  // + blank + label in quotes
inline constexpr const char* kStepLimit = "Script stopped after";  // + blank + count + " steps"
inline constexpr const char* kDamagedLine = "Damaged script line";  // + blank + 0-based index
}  // namespace script_msg

}  // namespace vl
