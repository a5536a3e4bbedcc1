#include "app/vlreport/json_output.h"

#include <cstdio>

#include "platform/qt/qt_text.h"

namespace vl::cli {

std::string Utf8(const std::string& engineText) {
  const QByteArray b = vlToQt(engineText).toUtf8();
  return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

void PrintJson(const nlohmann::ordered_json& doc) {
  const std::string text = doc.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
}

}  // namespace vl::cli
