#include "platform/qt/qt_text.h"

#include "platform/code_page.h"

namespace vl {
namespace {

bool IsUtf8(const std::string& cp) {
  return cp.empty() || cp == "UTF-8" || cp == "utf-8" || cp == "UTF8" || cp == "utf8";
}

}  // namespace

const std::string& vlCodePage() { return vlPlatformCodePage(); }

QString vlToQt(const std::string& bytes) {
  if (IsUtf8(vlCodePage())) return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
  const std::string utf8 = vlConvertEncoding(bytes, vlCodePage().c_str(), "UTF-8");
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string vlFromQt(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  std::string s(utf8.constData(), static_cast<std::size_t>(utf8.size()));
  if (IsUtf8(vlCodePage())) return s;
  return vlConvertEncoding(s, "UTF-8", vlCodePage().c_str());
}

}  // namespace vl
