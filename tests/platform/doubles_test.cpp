#include <gtest/gtest.h>

#include "platform/memory_settings_store.h"
#include "platform/recording_message_box.h"
#include "platform/recording_shell.h"

namespace vl {
namespace {

TEST(MemorySettingsStore, KeepsValuesUnderKeys) {
  TvlMemorySettingsStore s;
  const std::string key = "Software\\Vellora\\Designer";
  EXPECT_EQ(s.ReadInteger(key, "Zoom", 100), 100);
  s.WriteInteger(key, "Zoom", 75);
  s.WriteString(key, "Unit", "MM");
  s.WriteBool(key + "\\Form", "Visible", true);
  EXPECT_EQ(s.ReadInteger(key, "Zoom", 0), 75);
  EXPECT_EQ(s.ReadString(key, "Unit", ""), "MM");
  EXPECT_EQ(s.ReadInteger(key, "Unit", 3), 3);  // not a number
  EXPECT_TRUE(s.ReadBool(key + "\\Form", "Visible", false));
  EXPECT_EQ(s.ValueNames(key), (std::vector<std::string>{"Unit", "Zoom"}));
  s.DeleteKey(key);
  EXPECT_FALSE(s.ValueExists(key, "Zoom"));
  EXPECT_FALSE(s.ValueExists(key + "\\Form", "Visible"));
}

TEST(RecordingDoubles, RecordWhatTheyWereAsked) {
  TvlRecordingMessageBox box;
  box.Answers.push_back(TvlMsgResult::No);
  EXPECT_EQ(box.Show("Save?", "Confirm", TvlMsgIcon::Question, TvlMsgButtons::YesNo), TvlMsgResult::No);
  EXPECT_EQ(box.Show("Done", "Info", TvlMsgIcon::Information, TvlMsgButtons::Ok), TvlMsgResult::Ok);
  ASSERT_EQ(box.Messages.size(), 2u);
  EXPECT_EQ(box.Messages[0].Caption, "Confirm");
  std::string value;
  EXPECT_FALSE(box.PasswordPrompt("Password", "Enter", value));
  box.TextAnswers.push_back("secret");
  EXPECT_TRUE(box.PasswordPrompt("Password", "Enter", value));
  EXPECT_EQ(value, "secret");

  TvlRecordingShell shell;
  EXPECT_TRUE(shell.Open("https://example.invalid", "open"));
  ASSERT_EQ(shell.Requests.size(), 1u);
  EXPECT_EQ(shell.Requests[0].Verb, "open");
}

}  // namespace
}  // namespace vl
