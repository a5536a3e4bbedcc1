#include "engine/core/text_format.h"

#include <vector>

namespace vl {

std::string vlFormat(std::string_view pattern, std::initializer_list<std::string> values) {
  const std::vector<std::string> args(values);
  std::string out;
  out.reserve(pattern.size());
  for (std::size_t k = 0; k < pattern.size(); ++k) {
    const char c = pattern[k];
    if (c == '%' && k + 1 < pattern.size() && pattern[k + 1] >= '1' && pattern[k + 1] <= '9') {
      const std::size_t n = static_cast<std::size_t>(pattern[k + 1] - '1');
      if (n < args.size()) {
        out += args[n];
        ++k;
        continue;
      }
    }
    out += c;
  }
  return out;
}

}  // namespace vl
