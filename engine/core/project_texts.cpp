#include "engine/core/project_texts.h"

#include <vector>

#include "engine/core/language.h"

namespace vl {
namespace {

// %1 ... %9 replaced by the arguments in one pass, so an argument that
// itself holds "%2" stays as it is.
std::string Substitute(std::string_view text, const std::vector<std::string>& args) {
  if (args.empty()) return std::string(text);
  std::string out;
  out.reserve(text.size());
  for (std::size_t k = 0; k < text.size(); ++k) {
    if (text[k] == '%' && k + 1 < text.size() && text[k + 1] >= '1' && text[k + 1] <= '9') {
      const std::size_t n = static_cast<std::size_t>(text[k + 1] - '1');
      if (n < args.size()) {
        out += args[n];
        ++k;
        continue;
      }
    }
    out += text[k];
  }
  return out;
}

}  // namespace

std::string vlTr(std::string_view english, std::initializer_list<std::string> args) {
  const std::vector<std::string> list(args);
  if (vlLanguage() == TvlLanguage::Chinese)
    if (const char* zh = vlChineseText(english)) return Substitute(vlUtf8ToCodePage(zh), list);
  return Substitute(english, list);
}

}  // namespace vl
