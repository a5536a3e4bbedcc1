#include "controls/language_choice.h"

#include <QActionGroup>
#include <QComboBox>
#include <QMenu>

#include "engine/core/language.h"
#include "platform/qt/qt_language.h"

namespace vl {
namespace {

// The languages name themselves, so a user finds their own in either.
struct Choice {
  TvlLanguageChoice Value;
  const char* Caption;  // null: "Automatic", translated
};
constexpr Choice kChoices[] = {
    {TvlLanguageChoice::Automatic, nullptr},
    {TvlLanguageChoice::Chinese, "中文"},
    {TvlLanguageChoice::English, "English"},
};

QString Caption(const Choice& c) { return c.Caption ? QString::fromUtf8(c.Caption) : vlQTr("Automatic"); }

}  // namespace

void vlAddLanguageMenu(QMenu& menu) {
  QMenu* sub = menu.addMenu(vlQTr("Language (from the next start)"));
  sub->setObjectName(QStringLiteral("LanguageMenu"));
  auto* group = new QActionGroup(sub);
  const TvlLanguageChoice current = vlReadLanguageChoice();
  for (const Choice& c : kChoices) {
    QAction* action = sub->addAction(Caption(c));
    action->setCheckable(true);
    action->setChecked(c.Value == current);
    group->addAction(action);
    const TvlLanguageChoice value = c.Value;
    QObject::connect(action, &QAction::triggered, sub, [value] { vlWriteLanguageChoice(value); });
  }
}

QComboBox* vlLanguageComboBox(QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QStringLiteral("LanguageChoice"));
  const TvlLanguageChoice current = vlReadLanguageChoice();
  for (const Choice& c : kChoices) {
    box->addItem(Caption(c), static_cast<int>(c.Value));
    if (c.Value == current) box->setCurrentIndex(box->count() - 1);
  }
  return box;
}

void vlStoreLanguageChoice(const QComboBox& box) {
  vlWriteLanguageChoice(static_cast<TvlLanguageChoice>(box.currentData().toInt()));
}

}  // namespace vl
