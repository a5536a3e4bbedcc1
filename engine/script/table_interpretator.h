#pragma once
// An interpreter whose names live in one table of variables: a name reads its
// entry (an absent name is "Undefined symbol"), an assignment writes it, and
// the array procedures keep elements as "Arr_" + array + "_" + index entries,
// as the report's script variables do. It serves the command-line tool, the
// tests, the fuzz target and the benchmark, which have no report.

#include <string>
#include <string_view>
#include <vector>

#include "engine/core/variables.h"
#include "engine/script/interpreter.h"

namespace vl {

// A table that keeps its names sorted: found by binary search, added in
// logarithmic time (a script filling a large array stays fast).
inline TvlVariables vlSortedVariables() {
  TvlVariables v;
  v.SetSorted(true);
  return v;
}

class TvlTableInterpretator : public TvlInterpretator {
 public:
  TvlVariables Variables = vlSortedVariables();
  // Names assigned by scripts (elements included), in order of first assignment.
  std::vector<std::string> Assigned;
  bool RecordAssigned = true;  // off where only the values matter (the benchmark)

  void ReadValue(std::string_view name, TvlValue& value) override;
  void AssignValue(std::string_view name, const TvlValue& value) override;
  // SETARRAY(array, index, value), GETARRAY(array, index), INC(name) and
  // DEC(name); any other call raises "Unknown function" and its name.
  void CallFunction(std::string_view name, const TvlValue& p1, const TvlValue& p2, const TvlValue& p3,
                    TvlValue& value) override;

  // The entry name of one array element.
  std::string ElementName(std::string_view array, const TvlValue& index) const;

 private:
  TvlVariables assignedIndex_ = vlSortedVariables();  // the names of Assigned
};

}  // namespace vl
