#include "engine/model/shared_properties.h"

#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/core/expression_evaluator.h"
#include "engine/core/value_convert.h"
#include "engine/model/layout_bounds.h"

namespace vl {
namespace {

std::size_t CheckedIndex(const std::vector<std::string>& list, const TvlValue& index) {
  const std::int32_t k = vlValueToInteger(index);
  if (k < 0 || static_cast<std::size_t>(k) >= list.size())
    throw TvlError("List index out of bounds (" + std::to_string(k) + ")");
  return static_cast<std::size_t>(k);
}

}  // namespace

void vlSetFontProperty(TvlFont& font, const std::string& upperName, const TvlValue& value) {
  if (upperName == "FONT.NAME") font.Name = vlValueToText(value);
  else if (upperName == "FONT.SIZE") font.Size = vlBoundFontSize(vlValueToInteger(value));
  else if (upperName == "FONT.STYLE") font.Style = vlValueToInteger(value);
  else if (upperName == "FONT.COLOR") font.Color = static_cast<TvlColor>(vlValueToFloat(value));
}

TvlValue vlGetFontProperty(const TvlFont& font, const std::string& upperName) {
  if (upperName == "FONT.NAME") return TvlValue(font.Name);
  if (upperName == "FONT.SIZE") return TvlValue(font.Size);
  if (upperName == "FONT.STYLE") return TvlValue(font.Style);
  if (upperName == "FONT.COLOR") return TvlValue(static_cast<std::int32_t>(font.Color));
  return TvlValue::Null();
}

TvlValue vlListMethod(std::vector<std::string>& list, const std::string& method, const TvlValue& p1,
                      const TvlValue& p2, const TvlValue& p3, const std::string& listName) {
  if (method == "SETINDEXPROPERTY") {
    if (vlValueToText(p1) == listName) list[CheckedIndex(list, p2)] = vlValueToText(p3);
    return TvlValue::Null();
  }
  if (method == "GETINDEXPROPERTY") {
    if (vlValueToText(p1) == listName) return TvlValue(list[CheckedIndex(list, p2)]);
    return TvlValue::Null();
  }
  if (method.size() <= listName.size() || method.compare(0, listName.size(), listName) != 0 ||
      method[listName.size()] != '.')
    return TvlValue::Null();
  const std::string op = method.substr(listName.size());
  if (op == ".ADD") {
    list.push_back(vlValueToText(vlEvaluateText(p1)));
  } else if (op == ".CLEAR") {
    list.clear();
  } else if (op == ".DELETE") {
    const TvlValue index = vlEvaluateText(p1);
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(CheckedIndex(list, index)));
  } else if (op == ".INDEXOF") {
    const std::string wanted = vlValueToText(vlEvaluateText(p1));
    for (std::size_t k = 0; k < list.size(); ++k)
      if (list[k] == wanted) return TvlValue(static_cast<std::int32_t>(k));
    return TvlValue(-1);
  }
  return TvlValue::Null();
}

}  // namespace vl
