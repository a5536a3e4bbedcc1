#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include "platform/qt/passw_form.h"
#include "platform/qt/qt_message_box.h"
#include "tests/platform_qt/qt_application.h"

namespace vl {
namespace {

// Answers the next modal password prompt with text, or cancels it.
void AnswerPrompt(const QString& text, bool accept) {
  QTimer::singleShot(0, [=] {
    auto* form = dynamic_cast<TvlPasswForm*>(QApplication::activeModalWidget());
    ASSERT_TRUE(form);
    form->Edit()->setText(text);
    if (accept) form->accept(); else form->reject();
  });
}

TEST(PasswForm, ShowsThePromptAndHidesWhatIsTyped) {
  test::QtApp();
  TvlPasswForm form("Password", "Enter password for opening report", "Retype password for validate");
  EXPECT_EQ(form.windowTitle(), "Password");
  EXPECT_EQ(form.Label1()->text(), "Enter password for opening report");
  EXPECT_TRUE(form.Label2()->isHidden());
  EXPECT_EQ(form.Edit()->echoMode(), QLineEdit::Password);
  form.Edit()->setText("s3cret");
  EXPECT_EQ(form.Password(), "s3cret");
}

TEST(PasswForm, MessageBoxPromptReturnsTheEntryOnOkOnly) {
  test::QtApp();
  TvlQtMessageBox box;
  std::string value = "unchanged";
  AnswerPrompt("abc", true);
  EXPECT_TRUE(box.PasswordPrompt("Password", "Enter password for opening report", value));
  EXPECT_EQ(value, "abc");
  AnswerPrompt("xyz", false);
  EXPECT_FALSE(box.PasswordPrompt("Password", "Enter password for opening report", value));
  EXPECT_EQ(value, "abc");
}

}  // namespace
}  // namespace vl
