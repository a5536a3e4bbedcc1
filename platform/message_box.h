#pragma once
// Message boxes, the input box and the password prompt.

#include <string>

namespace vl {

enum class TvlMsgIcon { None, Error, Warning, Information, Question };
enum class TvlMsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
// Answers, numbered as the engine's modal results.
enum class TvlMsgResult { None = 0, Ok = 1, Cancel = 2, Yes = 6, No = 7 };

class TvlMessageBox {
 public:
  virtual ~TvlMessageBox() = default;
  virtual TvlMsgResult Show(const std::string& text, const std::string& caption, TvlMsgIcon icon,
                            TvlMsgButtons buttons) = 0;
  // Asks for one line of text; returns false when the user cancelled.
  virtual bool InputBox(const std::string& caption, const std::string& prompt,
                        std::string& value) = 0;
  // Asks for a password without echo; returns false when the user cancelled.
  virtual bool PasswordPrompt(const std::string& caption, const std::string& prompt,
                              std::string& value) = 0;
};

}  // namespace vl
