#pragma once
// Message boxes, the input box and the password prompt as Qt dialogs.

#include "platform/message_box.h"

namespace vl {

class TvlQtMessageBox : public TvlMessageBox {
 public:
  TvlMsgResult Show(const std::string& text, const std::string& caption, TvlMsgIcon icon,
                    TvlMsgButtons buttons) override;
  bool InputBox(const std::string& caption, const std::string& prompt, std::string& value) override;
  bool PasswordPrompt(const std::string& caption, const std::string& prompt,
                      std::string& value) override;
};

}  // namespace vl
