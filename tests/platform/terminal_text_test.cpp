// Messages written to a terminal show control characters instead of
// obeying them.

#include <gtest/gtest.h>

#include "platform/batch_message_box.h"
#include "platform/terminal_text.h"

namespace vl {
namespace {

TEST(TerminalText, EscapesControlCharactersAndKeepsLineBreaks) {
  const struct {
    std::string in, out;
  } cases[] = {
      {"plain text", "plain text"},
      {"a\rb\r\nc\nd\te", "a\nb\nc\nd\te"},
      {"\x1b]0;owned\x07title", "\\x1B]0;owned\\x07title"},  // a title change
      {"\x1b[2J\x1b[H", "\\x1B[2J\\x1B[H"},                   // a screen clear
      {std::string("nul\0end", 7), "nul\\x00end"},
      {"del\x7f", "del\\x7F"},
      {"csi\xc2\x9b" "2J", "csi\\u009B2J"},  // a C1 control in UTF-8
      {"\xe4\xbf\xa1\xe5\xb0\x81 \xc2\xa9", "\xe4\xbf\xa1\xe5\xb0\x81 \xc2\xa9"},  // text stays
  };
  for (const auto& c : cases) EXPECT_EQ(vlTerminalText(c.in), c.out) << c.in;
}

TEST(TerminalText, BatchMessagesShowAViewsEscapeSequencesEscaped) {
  TvlBatchMessageBox box;
  ::testing::internal::CaptureStderr();
  box.Show("Error in Memo1: \x1b]2;pwned\x07\x1b[2J", "Error", TvlMsgIcon::Error, TvlMsgButtons::Ok);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Error in Memo1: \\x1B]2;pwned\\x07\\x1B[2J\n");
}

}  // namespace
}  // namespace vl
