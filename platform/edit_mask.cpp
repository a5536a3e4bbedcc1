#include "platform/edit_mask.h"

#include <algorithm>
#include <vector>

#include "platform/code_page.h"
#include "platform/locale_text.h"

namespace vl {
namespace {

enum class TvlMaskCase { None, Upper, Lower };

struct TvlMaskItem {
  bool Data = false;    // takes a character of the text
  std::string Literal;  // for literals
  TvlMaskCase Case = TvlMaskCase::None;
};

struct TvlParsedMask {
  std::vector<TvlMaskItem> Items;
  bool Reverse = false;
  bool TextHoldsLiterals = true;
  std::string Blank = "_";
};

bool IsDataChar(char c) {
  switch (c) {
    case 'L': case 'l': case 'A': case 'a': case 'C': case 'c': case '0': case '9': case '#':
      return true;
    default:
      return false;
  }
}

// The mask's fields, split at the semicolons that no backslash escapes.
std::vector<std::string_view> Fields(std::string_view mask) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  for (std::size_t i = 0; i < mask.size(); ++i) {
    if (mask[i] == '\\') {
      ++i;
    } else if (mask[i] == ';') {
      fields.push_back(mask.substr(start, i - start));
      start = i + 1;
    }
  }
  fields.push_back(mask.substr(std::min(start, mask.size())));
  return fields;
}

TvlParsedMask Parse(std::string_view editMask, char dateSeparator, char timeSeparator) {
  TvlParsedMask m;
  const std::vector<std::string_view> fields = Fields(editMask);
  if (fields.size() > 1 && !fields[1].empty()) m.TextHoldsLiterals = fields[1][0] != '0';
  if (fields.size() > 2 && !fields[2].empty()) m.Blank = std::string(fields[2].substr(0, vlCharLength(fields[2], 0)));
  const std::string_view mask = fields[0];
  TvlMaskCase mode = TvlMaskCase::None;
  for (std::size_t i = 0; i < mask.size();) {
    const char c = mask[i];
    const std::size_t n = vlCharLength(mask, i);
    if (c == '\\' && i + 1 < mask.size()) {
      const std::size_t len = vlCharLength(mask, i + 1);
      m.Items.push_back({false, std::string(mask.substr(i + 1, len)), mode});
      i += 1 + len;
      continue;
    }
    if (c == '!') {
      m.Reverse = true;
    } else if (c == '<' && i + 1 < mask.size() && mask[i + 1] == '>') {
      mode = TvlMaskCase::None;
      ++i;
    } else if (c == '<') {
      mode = TvlMaskCase::Lower;
    } else if (c == '>') {
      mode = TvlMaskCase::Upper;
    } else if (IsDataChar(c)) {
      m.Items.push_back({true, {}, mode});
    } else if (c == ':') {
      m.Items.push_back({false, std::string(1, timeSeparator), mode});
    } else if (c == '/') {
      m.Items.push_back({false, std::string(1, dateSeparator), mode});
    } else if (c == '_') {
      m.Items.push_back({false, " ", mode});
    } else {
      m.Items.push_back({false, std::string(mask.substr(i, n)), mode});
    }
    i += n;
  }
  return m;
}

std::vector<std::string> Chars(std::string_view text) {
  std::vector<std::string> chars;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t n = vlCharLength(text, pos);
    chars.emplace_back(text.substr(pos, n));
    pos += n;
  }
  return chars;
}

std::string Cased(const std::string& ch, TvlMaskCase mode) {
  switch (mode) {
    case TvlMaskCase::Upper: return vlLocaleUpperCase(ch);
    case TvlMaskCase::Lower: return vlLocaleLowerCase(ch);
    case TvlMaskCase::None: break;
  }
  return ch;
}

// Lays the characters into the items in order; what is left of the text is
// returned in rest.
std::vector<std::string> Fill(const TvlParsedMask& m, const std::vector<TvlMaskItem>& items,
                              const std::vector<std::string>& chars, std::vector<std::string>& rest) {
  std::vector<std::string> out;
  std::size_t next = 0;
  for (const TvlMaskItem& item : items) {
    if (!item.Data) {
      if (m.TextHoldsLiterals && next < chars.size() && chars[next] == item.Literal) ++next;
      out.push_back(item.Literal);
    } else if (next < chars.size()) {
      out.push_back(Cased(chars[next++], item.Case));
    } else {
      out.push_back(m.Blank);
    }
  }
  rest.assign(chars.begin() + static_cast<std::ptrdiff_t>(next), chars.end());
  return out;
}

}  // namespace

std::string vlFormatMaskText(std::string_view editMask, std::string_view text, char dateSeparator,
                             char timeSeparator) {
  const TvlParsedMask m = Parse(editMask, dateSeparator, timeSeparator);
  std::vector<TvlMaskItem> items = m.Items;
  std::vector<std::string> chars = Chars(text);
  if (m.Reverse) {
    std::reverse(items.begin(), items.end());
    std::reverse(chars.begin(), chars.end());
  }
  std::vector<std::string> rest;
  std::vector<std::string> pieces = Fill(m, items, chars, rest);
  pieces.insert(pieces.end(), rest.begin(), rest.end());
  if (m.Reverse) std::reverse(pieces.begin(), pieces.end());
  std::string out;
  for (const std::string& p : pieces) out += p;
  return out;
}

}  // namespace vl
