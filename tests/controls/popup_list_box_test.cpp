// The popup list: whole rows of 11 pixels, picking by click or Enter,
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
  EXPECT_EQ(popup.geometry(), QRect(60, 80, 90, 33));
  EXPECT_EQ(popup.ListBox()->frameShape(), QFrame::NoFrame);
  EXPECT_EQ(popup.ListBox()->visualItemRect(popup.ListBox()->item(0)).height(), 11);
  popup.resize(90, 40);
  EXPECT_EQ(popup.height(), 33) << "whole rows only";

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
