// Dialog pages shown as Qt windows, driven offscreen: the window takes the
// page's caption, border and size, controls stand as widgets that the page
// script moves, hides and relabels, and the window's result decides whether
// the report is built.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "engine/model/control.h"
#include "engine/model/object_factory.h"
#include "viewer/dialog_control_widgets.h"
#include "viewer/dialog_page_form.h"
#include "viewer/qt_dialog_page_host.h"
#include "platform/qt/qt_text.h"
#include "tests/formation/formation_fixture.h"
#include "tests/viewer/test_button.h"
#include "tests/platform_qt/qt_application.h"

namespace vl::testing {
namespace {

class DialogPage : public FormationTest {
 protected:
  void SetUp() override {
    test::QtApp();
    FormationTest::SetUp();
    vlRegisterTestButton();
    // A control class without a widget of its own stands as a panel.
    vlAddIns().Register({"TvlControl", [] { return std::make_unique<TvlControl>(); }, {}});
    vlSetDialogPageHost(&host);

    Band(btReportTitle, 0, 20, "T");
    Memo("t", 20, 0, "title");
    dialog = report.Pages.Add();
    dialog->PageType = ptDialog;
    dialog->Caption = "Envelopes";
    dialog->Width = 300;
    dialog->Height = 120;
    Memo("Label1", 10, 10, "Print the envelopes?", 200, 16, dialog);
    Button("OkButton", 10);
    Button("CancelButton", 100);
    auto panel = std::make_unique<TvlControl>();
    panel->Name = "Panel1";
    panel->Left = 10, panel->Top = 80, panel->Width = 50, panel->Height = 20;
    dialog->Objects.push_back(std::move(panel));
    // The window exists while the script runs: what it sets reaches the widgets.
    dialog->Script = {"begin",
                      "  OkButton.Caption := 'Print'; OkButton.ModalResult := mrOk;",
                      "  CancelButton.Caption := 'Stop'; CancelButton.ModalResult := mrCancel;",
                      "  CancelButton.Left := 180; Panel1.Visible := False",
                      "end"};
  }
  void TearDown() override {
    vlSetDialogPageHost(nullptr);
    FormationTest::TearDown();
    vlUnregisterTestButton();
    vlAddIns().Unregister("TvlControl");
  }

  void Button(const std::string& name, std::int32_t left) {
    auto b = std::make_unique<TvlTestButton>();
    b->Name = name;
    b->Left = left, b->Top = 40, b->Width = 80, b->Height = 25;
    dialog->Objects.push_back(std::move(b));
  }

  // Runs act on the dialog page's window once it is shown; returns Prepare's result.
  bool PrepareWith(const std::function<void(TvlDialogPageForm&)>& act) {
    QTimer timer;
    acted = false;
    QObject::connect(&timer, &QTimer::timeout, [&] {
      TvlPage* shown = report.Pages.Count() > 1 ? report.Pages[1] : nullptr;
      TvlDialogPageForm* window = shown ? host.Form(*shown) : nullptr;
      if (!window || !window->isVisible() || acted) return;
      acted = true;
      act(*window);
    });
    timer.start(5);
    return report.Prepare();
  }

  static QPushButton* ButtonOf(TvlDialogPageForm& form, const std::string& name) {
    return form.findChild<QPushButton*>(vlToQt(name));
  }

  TvlQtDialogPageHost host;
  TvlPage* dialog = nullptr;
  bool acted = false;
};

TEST_F(DialogPage, TakesThePageAndTheScriptsChangesToItsControls) {
  report.ShowProgress = true;
  bool shownWhileBuilding = false;
  report.OnBeginPage = [&](std::int32_t) { shownWhileBuilding = progress.IsShown(); };
  const bool built = PrepareWith([&](TvlDialogPageForm& window) {
    EXPECT_EQ(window.windowTitle(), "Envelopes");
    EXPECT_EQ(window.size(), QSize(300, 120));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());  // dialog border: not sizeable
    EXPECT_TRUE(window.isModal());
    EXPECT_FALSE(progress.IsShown());  // hidden while the page is shown
    QPushButton* ok = ButtonOf(window, "OkButton");
    QPushButton* cancel = ButtonOf(window, "CancelButton");
    ASSERT_TRUE(ok && cancel);
    EXPECT_EQ(ok->text(), "Print");
    EXPECT_EQ(cancel->text(), "Stop");
    EXPECT_EQ(cancel->geometry(), QRect(180, 40, 80, 25));
    QWidget* panel = window.findChild<QWidget*>("Panel1");
    ASSERT_TRUE(panel);
    EXPECT_FALSE(panel->isVisible());
    if (const char* shots = std::getenv("VL_SCREENSHOT_DIR")) window.grab().save(QString(shots) + "/dialog_page.png");
    ok->click();
  });
  EXPECT_TRUE(acted);
  EXPECT_TRUE(built);
  EXPECT_EQ(All(), "title");
  EXPECT_TRUE(shownWhileBuilding);  // restored
  // The template was restored and its controls stand for nothing any more.
  auto* reloaded = dynamic_cast<TvlTestButton*>(report.FindObject("CancelButton"));
  ASSERT_TRUE(reloaded);
  EXPECT_EQ(reloaded->PlatformControl(), nullptr);
  EXPECT_EQ(reloaded->Left, 100);
}

TEST_F(DialogPage, TheWindowsResultDecides) {
  struct Case {
    const char* What;
    std::function<void(TvlDialogPageForm&)> Act;
    bool Built;
  };
  const auto key = [](int k) {
    return [k](TvlDialogPageForm& window) {
      QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
      QApplication::sendEvent(&window, &press);
    };
  };
  const Case cases[] = {
      {"OK button", [](TvlDialogPageForm& f) { ButtonOf(f, "OkButton")->click(); }, true},
      {"Cancel button", [](TvlDialogPageForm& f) { ButtonOf(f, "CancelButton")->click(); }, false},
      {"Enter without a default button", key(Qt::Key_Return), true},
      {"Escape", key(Qt::Key_Escape), false},
      {"close box", [](TvlDialogPageForm& f) { f.close(); }, false},
  };
  for (const Case& c : cases) {
    const bool built = PrepareWith(c.Act);
    EXPECT_TRUE(acted) << c.What;
    EXPECT_EQ(built, c.Built) << c.What;
    EXPECT_EQ(report.EMFPages.Count(), c.Built ? 1 : 0) << c.What;
    EXPECT_TRUE(box.Messages.empty()) << c.What;
  }
  // A script that decides the result shows no window.
  report.Pages[1]->Script = {"MODALRESULT := mrCancel"};
  EXPECT_FALSE(PrepareWith([](TvlDialogPageForm&) {}));
  EXPECT_FALSE(acted);
}

}  // namespace
}  // namespace vl::testing
