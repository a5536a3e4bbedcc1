#include "engine/formation/aggregate_calls.h"

#include "engine/script/expression_scanner.h"
#include "engine/script/function_splitter.h"
#include "engine/script/interpreter.h"

namespace vl {
namespace {

const std::vector<std::string>& AggregateNames() {
  static const std::vector<std::string> names{"AVG", "COUNT", "MAX", "MIN", "SUM"};
  return names;
}

}  // namespace

void vlFindAggregateCallsInMemo(const std::vector<std::string>& lines, const TvlVariables& variables,
                                std::vector<std::string>& calls) {
  TvlFunctionSplitter splitter(AggregateNames(), calls, variables);
  for (const std::string& line : lines) {
    std::size_t pos = 0;
    while (pos < line.size()) {
      pos = line.find('[', pos);
      if (pos == std::string::npos) break;
      const TvlBracketScan scan = vlScanBracket(line, pos);
      std::string bracket = "[";
      bracket += scan.Name;
      bracket += ']';
      splitter.Split(bracket);
      pos = scan.Next > pos ? scan.Next : pos + 1;
    }
  }
}

void vlFindAggregateCallsInScript(const std::vector<std::string>& compiled, const TvlVariables& variables,
                                  std::vector<std::string>& calls) {
  if (compiled.empty()) return;
  TvlInterpretator interpreter;
  interpreter.FindCalls(compiled, AggregateNames(), variables, calls);
}

}  // namespace vl
