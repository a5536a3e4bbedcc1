// vlreport script: compiles a script file; prints its syntax messages, or runs
// it against a table of variables and prints the variables it set.

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/vlreport/command.h"
#include "app/vlreport/json_output.h"
#include "engine/core/text.h"
#include "engine/core/value_convert.h"
#include "engine/script/run_budget.h"
#include "engine/script/table_interpretator.h"
#include "platform/file_access.h"
#include "platform/terminal_text.h"
#include "engine/core/project_texts.h"

namespace vl::cli {
namespace {

// NAME=VALUE: an integer, a number, TRUE or FALSE, otherwise the text itself.
TvlValue ParseValue(const std::string& text) {
  char* end = nullptr;
  const long long n = std::strtoll(text.c_str(), &end, 10);
  if (!text.empty() && *end == 0 && n >= INT32_MIN && n <= INT32_MAX) return TvlValue(static_cast<std::int32_t>(n));
  const double d = std::strtod(text.c_str(), &end);
  if (!text.empty() && *end == 0 && std::isfinite(d)) return TvlValue(d);
  if (vlSameText(text, "TRUE")) return TvlValue(true);
  if (vlSameText(text, "FALSE")) return TvlValue(false);
  return TvlValue(text);
}

nlohmann::ordered_json ToJson(const TvlValue& v) {
  switch (v.Kind()) {
    case TvlValueKind::Empty:
    case TvlValueKind::Null: return nullptr;
    case TvlValueKind::Integer: return v.Int();
    case TvlValueKind::Float:
      if (std::isfinite(v.Float())) return v.Float();
      break;
    case TvlValueKind::Boolean: return v.Bool();
    default: break;
  }
  return Utf8(vlValueToText(v));
}

// Scripts are small; a larger file is refused rather than read.
constexpr std::size_t kMaxScriptBytes = std::size_t{16} << 20;

std::uint64_t ParseCount(const std::string& text, const char* what) {
  char* end = nullptr;
  const unsigned long long n = std::strtoull(text.c_str(), &end, 10);
  if (text.empty() || *end != 0 || text[0] == '-') throw UsageError{vlTr("bad %1 '%2'", {what, text})};
  return n;
}

// A script run from the command line gets the budget of one preparation's
// script run unless told otherwise (0 lifts a limit).
constexpr const char* kDefaultMaxSteps = "50000000";
constexpr const char* kDefaultMaxSeconds = "60";

}  // namespace

int RunScript(const Args& args) {
  ArgReader reader(args);
  const Args vars = reader.Options("--var");
  const std::string steps = reader.Option("--max-steps", kDefaultMaxSteps);
  const std::string seconds = reader.Option("--max-seconds", kDefaultMaxSeconds);
  const Args rest = reader.Positional();
  if (rest.size() != 1) throw UsageError{vlTr("needs one script file")};

  // A regular file only: a FIFO would block, a device give bytes for ever.
  std::string text;
  if (vlReadRegularFile(rest[0], text, kMaxScriptBytes) != TvlReadOutcome::Read)
    throw UsageError{vlTr("cannot read '%1'", {rest[0]})};

  TvlTableInterpretator interpreter;
  interpreter.SetStepLimit(ParseCount(steps, vlTr("step count").c_str()));
  const std::uint64_t maxSeconds = ParseCount(seconds, vlTr("number of seconds").c_str());
  if (maxSeconds > 1'000'000'000) throw UsageError{vlTr("bad number of seconds '%1'", {seconds})};
  TvlRunBudget budget(0, std::chrono::seconds(maxSeconds));
  budget.What = "Script";
  interpreter.SetRunBudget(&budget);
  for (const std::string& v : vars) {
    const std::size_t eq = v.find('=');
    if (eq == std::string::npos || eq == 0) throw UsageError{vlTr("--var needs NAME=VALUE, not '%1'", {v})};
    interpreter.Variables.Set(v.substr(0, eq), ParseValue(v.substr(eq + 1)));
  }

  std::vector<std::string> compiled, errors;
  interpreter.Compile(vlSplitLines(text), compiled, errors);
  if (!errors.empty()) {
    for (const std::string& e : errors) std::fprintf(stderr, "%s\n", vlTerminalText(e).c_str());
    return 1;
  }
  interpreter.Run(compiled);

  nlohmann::ordered_json doc;
  // Assigned names are distinct: appended directly, since looking each one
  // up in an ordered object first would make a large array quadratic.
  nlohmann::ordered_json variables = nlohmann::ordered_json::object();
  auto& members = variables.get_ref<nlohmann::ordered_json::object_t&>();
  members.reserve(interpreter.Assigned.size());
  for (const std::string& name : interpreter.Assigned)
    members.emplace_back(Utf8(name), ToJson(interpreter.Variables.Get(name)));
  doc["Variables"] = std::move(variables);
  PrintJson(doc);
  return 0;
}

}  // namespace vl::cli
