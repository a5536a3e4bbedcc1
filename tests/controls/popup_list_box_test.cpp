// The popup list: whole rows a line of its font high, picking by click or Enter,
// Escape closes without a pick.

#include <QListWidget>

#include "controls/popup_list_box.h"
#include "tests/controls/controls_fixture.h"

namespace vl {
namespace {

TEST(PopupListBox, PicksTheRowClickedOrEnteredAndEscapeClosesWithoutAPick) {
  TvlPopupListBox popup;
  std::vector<int> picks;
  popup.OnPick = [&](int index) { picks.push_back(index); };
  popup.SetItems({"False", "True", "Maybe", "Never"});
  popup.SetItemIndex(1);
  popup.Popup({60, 80}, 90, 3);
  EXPECT_TRUE(popup.isVisible());
  const int row = popup.ItemHeight();
  EXPECT_GE(row, QFontMetrics(popup.ListBox()->font()).height()) << "a row shows a whole line of text";
  EXPECT_EQ(popup.geometry(), QRect(60, 80, 90, 3 * row));
  EXPECT_EQ(popup.ListBox()->frameShape(), QFrame::NoFrame);
  EXPECT_EQ(popup.ListBox()->visualItemRect(popup.ListBox()->item(0)).height(), row);
  popup.resize(90, 3 * row + row / 2);
  EXPECT_EQ(popup.height(), 3 * row) << "whole rows only";

  SendKey(popup.ListBox(), Qt::Key_Down);
  EXPECT_EQ(popup.ItemIndex(), 2);
  SendKey(popup.ListBox(), Qt::Key_Return);
  EXPECT_EQ(picks, std::vector<int>{2});
  EXPECT_FALSE(popup.isVisible());

  popup.Popup({60, 80}, 90, 3);
  ClickAt(popup.ListBox()->viewport(), {10, 5});
  EXPECT_EQ(picks, (std::vector<int>{2, 0}));
  EXPECT_EQ(popup.ItemText(popup.ItemIndex()), "False");

  popup.Popup({60, 80}, 90, 3);
  SendKey(popup.ListBox(), Qt::Key_Escape);
  EXPECT_FALSE(popup.isVisible());
  EXPECT_EQ(picks.size(), 2u);
}

}  // namespace
}  // namespace vl
