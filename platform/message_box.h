#pragma once
// Message boxes, the input box and the password prompt.

#include <cstdint>
#include <string>

namespace vl {

enum class TvlMsgIcon { None, Error, Warning, Information, Question };
enum class TvlMsgButtons { Ok, OkCancel, YesNo, YesNoCancel, AbortRetryIgnore, RetryCancel };
// Answers, numbered as the engine's modal results (and as the classic
// message box numbers its buttons: 1 OK through 7 No).
enum class TvlMsgResult { None = 0, Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

// Buttons, icon and the button that has the focus first (0 the first
// button, 1 the second, ...).
struct TvlMsgStyle {
  TvlMsgButtons Buttons = TvlMsgButtons::Ok;
  TvlMsgIcon Icon = TvlMsgIcon::None;
  int DefaultButton = 0;
};

// The classic message-box flag word (the mb_ constants templates add up):
// buttons in the low four bits (0 OK, 1 OK/Cancel, 2 Abort/Retry/Ignore,
// 3 Yes/No/Cancel, 4 Yes/No, 5 Retry/Cancel; others OK), the icon in the next
// four (16 error, 32 question, 48 warning, 64 information; others none) and
// the default button in bits 8-11 (0x100 the second, 0x200 the third; beyond
// the box's buttons the first).
TvlMsgStyle vlMessageBoxStyle(std::int32_t flags);

class TvlMessageBox {
 public:
  virtual ~TvlMessageBox() = default;
  virtual TvlMsgResult Show(const std::string& text, const std::string& caption, TvlMsgIcon icon,
                            TvlMsgButtons buttons) = 0;
  // Show with a default button other than the first; the base ignores it.
  virtual TvlMsgResult ShowStyled(const std::string& text, const std::string& caption,
                                  const TvlMsgStyle& style) {
    return Show(text, caption, style.Icon, style.Buttons);
  }
  // Asks for one line of text; returns false when the user cancelled.
  virtual bool InputBox(const std::string& caption, const std::string& prompt,
                        std::string& value) = 0;
  // Asks for a password without echo; returns false when the user cancelled.
  virtual bool PasswordPrompt(const std::string& caption, const std::string& prompt,
                              std::string& value) = 0;
};

}  // namespace vl
