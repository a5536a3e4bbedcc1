// The text box with a button and the flat combo box: their parts, the keys
// the window still gets, the hot look and the dropped list.

#include <QAbstractItemView>
#include <QDialog>
#include <QGuiApplication>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "controls/combo_edit.h"
#include "controls/edges.h"
#include "controls/flat_combo_box.h"
#include "controls/speed_button.h"
#include "tests/controls/controls_fixture.h"

namespace vl {
namespace {

TEST(ComboEdit, ButtonFocusesTheTextAndEnterAndEscapeReachTheDialog) {
  for (int key : {Qt::Key_Return, Qt::Key_Escape}) {
    SCOPED_TRACE(key);
    QDialog dialog;
    auto* box = new TvlComboEdit(&dialog);
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    ok->move(0, 40);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    dialog.show();
    EXPECT_EQ(box->height(), 21);
    EXPECT_EQ(box->Edit()->geometry(), QRect(2, 2, box->width() - 21 - 4, 17));
    EXPECT_EQ(box->ButtonPanel()->geometry(), QRect(box->width() - 2 - 17, 2, 17, 17));
    EXPECT_EQ(box->Button()->size(), QSize(17, 17));

    int clicks = 0;
    box->OnButtonClick = [&] {
      ++clicks;
      EXPECT_EQ(dialog.focusWidget(), box->Edit()) << "the text has the focus first";
    };
    ok->setFocus();
    Click(box->Button());
    EXPECT_EQ(clicks, 1);

    SendKey(box->Edit(), key);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), key == Qt::Key_Return ? QDialog::Accepted : QDialog::Rejected);
  }
}

TEST(ComboEdit, TheButtonFollowsButtonEnabledAndTheBox) {
  QWidget window;
  auto* box = new TvlComboEdit(&window);
  box->SetButtonHint(QStringLiteral("Insert expression"));
  EXPECT_EQ(box->Button()->toolTip(), QStringLiteral("Insert expression"));
  box->SetButtonEnabled(false);
  EXPECT_FALSE(box->Button()->isEnabled());
  box->SetButtonEnabled(true);
  box->setEnabled(false);
  EXPECT_FALSE(box->Button()->isEnabled());
  box->setEnabled(true);
  EXPECT_TRUE(box->Button()->isEnabled());
}

TEST(FlatComboBox, IsFlatUntilHotAndHasItsArrowInTheButton) {
  QWidget window;
  window.resize(200, 100);
  auto* box = new TvlComboBox(&window);
  box->move(10, 10);
  box->addItems({"One", "Two"});
  window.show();
  const TvlControlColors colors = TvlControlColors::Of(box);
  const int w = box->width(), h = box->height();
  EXPECT_EQ(w, 100);
  EXPECT_EQ(box->ButtonRect(), QRect(w - 13, 2, 11, h - 4));
  EXPECT_EQ(box->EditRect(), QRect(3, 3, w - 18, h - 6));
  EXPECT_EQ(box->lineEdit()->geometry(), box->EditRect());

  QImage image = box->grab().toImage();
  EXPECT_FALSE(box->Hot());
  EXPECT_EQ(image.pixel(0, 0), colors.Face.rgb()) << "a face ring while not hot";
  EXPECT_EQ(image.pixel(2, 5), colors.Window.rgb());
  // The arrow: 5, 3 and 1 black pixels from (w - 9, round((h - 4) / 2) + 1).
  const int ay = static_cast<int>(std::nearbyint((h - 4) / 2.0)) + 1;
  EXPECT_EQ(image.pixel(w - 9, ay), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(w - 5, ay), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(w - 7, ay + 2), qRgb(0, 0, 0));
  EXPECT_NE(image.pixel(w - 8, ay + 2), qRgb(0, 0, 0));

  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QApplication::sendEvent(box, &enter);
  EXPECT_TRUE(box->Hot());
  image = box->grab().toImage();
  EXPECT_EQ(image.pixel(0, 0), colors.Shadow.rgb()) << "a sunken edge while hot";
  EXPECT_EQ(image.pixel(w - 13, 2), colors.Highlight.rgb()) << "a raised button while hot";

  box->setEnabled(false);
  image = box->grab().toImage();
  EXPECT_EQ(image.pixel(5, 5), colors.Face.rgb());
  EXPECT_EQ(image.pixel(2, 5), colors.Window.rgb()) << "the window-coloured frame 2 pixels in";

  box->SetReadOnly(true);
  EXPECT_TRUE(box->lineEdit()->isReadOnly());
  box->SetStyle(TvlComboStyle::csDropDownList);
  EXPECT_EQ(box->lineEdit(), nullptr);
}

TEST(FlatComboBox, DroppedListIsWholeRowsAndOpensUpwardAtTheScreenBottom) {
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  struct Case {
    int items;
    int top;
    bool upward;
  };
  for (const Case& c : {Case{20, 20, false}, Case{3, screen.height() - 60, true}}) {
    SCOPED_TRACE(testing::Message() << c.items << " items at " << c.top);
    QWidget window;
    window.setGeometry(20, c.top, 200, 40);
    auto* box = new TvlComboBox(&window);
    box->move(10, 10);
    for (int i = 0; i < c.items; ++i) box->addItem(QStringLiteral("Item %1").arg(i));
    window.show();
    box->showPopup();
    ASSERT_TRUE(box->DroppedDown());
    EXPECT_TRUE(box->Hot());
    const QWidget* list = box->view()->window();
    const int rows = std::min(8, c.items);
    EXPECT_EQ(list->height(), box->ItemHeight() * rows + 4);
    box->view()->window()->layout()->activate();
    EXPECT_EQ(box->view()->height(), box->ItemHeight() * rows) << "whole rows inside a 2-pixel edge";
    EXPECT_EQ(box->DropsUpward(), c.upward);
    const QPoint boxTop = box->mapToGlobal(QPoint(0, 0));
    if (c.upward) EXPECT_EQ(list->geometry().bottom() + 1, boxTop.y());
    else EXPECT_EQ(list->y(), boxTop.y() + box->height());
    box->hidePopup();
  }
}

}  // namespace
}  // namespace vl
