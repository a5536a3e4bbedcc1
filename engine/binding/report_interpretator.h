#pragma once
// TInterpretator: the report's script interpreter. Names and calls resolve
// as in any report expression (value_resolution.h); an assignment reaches,
// in this order, an existing script variable, the dictionary, MODALRESULT,
// CURY, an object's property, and otherwise creates a script variable;
// PROGRESS shows its value in the progress window.

#include "engine/script/interpreter.h"

namespace vl {

class TInterpretator : public TvlInterpretator {
 public:
  void ReadValue(std::string_view name, TvlValue& value) override;
  void AssignValue(std::string_view name, const TvlValue& value) override;
  void CallFunction(std::string_view name, const TvlValue& p1, const TvlValue& p2, const TvlValue& p3,
                    TvlValue& value) override;
};

}  // namespace vl
