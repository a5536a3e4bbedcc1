#pragma once
// Finds the aggregate calls (SUM, AVG, MIN, MAX, COUNT) written in a band's
// texts and scripts, so that each can be registered once before the page is
// formed.

#include <string>
#include <vector>

namespace vl {

class TvlVariables;

// Appends the calls found in the bracketed expressions of text lines.
void vlFindAggregateCallsInMemo(const std::vector<std::string>& lines, const TvlVariables& variables,
                                std::vector<std::string>& calls);
// Appends the calls found in the expressions of compiled script lines.
void vlFindAggregateCallsInScript(const std::vector<std::string>& compiled, const TvlVariables& variables,
                                  std::vector<std::string>& calls);

}  // namespace vl
