#include "platform/code_page.h"

#include <iconv.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <strings.h>

namespace vl {
namespace {

bool IsUtf8Name(const std::string& n) { return n == "UTF-8" || n == "UTF8" || n == "utf-8" || n == "utf8"; }

// Double-byte code pages: a lead byte of 0x81 or above takes the next byte too.
bool IsDoubleByte(const std::string& n) {
  for (const char* d : {"CP936", "GBK", "GB2312", "GB18030", "CP950", "BIG5", "CP932", "SHIFT_JIS", "CP949", "EUC-KR"})
    if (strcasecmp(n.c_str(), d) == 0) return true;
  return false;
}

}  // namespace

const std::string& vlPlatformCodePage() {
  static const std::string name = [] {
    const char* e = std::getenv("VL_CODEPAGE");
    return std::string(e && *e ? e : "UTF-8");
  }();
  return name;
}

std::size_t vlCharLength(std::string_view text, std::size_t pos) {
  static const bool utf8 = IsUtf8Name(vlPlatformCodePage());
  static const bool dbcs = IsDoubleByte(vlPlatformCodePage());
  const auto c = static_cast<unsigned char>(text[pos]);
  std::size_t n = 1;
  if (utf8) {
    if (c >= 0xF0) n = 4;
    else if (c >= 0xE0) n = 3;
    else if (c >= 0xC0) n = 2;
    // Only whole, well-formed sequences count as one character.
    for (std::size_t k = 1; k < n; ++k)
      if (pos + k >= text.size() || (static_cast<unsigned char>(text[pos + k]) & 0xC0) != 0x80) return 1;
  } else if (dbcs && c >= 0x81 && pos + 1 < text.size()) {
    n = 2;
  }
  return n;
}

bool vlEncodingKnown(const char* name) {
  iconv_t cd = iconv_open("UTF-8", name);
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  iconv_close(cd);
  return true;
}

std::string vlConvertEncoding(std::string_view text, const char* from, const char* to) {
  if (text.empty()) return {};
  if (strcasecmp(from, to) == 0) return std::string(text);
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(text);
  std::string out;
  std::string in(text);
  char* src = in.data();
  std::size_t srcLeft = in.size();
  char buf[1024];
  while (srcLeft > 0) {
    char* dst = buf;
    std::size_t dstLeft = sizeof buf;
    const std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buf, static_cast<std::size_t>(dst - buf));
    if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
      // An unconvertible or cut sequence: skip one input unit.
      out.push_back('?');
      const std::size_t unit = strncasecmp(from, "UTF-16", 6) == 0 ? 2 : 1;
      const std::size_t step = srcLeft < unit ? srcLeft : unit;
      src += step;
      srcLeft -= step;
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace vl
