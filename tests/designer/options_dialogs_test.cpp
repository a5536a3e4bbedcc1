// The designer options dialog and the report options dialog: what OK
// applies, a grid size the dialog does not offer, and the password that must
// be typed twice alike; the interface language kept only on OK.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include "designer/designer_options_dialog.h"
#include "engine/core/language.h"
#include "tests/designer/designer_fixture.h"

namespace vl {
namespace {

template <typename T>
T* Child(QWidget& dialog, const char* name) {
  T* w = dialog.findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(w, nullptr) << name;
  return w;
}

TEST_F(DesignerTest, DesignerOptionsDialogShowsAndAppliesTheOptions) {
  TvlDesignerOptions options;
  options.GridSize = 5;  // stored by hand: none of 4, 8, 18
  options.Selection = 0;
  options.PagePosition = ppRight;
  options.UseDefaultFont = true;
  TvlDesignerOptionsForm dialog(options, nullptr);
  for (const char* name : {"GridSize0", "GridSize1", "GridSize2"})
    if (auto* r = Child<QRadioButton>(dialog, name)) {
      EXPECT_FALSE(r->isChecked()) << name;
    }
  EXPECT_FALSE(Child<QCheckBox>(dialog, "ShowContents")->isChecked());
  EXPECT_EQ(dialog.Result().GridSize, 18) << "an unoffered grid size is saved as 18";
  EXPECT_EQ(dialog.Result().PagePosition, ppRight);

  Child<QCheckBox>(dialog, "ShowContents")->setChecked(true);
  Child<QCheckBox>(dialog, "DisableUndo")->setChecked(true);
  const TvlDesignerOptions result = dialog.Result();
  EXPECT_EQ(result.Selection, 1);
  EXPECT_TRUE(result.DisableUndo);
  EXPECT_TRUE(result.UseDefaultFont);
}

TEST_F(DesignerTest, DesignerOptionsKeepTheLanguageOnlyWhenAccepted) {
  for (const bool accept : {false, true}) {
    TvlDesignerOptionsForm dialog(TvlDesignerOptions{}, nullptr);
    auto* language = Child<QComboBox>(dialog, "LanguageChoice");
    ASSERT_NE(language, nullptr);
    language->setCurrentIndex(1);  // 中文
    accept ? dialog.accept() : dialog.reject();
    EXPECT_EQ(vlReadLanguageChoice(), accept ? TvlLanguageChoice::Chinese : TvlLanguageChoice::Automatic);
  }
}

TEST_F(DesignerTest, ReportOptionsPasswordMustBeTypedTwiceAlike) {
  struct Case {
    std::vector<std::string> Typed;  // the two prompts' answers; empty = cancelled
    bool Protected;
  };
  for (const Case& c : {Case{{"secret", "secret"}, true}, Case{{"secret", "secrets"}, false}, Case{{""}, false}}) {
    TvlReport report;
    Messages.TextAnswers.assign(c.Typed.begin(), c.Typed.end());
    TvlReportOptionsForm dialog(report, nullptr);
    auto* box = Child<QCheckBox>(dialog, "PasswordProtected");
    box->setChecked(true);
    EXPECT_EQ(box->isChecked(), c.Protected) << c.Typed.size() << " answers";
    dialog.Apply();
    EXPECT_EQ(report.PasswordProtected, c.Protected);
    EXPECT_EQ(report.Password, c.Protected ? "secret" : "");
  }

  // Unchecking clears the stored password.
  TvlReport report;
  report.PasswordProtected = true;
  report.Password = "old";
  TvlReportOptionsForm dialog(report, nullptr);
  Child<QCheckBox>(dialog, "PasswordProtected")->setChecked(false);
  Child<QLineEdit>(dialog, "Author")->setText(QStringLiteral("Me"));
  dialog.Apply();
  EXPECT_FALSE(report.PasswordProtected);
  EXPECT_EQ(report.Password, "");
  EXPECT_EQ(report.ReportAutor, "Me");
}

}  // namespace
}  // namespace vl
