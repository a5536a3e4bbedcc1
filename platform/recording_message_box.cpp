#include "platform/recording_message_box.h"

#include <cstdio>

namespace vl {
namespace {

TvlMsgResult FirstButton(TvlMsgButtons buttons) {
  switch (buttons) {
    case TvlMsgButtons::Ok:
    case TvlMsgButtons::OkCancel: return TvlMsgResult::Ok;
    case TvlMsgButtons::YesNo:
    case TvlMsgButtons::YesNoCancel: return TvlMsgResult::Yes;
    case TvlMsgButtons::AbortRetryIgnore: return TvlMsgResult::Abort;
    case TvlMsgButtons::RetryCancel: return TvlMsgResult::Retry;
  }
  return TvlMsgResult::Ok;
}

}  // namespace

TvlMsgResult TvlRecordingMessageBox::Show(const std::string& text, const std::string& caption,
                                          TvlMsgIcon icon, TvlMsgButtons buttons) {
  return ShowStyled(text, caption, TvlMsgStyle{buttons, icon, 0});
}

TvlMsgResult TvlRecordingMessageBox::ShowStyled(const std::string& text, const std::string& caption,
                                                const TvlMsgStyle& style) {
  Messages.push_back({text, caption, style.Icon, style.Buttons, style.DefaultButton});
  if (EchoToStderr) std::fprintf(stderr, "%s\n", text.c_str());
  if (!Answers.empty()) {
    const TvlMsgResult r = Answers.front();
    Answers.pop_front();
    return r;
  }
  return FirstButton(style.Buttons);
}

bool TvlRecordingMessageBox::InputBox(const std::string& caption, const std::string& prompt,
                                      std::string& value) {
  Prompts.push_back(caption);
  PromptTexts.push_back(prompt);
  if (TextAnswers.empty()) return false;
  value = TextAnswers.front();
  TextAnswers.pop_front();
  return true;
}

bool TvlRecordingMessageBox::PasswordPrompt(const std::string& caption, const std::string& prompt,
                                            std::string& value) {
  return InputBox(caption, prompt, value);
}

}  // namespace vl
