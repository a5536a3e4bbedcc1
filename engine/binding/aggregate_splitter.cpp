#include "engine/binding/aggregate_splitter.h"

#include <string_view>

#include "engine/core/engine_state.h"
#include "engine/model/report.h"
#include "engine/script/expression_scanner.h"
#include "engine/script/function_splitter.h"
#include "engine/script/interpreter.h"

namespace vl {
namespace {

const std::vector<std::string>& AggregateNames() {
  static const std::vector<std::string> names = {"AVG", "COUNT", "MAX", "MIN", "SUM"};
  return names;
}

}  // namespace

TAggregateFunctionsSplitter::TAggregateFunctionsSplitter(std::vector<std::string>& out) : out_(out) {
  if (const TvlReport* report = vlState().CurReport) variables_.Assign(report->Dictionary.Variables);
}

void TAggregateFunctionsSplitter::FindInMemo(const std::vector<std::string>& lines) {
  const std::size_t first = out_.size();
  TvlFunctionSplitter splitter(AggregateNames(), out_, variables_);
  for (const std::string& line : lines) {
    const std::string_view text(line);
    std::size_t pos = 0;
    while (pos < text.size()) {
      if (text[pos] != '[') {
        ++pos;
        continue;
      }
      const TvlBracketScan b = vlScanBracket(text, pos);
      std::string bracket = "[";
      bracket += b.Name;
      bracket += ']';
      splitter.Split(bracket);
      pos = b.Next;
    }
  }
  TrimCallTexts(first);
}

void TAggregateFunctionsSplitter::FindInScript(const std::vector<std::string>& compiledLines) {
  if (compiledLines.empty()) return;
  const std::size_t first = out_.size();
  TvlInterpretator().FindCalls(compiledLines, AggregateNames(), variables_, out_);
  TrimCallTexts(first);
}

void TAggregateFunctionsSplitter::TrimCallTexts(std::size_t first) {
  for (std::size_t k = first; k < out_.size(); ++k) {
    std::string& call = out_[k];
    std::size_t start = 0;
    while (start < call.size() && static_cast<unsigned char>(call[start]) <= ' ') ++start;
    call.erase(0, start);
  }
}

}  // namespace vl
