#pragma once
// A message box that shows nothing: it records every question and gives the
// answers queued for it (the first button when none is queued). An input box
// without a queued answer is cancelled, so its text stays as it was.

#include <deque>
#include <string>
#include <vector>

#include "platform/message_box.h"

namespace vl {

class TvlRecordingMessageBox : public TvlMessageBox {
 public:
  struct Shown {
    std::string Text, Caption;
    TvlMsgIcon Icon;
    TvlMsgButtons Buttons;
    int DefaultButton = 0;
  };

  TvlMsgResult Show(const std::string& text, const std::string& caption, TvlMsgIcon icon,
                    TvlMsgButtons buttons) override;
  TvlMsgResult ShowStyled(const std::string& text, const std::string& caption,
                          const TvlMsgStyle& style) override;
  bool InputBox(const std::string& caption, const std::string& prompt, std::string& value) override;
  bool PasswordPrompt(const std::string& caption, const std::string& prompt,
                      std::string& value) override;

  std::vector<Shown> Messages;
  std::vector<std::string> Prompts;          // captions of input boxes and password prompts
  std::vector<std::string> PromptTexts;      // their prompt texts
  std::deque<TvlMsgResult> Answers;           // for Show
  std::deque<std::string> TextAnswers;        // for InputBox and PasswordPrompt; empty = cancel
  // When set, every message is also written to standard error.
  bool EchoToStderr = false;
};

}  // namespace vl
