#pragma once
// Values given on the command line: NAME=VALUE options and the evaluator that
// answers names from them. Arguments arrive in UTF-8 and become engine texts.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/vlreport/command.h"
#include "engine/core/value.h"
#include "engine/core/variables.h"

namespace vl {
class TvlParser;
}

namespace vl::cli {

// An integer, another number, or else the text itself.
TvlValue ReadCliValue(const std::string& text);
// A picture's resolution in dots per inch (10 to 2400); anything else is a
// UsageError.
double ReadDpi(const std::string& text);
// Every "option NAME=VALUE" given, as engine texts in the order given.
std::vector<std::pair<std::string, std::string>> ReadAssignmentTexts(ArgReader& reader, const std::string& option);
// The same as variables, each value read by ReadCliValue.
TvlVariables ReadAssignments(ArgReader& reader, const std::string& option);
// Raises the engine's "Undefined symbol" error for the name.
[[noreturn]] void ThrowUndefined(std::string_view name);
// Names resolve from the variables and calls go to the function libraries;
// any other name or call is undefined. Library functions evaluate their
// arguments with vlShared().Evaluator, so install the parser there too.
void AnswerFromVariables(TvlParser& parser, const TvlVariables& vars);

}  // namespace vl::cli
