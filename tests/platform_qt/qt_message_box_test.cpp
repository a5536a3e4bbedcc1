#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <cstdlib>

#include "platform/qt/qt_message_box.h"
#include "tests/platform_qt/qt_application.h"

namespace vl {
namespace {

TEST(QtMessageBox, ShowsTheClassicButtonsWithTheirDefaultAndAnswersTheirNumber) {
  test::QtApp();
  QMessageBox::StandardButtons shown;
  bool retryIsDefault = false;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_TRUE(box);
    shown = box->standardButtons();
    retryIsDefault = box->defaultButton() == box->button(QMessageBox::Retry);
    if (const char* dir = std::getenv("VL_GRAB_DIR")) box->grab().save(QString(dir) + "/message_box.png");
    box->button(QMessageBox::Ignore)->click();
  });
  TvlQtMessageBox qtBox;
  const TvlMsgResult r = qtBox.ShowStyled("The disk is not ready.\rTry again?", "Printing",
                                          vlMessageBoxStyle(2 + 48 + 0x100));
  EXPECT_EQ(r, TvlMsgResult::Ignore);
  EXPECT_EQ(static_cast<int>(r), 5);
  EXPECT_EQ(shown, QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore);
  EXPECT_TRUE(retryIsDefault);

  const auto built = vlMakeQtMessageBox("x", "y", vlMessageBoxStyle(5 + 0x100), nullptr);
  EXPECT_EQ(built->defaultButton(), built->button(QMessageBox::Cancel));
  EXPECT_EQ(built->icon(), QMessageBox::NoIcon);
  EXPECT_EQ(vlQtMessageBoxResult(QMessageBox::Retry), TvlMsgResult::Retry);
  EXPECT_EQ(vlQtMessageBoxResult(QMessageBox::No), TvlMsgResult::No);
}

}  // namespace
}  // namespace vl
