#include "engine/script/expression_scanner.h"
#include "engine/core/project_texts.h"

#include <string>

#include "engine/core/error.h"

namespace vl {

TvlBracketScan vlScanBracket(std::string_view text, std::size_t pos) noexcept {
  if (pos >= text.size() || text[pos] != '[') return {{}, pos, pos + 1};
  int depth = 0;
  bool inApostrophes = false, inQuotes = false;
  std::size_t k = pos;
  for (; k < text.size(); ++k) {
    const char c = text[k];
    if (c == '"' && !inApostrophes) {
      inQuotes = !inQuotes;
    } else if (c == '\'' && !inQuotes) {
      inApostrophes = !inApostrophes;
    } else if (!inApostrophes && !inQuotes) {
      if (c == '[') {
        ++depth;
      } else if (c == ']' && --depth == 0) {
        break;
      }
    }
  }
  return {text.substr(pos + 1, k - pos - 1), k, k + 1};
}

TvlIdentifierScan vlScanIdentifier(std::string_view text, std::size_t pos) noexcept {
  std::size_t start = pos;
  while (start < text.size() && static_cast<unsigned char>(text[start]) <= 32) ++start;
  std::size_t k = start;
  bool oddQuotes = false;
  for (; k < text.size(); ++k) {
    const char c = text[k];
    if (c == '"') oddQuotes = !oddQuotes;
    else if (!oddQuotes && vlIsIdentifierDelimiter(c)) break;
  }
  return {start, k};
}

std::size_t vlScanQuoted(std::string_view text, std::size_t pos, bool& closed) noexcept {
  std::size_t k = pos + 1;
  while (k < text.size()) {
    if (text[k] != '\'') {
      ++k;
    } else if (k + 1 < text.size() && text[k + 1] == '\'') {
      k += 2;
    } else {
      closed = true;
      return k + 1;
    }
  }
  closed = false;
  return text.size();
}

TvlArgumentScan vlScanArguments(std::string_view text, std::size_t pos) {
  TvlArgumentScan scan{};
  int depth = 0, count = 0;
  bool inApostrophes = false;
  std::size_t argStart = pos + 1;
  for (std::size_t k = pos; k < text.size(); ++k) {
    const char c = text[k];
    if (c == '\'') {
      inApostrophes = !inApostrophes;
    } else if (inApostrophes) {
      continue;
    } else if (c == '(') {
      ++depth;
    } else if (c == ')') {
      if (--depth == 0) {
        scan.Args[count] = text.substr(argStart, k - argStart);
        scan.Next = k + 1;
        return scan;
      }
    } else if (c == ',' && depth == 1 && count < 2) {
      scan.Args[count++] = text.substr(argStart, k - argStart);
      argStart = k + 1;
    }
  }
  throw TvlError(vlTr("Missing \")\" in \"%1\"", {std::string(text)}));
}

}  // namespace vl
