#include "platform/qt/qt_text.h"

#include <iconv.h>

#include <cerrno>
#include <cstdlib>

namespace vl {
namespace {

bool IsUtf8(const std::string& cp) {
  return cp.empty() || cp == "UTF-8" || cp == "utf-8" || cp == "UTF8" || cp == "utf8";
}

// Converts between encodings; undecodable bytes become '?'.
std::string Convert(const std::string& in, const char* to, const char* from) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return in;
  std::string out;
  out.resize(in.size() * 4 + 16);
  char* src = const_cast<char*>(in.data());
  std::size_t srcLeft = in.size();
  char* dst = out.data();
  std::size_t dstLeft = out.size();
  while (srcLeft > 0) {
    if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) {
      const std::size_t used = static_cast<std::size_t>(dst - out.data());
      out.resize(out.size() * 2);
      dst = out.data() + used;
      dstLeft = out.size() - used;
    } else {  // invalid or incomplete sequence: skip one byte
      if (dstLeft == 0) break;
      *dst++ = '?';
      --dstLeft;
      ++src;
      --srcLeft;
    }
  }
  out.resize(static_cast<std::size_t>(dst - out.data()));
  iconv_close(cd);
  return out;
}

}  // namespace

const std::string& vlCodePage() {
  static const std::string cp = [] {
    const char* env = std::getenv("VL_CODEPAGE");
    return std::string(env && *env ? env : "UTF-8");
  }();
  return cp;
}

QString vlToQt(const std::string& bytes) {
  if (IsUtf8(vlCodePage())) return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
  const std::string utf8 = Convert(bytes, "UTF-8", vlCodePage().c_str());
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string vlFromQt(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  std::string s(utf8.constData(), static_cast<std::size_t>(utf8.size()));
  if (IsUtf8(vlCodePage())) return s;
  return Convert(s, (vlCodePage() + "//TRANSLIT").c_str(), "UTF-8");
}

}  // namespace vl
