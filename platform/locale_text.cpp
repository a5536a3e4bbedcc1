#include "platform/locale_text.h"

#include <locale.h>
#include <wctype.h>

#include "platform/code_page.h"

namespace vl {
namespace {

bool CodePageIsUtf8() {
  static const bool utf8 = [] {
    const std::string& n = vlPlatformCodePage();
    return n == "UTF-8" || n == "UTF8" || n == "utf-8" || n == "utf8";
  }();
  return utf8;
}

// The user's character rules when they know more than ASCII (an "ä" has an
// upper case), else C.UTF-8's; null when neither exists (ASCII rules then).
locale_t CaseLocale() {
  static const locale_t loc = [] {
    locale_t user = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(nullptr));
    if (user && towupper_l(0xE4, user) == 0xC4) return user;
    if (user) freelocale(user);
    return newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
  }();
  return loc;
}

char32_t MapChar(char32_t c, bool upper) {
  if (c < 0x80) {
    if (upper && c >= U'a' && c <= U'z') return c - 0x20;
    if (!upper && c >= U'A' && c <= U'Z') return c + 0x20;
    return c;
  }
  const locale_t loc = CaseLocale();
  if (!loc) return c;
  const wint_t m = upper ? towupper_l(static_cast<wint_t>(c), loc) : towlower_l(static_cast<wint_t>(c), loc);
  return static_cast<char32_t>(m);
}

// One UTF-8 character of n bytes (n from vlCharLength, so well formed) to
// its code point.
char32_t DecodeUtf8(std::string_view s) {
  const auto lead = static_cast<unsigned char>(s[0]);
  char32_t cp = s.size() == 1 ? lead : lead & (0xFFu >> (s.size() + 1));
  for (std::size_t k = 1; k < s.size(); ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[k]) & 0x3Fu);
  return cp;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Whether s is exactly one well-formed UTF-8 character.
bool OneUtf8Char(std::string_view s) {
  if (s.empty()) return false;
  const auto lead = static_cast<unsigned char>(s[0]);
  const std::size_t n = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (n != s.size()) return false;
  for (std::size_t k = 1; k < n; ++k)
    if ((static_cast<unsigned char>(s[k]) & 0xC0) != 0x80) return false;
  return true;
}

// The other case of one UTF-8 character, or the character itself.
std::string MapUtf8Char(std::string_view ch, bool upper) {
  const char32_t c = DecodeUtf8(ch);
  const char32_t m = MapChar(c, upper);
  if (m == c || m > 0x10FFFF || (m >= 0xD800 && m <= 0xDFFF)) return std::string(ch);
  std::string out;
  AppendUtf8(out, m);
  return out;
}

std::string MapCase(std::string_view text, bool upper) {
  std::string out;
  out.reserve(text.size());
  const bool utf8 = CodePageIsUtf8();
  const std::string& cp = vlPlatformCodePage();
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t n = vlCharLength(text, pos);
    const std::string_view ch = text.substr(pos, n);
    pos += n;
    if (n == 1 && static_cast<unsigned char>(ch[0]) < 0x80) {
      out += static_cast<char>(MapChar(static_cast<unsigned char>(ch[0]), upper));
    } else if (utf8) {
      out += n == 1 ? std::string(ch) : MapUtf8Char(ch, upper);
    } else {
      // Through Unicode and back; kept when the code page lacks the result.
      const std::string u = vlConvertEncoding(ch, cp.c_str(), "UTF-8");
      const std::string mapped = OneUtf8Char(u) ? vlConvertEncoding(MapUtf8Char(u, upper), "UTF-8", cp.c_str()) : "?";
      out += mapped.find('?') != std::string::npos ? std::string(ch) : mapped;
    }
  }
  return out;
}

}  // namespace

std::size_t vlCharCount(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < text.size(); pos += vlCharLength(text, pos)) ++count;
  return count;
}

std::string vlLocaleUpperCase(std::string_view text) { return MapCase(text, true); }
std::string vlLocaleLowerCase(std::string_view text) { return MapCase(text, false); }

}  // namespace vl
