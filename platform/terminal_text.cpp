#include "platform/terminal_text.h"

namespace vl {
namespace {

void AppendEscape(std::string& out, const char* prefix, unsigned code) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out += prefix;
  out += kHex[(code >> 4) & 15];
  out += kHex[code & 15];
}

}  // namespace

std::string vlTerminalText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\r') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n' || c == '\t') {
      out += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F) {
      AppendEscape(out, "\\x", c);
    } else if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
               static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
      AppendEscape(out, "\\u00", static_cast<unsigned char>(text[++i]));
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

}  // namespace vl
