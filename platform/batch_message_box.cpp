#include "platform/batch_message_box.h"

#include <cstdio>

#include "platform/terminal_text.h"

namespace vl {

TvlMsgResult TvlBatchMessageBox::Show(const std::string& text, const std::string&, TvlMsgIcon,
                                      TvlMsgButtons) {
  // Engine texts break lines with a carriage return alone; quoted texts may
  // hold control characters, shown escaped.
  std::string out = vlTerminalText(text);
  out += '\n';
  std::fwrite(out.data(), 1, out.size(), stderr);
  return TvlMsgResult::Ok;
}

bool TvlBatchMessageBox::InputBox(const std::string&, const std::string&, std::string&) { return false; }

bool TvlBatchMessageBox::PasswordPrompt(const std::string&, const std::string&, std::string&) { return false; }

}  // namespace vl
