#pragma once
// The message box of a batch run (the command-line tool): nothing is shown
// and nothing waits for a person. A message goes to standard error and is
// answered OK whatever its buttons; an input box or password prompt is
// cancelled, so the text offered stays as it was. Nothing is kept, so a long
// run asks as often as it likes.

#include "platform/message_box.h"

namespace vl {

class TvlBatchMessageBox : public TvlMessageBox {
 public:
  TvlMsgResult Show(const std::string& text, const std::string& caption, TvlMsgIcon icon,
                    TvlMsgButtons buttons) override;
  bool InputBox(const std::string& caption, const std::string& prompt, std::string& value) override;
  bool PasswordPrompt(const std::string& caption, const std::string& prompt,
                      std::string& value) override;
};

}  // namespace vl
