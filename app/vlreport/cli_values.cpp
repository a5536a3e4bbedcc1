#include "app/vlreport/cli_values.h"

#include <QString>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "engine/core/error.h"
#include "engine/core/string_table.h"
#include "engine/core/value_convert.h"
#include "engine/script/function_library.h"
#include "engine/script/parser.h"
#include "platform/qt/qt_text.h"
#include "engine/core/project_texts.h"

namespace vl::cli {

TvlValue ReadCliValue(const std::string& text) {
  std::int32_t i = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), i);
  if (!text.empty() && ec == std::errc() && end == text.data() + text.size()) return TvlValue(i);
  double d = 0;
  if (vlTryTextToFloat(text, d)) return TvlValue(d);
  return TvlValue(text);
}

std::vector<std::pair<std::string, std::string>> ReadAssignmentTexts(ArgReader& reader, const std::string& option) {
  std::vector<std::pair<std::string, std::string>> texts;
  for (const std::string& given : reader.Options(option)) {
    const std::size_t eq = given.find('=');
    if (eq == std::string::npos || eq == 0) throw UsageError{vlTr("%1 needs NAME=VALUE, not '%2'", {option, given})};
    texts.emplace_back(vlFromQt(QString::fromUtf8(given.substr(0, eq).c_str())),
                       vlFromQt(QString::fromUtf8(given.substr(eq + 1).c_str())));
  }
  return texts;
}

TvlVariables ReadAssignments(ArgReader& reader, const std::string& option) {
  TvlVariables vars;
  for (const auto& [name, text] : ReadAssignmentTexts(reader, option)) vars.Set(name, ReadCliValue(text));
  return vars;
}

double ReadDpi(const std::string& text) {
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != 0 || !std::isfinite(v) || v < 10 || v > 2400)
    throw UsageError{vlTr("bad resolution '%1' (10 to 2400 dots per inch)", {text})};
  return v;
}

void ThrowUndefined(std::string_view name) {
  throw TvlError(vlLoadStr(str::kUndefinedSymbol) + " \"" + std::string(name) + "\"");
}

void AnswerFromVariables(TvlParser& parser, const TvlVariables& vars) {
  parser.OnGetValue = [&vars](std::string_view name, TvlValue& value) {
    const TvlValue* found = vars.Find(name);
    if (!found) ThrowUndefined(name);
    value = *found;
  };
  parser.OnFunction = [](std::string_view name, const TvlValue& p1, const TvlValue& p2, const TvlValue& p3,
                         TvlValue& val) {
    val = TvlValue("0");
    if (!vlOfferCallToLibraries(name, p1, p2, p3, val)) ThrowUndefined(name);
  };
}

}  // namespace vl::cli
