// The classic message-box flags and the batch run's message box.

#include <gtest/gtest.h>

#include "platform/batch_message_box.h"
#include "platform/message_box.h"

namespace vl {
namespace {

TEST(MessageBoxFlags, GiveButtonsIconAndDefaultButton) {
  const struct {
    std::int32_t flags;
    TvlMsgButtons buttons;
    TvlMsgIcon icon;
    int defaultButton;
  } cases[] = {
      {0, TvlMsgButtons::Ok, TvlMsgIcon::None, 0},
      {1 + 48, TvlMsgButtons::OkCancel, TvlMsgIcon::Warning, 0},
      {2 + 16 + 0x200, TvlMsgButtons::AbortRetryIgnore, TvlMsgIcon::Error, 2},
      {3 + 32 + 0x100, TvlMsgButtons::YesNoCancel, TvlMsgIcon::Question, 1},
      {4 + 64, TvlMsgButtons::YesNo, TvlMsgIcon::Information, 0},
      {5 + 0x100, TvlMsgButtons::RetryCancel, TvlMsgIcon::None, 1},
      {4 + 0x200, TvlMsgButtons::YesNo, TvlMsgIcon::None, 0},  // no third button: the first
      {9 + 0x70, TvlMsgButtons::Ok, TvlMsgIcon::None, 0},      // unknown values: plain OK box
  };
  for (const auto& c : cases) {
    const TvlMsgStyle s = vlMessageBoxStyle(c.flags);
    EXPECT_EQ(s.Buttons, c.buttons) << c.flags;
    EXPECT_EQ(s.Icon, c.icon) << c.flags;
    EXPECT_EQ(s.DefaultButton, c.defaultButton) << c.flags;
  }
}

TEST(BatchMessageBox, WritesToStandardErrorAnswersOkAndKeepsInputDefaults) {
  TvlBatchMessageBox box;
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(box.ShowStyled("Print it?\rNow", "Confirm", vlMessageBoxStyle(4 + 32)), TvlMsgResult::Ok);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Print it?\nNow\n");
  std::string value = "Ann";
  EXPECT_FALSE(box.InputBox("", "Name?", value));
  EXPECT_EQ(value, "Ann");
  EXPECT_FALSE(box.PasswordPrompt("Password", "Enter", value));
}

}  // namespace
}  // namespace vl
