#include "platform/recording_message_box.h"

#include <cstdio>

namespace vl {

TvlMsgResult TvlRecordingMessageBox::Show(const std::string& text, const std::string& caption,
                                          TvlMsgIcon icon, TvlMsgButtons buttons) {
  Messages.push_back({text, caption, icon, buttons});
  if (EchoToStderr) std::fprintf(stderr, "%s\n", text.c_str());
  if (!Answers.empty()) {
    const TvlMsgResult r = Answers.front();
    Answers.pop_front();
    return r;
  }
  return (buttons == TvlMsgButtons::Ok || buttons == TvlMsgButtons::OkCancel) ? TvlMsgResult::Ok
                                                                              : TvlMsgResult::Yes;
}

bool TvlRecordingMessageBox::InputBox(const std::string& caption, const std::string&,
                                      std::string& value) {
  Prompts.push_back(caption);
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
