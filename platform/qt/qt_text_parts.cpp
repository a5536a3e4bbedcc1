#include "platform/qt/qt_text_parts.h"

namespace vl {
namespace {

// Latin words with the blanks between them stay together: a face may set a
// blank after a letter differently from a blank alone.
bool Letter(char16_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == ' '; }

// Characters that shape alone: printable ASCII and Latin-1, CJK symbols,
// punctuation, ideographs and full-width forms.
bool Independent(char16_t c) {
  return (c >= 0x20 && c <= 0x7E) || (c >= 0xA0 && c <= 0xFF) || (c >= 0x3000 && c <= 0x303F) ||
         (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xFF01 && c <= 0xFF5E);
}

}  // namespace

bool vlQtSplitTextParts(const QString& text, std::vector<std::pair<int, int>>& parts) {
  parts.clear();
  const int n = static_cast<int>(text.size());
  for (int i = 0; i < n;) {
    const char16_t c = text[i].unicode();
    if (!Independent(c)) {
      parts.clear();
      return false;
    }
    int j = i + 1;
    if (Letter(c))
      while (j < n && Letter(text[j].unicode())) ++j;
    parts.emplace_back(i, j - i);
    i = j;
  }
  return true;
}

}  // namespace vl
