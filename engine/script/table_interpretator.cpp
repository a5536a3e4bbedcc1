#include "engine/script/table_interpretator.h"
#include "engine/core/project_texts.h"

#include <cstdint>

#include "engine/core/error.h"
#include "engine/core/string_table.h"
#include "engine/core/text.h"
#include "engine/core/value_convert.h"

namespace vl {

void TvlTableInterpretator::ReadValue(std::string_view name, TvlValue& value) {
  if (const TvlValue* found = Variables.Find(name)) {
    value = *found;
    return;
  }
  throw TvlError(vlLoadStr(str::kUndefinedSymbol) + " \"" + std::string(name) + "\"");
}

void TvlTableInterpretator::AssignValue(std::string_view name, const TvlValue& value) {
  Variables.Set(name, value);
  if (RecordAssigned && !assignedIndex_.Find(name)) {
    assignedIndex_.Set(name, TvlValue());
    Assigned.emplace_back(name);
  }
}

std::string TvlTableInterpretator::ElementName(std::string_view array, const TvlValue& index) const {
  const std::string indexText = index.IsString() ? index.Str() : std::to_string(vlValueToInteger(index));
  return "Arr_" + vlTrim(array) + "_" + indexText;
}

void TvlTableInterpretator::CallFunction(std::string_view name, const TvlValue& p1, const TvlValue& p2,
                                         const TvlValue& p3, TvlValue& value) {
  if (name == "SETARRAY") {
    const std::string element = ElementName(p1.Str(), Parser().Evaluate(p2.Str()));
    AssignValue(element, Parser().Evaluate(p3.Str()));
  } else if (name == "GETARRAY") {
    value = Variables.Get(ElementName(p1.Str(), Parser().Evaluate(p2.Str())));
  } else if (name == "INC" || name == "DEC") {
    const std::string target = vlTrim(p1.Str());
    const TvlValue old = Parser().Evaluate(target);
    const int step = name == "INC" ? 1 : -1;
    const std::int64_t next = static_cast<std::int64_t>(old.Int()) + step;
    if (old.Kind() == TvlValueKind::Integer && next >= INT32_MIN && next <= INT32_MAX)
      AssignValue(target, TvlValue(static_cast<std::int32_t>(next)));
    else
      AssignValue(target, TvlValue(vlValueToFloat(old) + step));
  } else {
    throw TvlError(vlTr("Unknown function %1", {std::string(name)}));
  }
}

}  // namespace vl
