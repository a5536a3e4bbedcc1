#include "engine/core/text.h"

namespace vl {
namespace {
char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
}  // namespace

std::string vlUpperCase(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = Upper(c);
  return r;
}

std::string vlLowerCase(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = Lower(c);
  return r;
}

int vlCompareText(std::string_view a, std::string_view b) {
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t k = 0; k < n; ++k) {
    const auto x = static_cast<unsigned char>(Upper(a[k]));
    const auto y = static_cast<unsigned char>(Upper(b[k]));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool vlSameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && vlCompareText(a, b) == 0;
}

std::string vlTrim(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= 32) ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32) --e;
  return std::string(s.substr(b, e - b));
}

std::string vlJoinLines(const std::vector<std::string>& lines) {
  std::string r;
  for (const std::string& l : lines) {
    r += l;
    r += "\r\n";
  }
  return r;
}

std::vector<std::string> vlSplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0, k = 0;
  while (k < text.size()) {
    const char c = text[k];
    if (c == '\r' || c == '\n') {
      lines.emplace_back(text.substr(start, k - start));
      if (c == '\r' && k + 1 < text.size() && text[k + 1] == '\n') ++k;
      start = ++k;
    } else {
      ++k;
    }
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::vector<std::string> vlSplit(std::string_view text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t k = 0; k <= text.size(); ++k) {
    if (k == text.size() || text[k] == separator) {
      parts.emplace_back(text.substr(start, k - start));
      start = k + 1;
    }
  }
  return parts;
}

}  // namespace vl
