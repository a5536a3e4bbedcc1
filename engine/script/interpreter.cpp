#include "engine/script/interpreter.h"

#include "engine/core/error.h"
#include "engine/core/value_ops.h"
#include "engine/script/function_splitter.h"
#include "engine/script/script_compiler.h"

namespace vl {
namespace {

std::size_t Target(const std::string& line) {
  return static_cast<unsigned char>(line[1]) | (static_cast<std::size_t>(static_cast<unsigned char>(line[2])) << 8);
}

// A condition holds unless it equals 0 by the evaluator's comparison rules:
// empty counts as 0, null equals only null (so a null condition holds), and a
// text that is not a number is an error.
bool IsZero(const TvlValue& v) { return vlValueCompare(v, TvlValue(0)) == 0; }

bool IsExit(std::string_view e) {
  static constexpr std::string_view kExit = "EXIT(0)";
  if (e.size() != kExit.size()) return false;
  for (std::size_t k = 0; k < e.size(); ++k) {
    const char c = (e[k] >= 'a' && e[k] <= 'z') ? static_cast<char>(e[k] - 32) : e[k];
    if (c != kExit[k]) return false;
  }
  return true;
}

[[noreturn]] void Damaged(std::size_t index) {
  throw TvlError(std::string(script_msg::kDamagedLine) + " " + std::to_string(index));
}

}  // namespace

TvlInterpretator::TvlInterpretator() {
  parser_.OnGetValue = [this](std::string_view name, TvlValue& value) { ReadValue(name, value); };
  parser_.OnFunction = [this](std::string_view name, const TvlValue& p1, const TvlValue& p2,
                              const TvlValue& p3, TvlValue& value) { CallFunction(name, p1, p2, p3, value); };
}

void TvlInterpretator::ReadValue(std::string_view, TvlValue&) {}
void TvlInterpretator::AssignValue(std::string_view, const TvlValue&) {}
void TvlInterpretator::CallFunction(std::string_view, const TvlValue&, const TvlValue&, const TvlValue&,
                                    TvlValue&) {}

void TvlInterpretator::Compile(const std::vector<std::string>& source, std::vector<std::string>& output,
                               std::vector<std::string>& errors) {
  TvlScriptCompiler compiler;
  compiler.Compile(source, output, errors, [this](const std::string& text) { return parser_.ToPostfix(text); });
}

void TvlInterpretator::Run(const std::vector<std::string>& compiled) {
  const std::size_t count = compiled.size();
  std::uint64_t steps = 0, sinceCallback = 0;
  const bool callsBack = stepCallback_ && stepInterval_ != 0;
  std::size_t i = 0;
  while (i < count) {
    if (stepLimit_ != 0 && ++steps > stepLimit_)
      throw TvlError(std::string(script_msg::kStepLimit) + " " + std::to_string(stepLimit_) + " steps");
    if (budget_) budget_->Spend();
    if (callsBack && ++sinceCallback >= stepInterval_) {
      sinceCallback = 0;
      stepCallback_();
    }
    const std::string& line = compiled[i];
    if (line.empty()) {
      ++i;
      continue;
    }
    const std::string_view text(line);
    switch (line[0]) {
      case kScriptJumpIfZero:
        if (line.size() < 3) Damaged(i);
        i = IsZero(parser_.EvaluatePostfix(text.substr(3))) ? Target(line) : i + 1;
        break;
      case kScriptGoto:
        if (line.size() < 3) Damaged(i);
        // Longer than its target bytes: a goto whose label was never defined.
        if (line.size() > 3) {
          std::string label(text.substr(1));
          label.erase(0, label.find_first_not_of(' '));
          throw TvlError(std::string(script_msg::kUndefinedLabel) + " \"" + label + "\"");
        }
        i = Target(line);
        break;
      case kScriptCall:
        if (IsExit(text.substr(1))) return;
        parser_.EvaluatePostfix(text.substr(1));
        ++i;
        break;
      default: {
        std::size_t a = 0;
        while (a < line.size() && static_cast<unsigned char>(line[a]) <= 32) ++a;
        std::size_t b = a;
        while (b < line.size() && static_cast<unsigned char>(line[b]) > 32) ++b;
        const TvlValue value = parser_.EvaluatePostfix(text.substr(b));
        AssignValue(text.substr(a, b - a), value);
        ++i;
        break;
      }
    }
  }
}

void TvlInterpretator::FindCalls(const std::vector<std::string>& compiled, const std::vector<std::string>& names,
                                 const TvlVariables& variables, std::vector<std::string>& output) const {
  TvlFunctionSplitter splitter(names, output, variables);
  for (const std::string& line : compiled) {
    if (line.empty()) continue;
    const std::string_view text(line);
    switch (line[0]) {
      case kScriptJumpIfZero:
        if (line.size() > 3) splitter.Split(text.substr(3));
        break;
      case kScriptGoto: break;
      case kScriptCall: splitter.Split(text.substr(1)); break;
      default: {
        const std::size_t blank = line.find(' ');
        if (blank != std::string::npos) splitter.Split(text.substr(blank + 1));
        break;
      }
    }
  }
}

}  // namespace vl
