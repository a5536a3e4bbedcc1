#include "platform/batch_message_box.h"

#include <cstdio>

namespace vl {

TvlMsgResult TvlBatchMessageBox::Show(const std::string& text, const std::string&, TvlMsgIcon,
                                      TvlMsgButtons) {
  // Engine texts break lines with a carriage return alone.
  std::string out;
  out.reserve(text.size() + 1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  out += '\n';
  std::fwrite(out.data(), 1, out.size(), stderr);
  return TvlMsgResult::Ok;
}

bool TvlBatchMessageBox::InputBox(const std::string&, const std::string&, std::string&) { return false; }

bool TvlBatchMessageBox::PasswordPrompt(const std::string&, const std::string&, std::string&) { return false; }

}  // namespace vl
