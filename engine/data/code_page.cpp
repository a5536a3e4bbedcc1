#include "engine/data/code_page.h"

#include "engine/core/text.h"
#include "platform/code_page.h"

namespace vl {

bool vlSystemCodePageIsUtf8() {
  return vlSameText(vlPlatformCodePage(), "UTF-8") || vlSameText(vlPlatformCodePage(), "UTF8");
}

std::string vlUtf8ToSystemCodePage(std::string_view utf8) {
  if (vlSystemCodePageIsUtf8()) return std::string(utf8);
  return vlConvertEncoding(utf8, "UTF-8", vlPlatformCodePage().c_str());
}

}  // namespace vl
