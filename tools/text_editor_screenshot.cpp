// Opens the designer's text editor on a text object with a script and saves
// the window's picture as PNG, for the screenshot in docs/; the second
// picture shows the plain window holding a script that does not compile,
// after OK.
//   text_editor_screenshot <output.png> [<plain-window.png>]

#include <QApplication>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTimer>
#include <cstdio>

#include "controls/syntax_memo.h"
#include "designer/designer_form.h"
#include "designer/text_editor_form.h"
#include "engine/model/report.h"
#include "engine/model/views.h"
#include "platform/memory_settings_store.h"
#include "platform/platform.h"
#include "platform/qt/qt_platform.h"
#include "engine/core/language.h"
#include "platform/qt/qt_language.h"

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: text_editor_screenshot <output.png> [<plain-window.png>]\n");
    return 2;
  }
  QApplication app(argc, argv);
  vl::vlInstallQtPlatform();
  // The environment's language: LANG=zh_CN.UTF-8 gives the Chinese pictures.
  vl::vlSetLanguage(vl::vlEnvironmentLanguage());
  vl::vlInstallQtLanguage();
  vl::TvlMemorySettingsStore settings;
  vl::vlInstallPlatform(vl::TvlPlatform{nullptr, &settings});
  vl::TvlReport report;
  report.Pages.Add();
  auto memo = std::make_unique<vl::TvlMemoView>();
  memo->Name = "Memo1";
  memo->Memo = {"Dear [Recipient],", "your order [OrderNo] of [Date] is on its way."};
  memo->Script = {"begin",
                  "  // mark large orders",
                  "  if [Total] > 1000 then",
                  "  begin",
                  "    Memo1.FillColor := clYellow;",
                  "    Note := 'Thank you for your large order';",
                  "  end",
                  "  else { small ones stay plain }",
                  "    Note := '';",
                  "end"};
  vl::TvlView& view = *memo;
  report.Pages[0]->Objects.push_back(std::move(memo));
  vl::TvlDesignerForm designer(report, true);
  designer.Options.SplitterPos = 110;
  vl::TvlTextEditorBase& editor = vl::vlTextEditorOf(designer);
  editor.resize(560, 420);
  int result = 1;
  QTimer::singleShot(300, [&] {
    auto& e = static_cast<vl::TvlEditorForm&>(editor);
    e.ScriptMemo()->SetCaretPos(1, 3);
    e.ScriptMemo()->ToggleBookmark(1);
    e.ScriptMemo()->SetCaretPos(21, 5);
    e.ScriptMemo()->setFocus();
    QApplication::processEvents();
    result = editor.grab().save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
    editor.reject();
  });
  editor.EditObject(view);
  if (argc == 3 && result == 0) {
    designer.Options.SyntaxHighlight = false;
    vl::TvlTextEditorBase& plain = vl::vlTextEditorOf(designer);
    plain.resize(560, 420);
    QTimer::singleShot(300, [&] {
      plain.ScriptPane()->setPlainText("begin\n  if [Total] > 1000 then\n    Note := 'large'");
      plain.Confirm();
      QApplication::processEvents();
      result = plain.grab().save(QString::fromLocal8Bit(argv[2]), "PNG") ? 0 : 1;
      plain.reject();
    });
    plain.EditObject(view);
  }
  return result;
}
