#pragma once
// Message boxes, the input box and the password prompt as Qt dialogs.

#include <memory>

#include "platform/message_box.h"

class QMessageBox;
class QWidget;

namespace vl {

class TvlQtMessageBox : public TvlMessageBox {
 public:
  TvlMsgResult Show(const std::string& text, const std::string& caption, TvlMsgIcon icon,
                    TvlMsgButtons buttons) override;
  TvlMsgResult ShowStyled(const std::string& text, const std::string& caption,
                          const TvlMsgStyle& style) override;
  bool InputBox(const std::string& caption, const std::string& prompt, std::string& value) override;
  bool PasswordPrompt(const std::string& caption, const std::string& prompt,
                      std::string& value) override;
};

// The dialog ShowStyled runs, built but not shown.
std::unique_ptr<QMessageBox> vlMakeQtMessageBox(const std::string& text, const std::string& caption,
                                                const TvlMsgStyle& style, QWidget* parent);
// The answer a finished dialog of vlMakeQtMessageBox gives.
TvlMsgResult vlQtMessageBoxResult(int standardButton);

}  // namespace vl
