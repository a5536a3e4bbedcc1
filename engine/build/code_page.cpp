#include "engine/build/code_page.h"

#include <iconv.h>

#include <cerrno>
#include <cstdlib>

#include "engine/core/text.h"

namespace vl {
namespace {

const std::string& CodePage() {
  static const std::string cp = [] {
    const char* env = std::getenv("VL_CODEPAGE");
    return std::string(env && *env ? env : "UTF-8");
  }();
  return cp;
}

}  // namespace

bool vlSystemCodePageIsUtf8() {
  return vlSameText(CodePage(), "UTF-8") || vlSameText(CodePage(), "UTF8");
}

std::string vlUtf8ToSystemCodePage(std::string_view utf8) {
  if (vlSystemCodePageIsUtf8()) return std::string(utf8);
  iconv_t cd = iconv_open(CodePage().c_str(), "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(utf8);
  std::string out(utf8.size() + 16, '\0');
  char* src = const_cast<char*>(utf8.data());
  std::size_t srcLeft = utf8.size();
  char* dst = out.data();
  std::size_t dstLeft = out.size();
  while (srcLeft > 0) {
    if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) {
      const std::size_t used = static_cast<std::size_t>(dst - out.data());
      out.resize(out.size() * 2);
      dst = out.data() + used;
      dstLeft = out.size() - used;
      continue;
    }
    // An invalid sequence or a character the code page lacks: one '?' for
    // the byte (and its continuation bytes) and go on.
    if (dstLeft == 0) {
      const std::size_t used = static_cast<std::size_t>(dst - out.data());
      out.resize(out.size() * 2);
      dst = out.data() + used;
      dstLeft = out.size() - used;
    }
    *dst++ = '?';
    --dstLeft;
    do {
      ++src;
      --srcLeft;
    } while (srcLeft > 0 && (static_cast<unsigned char>(*src) & 0xC0) == 0x80);
  }
  out.resize(static_cast<std::size_t>(dst - out.data()));
  iconv_close(cd);
  return out;
}

}  // namespace vl
