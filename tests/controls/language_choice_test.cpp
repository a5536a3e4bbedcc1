// The language choice offered in the launcher's context menu and the
// designer's options: it shows the stored choice and stores the one picked.

#include <QAction>
#include <QComboBox>
#include <QMenu>

#include "controls/language_choice.h"
#include "engine/core/language.h"
#include "tests/controls/controls_fixture.h"

namespace vl {
namespace {

TEST(LanguageChoice, MenuShowsAndStoresTheChoice) {
  TvlScopedSettings settings;
  vlWriteLanguageChoice(TvlLanguageChoice::English);
  QMenu menu;
  vlAddLanguageMenu(menu);
  auto* sub = menu.findChild<QMenu*>(QStringLiteral("LanguageMenu"));
  ASSERT_NE(sub, nullptr);
  const QList<QAction*> actions = sub->actions();
  ASSERT_EQ(actions.size(), 3);
  EXPECT_EQ(actions[1]->text(), QStringLiteral("中文"));
  EXPECT_FALSE(actions[0]->isChecked());
  EXPECT_TRUE(actions[2]->isChecked());
  actions[1]->trigger();
  EXPECT_EQ(vlReadLanguageChoice(), TvlLanguageChoice::Chinese);
  EXPECT_TRUE(actions[1]->isChecked());
  EXPECT_FALSE(actions[2]->isChecked()) << "one choice at a time";
  actions[0]->trigger();
  EXPECT_EQ(vlReadLanguageChoice(), TvlLanguageChoice::Automatic);
}

TEST(LanguageChoice, ComboBoxStoresOnlyWhenAsked) {
  TvlScopedSettings settings;
  vlWriteLanguageChoice(TvlLanguageChoice::Chinese);
  QComboBox* box = vlLanguageComboBox(nullptr);
  EXPECT_EQ(box->currentText(), QStringLiteral("中文"));
  box->setCurrentIndex(2);
  EXPECT_EQ(vlReadLanguageChoice(), TvlLanguageChoice::Chinese);
  vlStoreLanguageChoice(*box);
  EXPECT_EQ(vlReadLanguageChoice(), TvlLanguageChoice::English);
  delete box;
}

}  // namespace
}  // namespace vl
