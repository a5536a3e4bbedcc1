// The designer and its secondary windows under a stacking window manager: the
// inspector and the DB fields window stay above the designer, placement
// comes back exactly however often the designer opens, and a placement
// saved off the screens opens on them.

#include <QDialog>
#include <QMenuBar>
#include <QScrollArea>
#include <QTimer>
#include <map>
#include <memory>

#include "designer/designer_form.h"
#include "designer/designer_install.h"
#include "designer/designer_options.h"
#include "designer/db_fields_window.h"
#include "designer/inspector_window.h"
#include "designer/object_inspector.h"
#include "engine/model/report.h"
#include "viewer/engine_windows.h"
#include "platform/memory_settings_store.h"
#include "platform/platform.h"
#include "platform/recording_message_box.h"
#include "tests/qt_application.h"
#include "tests/window_manager/desktop.h"

namespace vl {
namespace {

class DesignerWindows : public ::testing::Test {
 protected:
  DesignerWindows() : previous_(vlPlatform()) {
    vlInstallEngineWindows();
    vlInstallPlatform(TvlPlatform{.MessageBox = &Messages, .Settings = &Settings});
    vlInstallDesigner();
    Report.Pages.Add();
  }
  ~DesignerWindows() override {
    form.reset();
    vlInstallPlatform(previous_);
  }

  TvlDesignerForm& Open() {
    form = std::make_unique<TvlDesignerForm>(Report, true);
    form->show();
    EXPECT_TRUE(desktop::WaitShown(*form));
    desktop::Settle(500);
    return *form;
  }
  void Close() {
    form->done(2);
    form.reset();
    desktop::Settle(200);
  }

  std::string Saved(const std::string& key, const char* name) { return Settings.ReadString(key, name, "(none)"); }
  std::map<std::string, std::string> SavedPlacement() {
    std::map<std::string, std::string> values;
    for (const char* name : {"XPosition", "YPosition", "Width", "Height", "Maximized"})
      values[name] = Saved(vlDesignerFormKey(), name);
    return values;
  }
  void Place(const QRect& r, bool maximised) {
    const std::string key = vlDesignerFormKey();
    Settings.WriteString(key, "XPosition", std::to_string(r.x()));
    Settings.WriteString(key, "YPosition", std::to_string(r.y()));
    Settings.WriteString(key, "Width", std::to_string(r.width()));
    Settings.WriteString(key, "Height", std::to_string(r.height()));
    Settings.WriteString(key, "Maximized", maximised ? "1" : "0");
  }

  TvlRecordingMessageBox Messages;
  TvlMemorySettingsStore Settings;
  TvlReport Report;
  std::unique_ptr<TvlDesignerForm> form;

 private:
  TvlPlatform previous_;
};

TEST_F(DesignerWindows, InspectorStaysAboveTheDesignerAfterClicksAndDialogs) {
  Open();
  TvlInspForm* inspector = vlObjectInspector(*form)->Form();
  ASSERT_NE(inspector, nullptr);
  ASSERT_TRUE(QTest::qWaitFor([&] { return inspector->isVisible(); }, 3000));
  desktop::Settle();
  EXPECT_TRUE(desktop::StackedAbove(*inspector, *form)) << "on opening";

  desktop::Click(*form->ScrollArea()->viewport(), {40, 40});
  EXPECT_TRUE(desktop::StackedAbove(*inspector, *form)) << "after a click on the page";

  {
    QDialog dialog(form.get());
    QTimer::singleShot(300, &dialog, [&] { dialog.accept(); });
    dialog.exec();
  }
  desktop::Settle();
  EXPECT_TRUE(desktop::StackedAbove(*inspector, *form)) << "after a dialog";
  Close();
}

// Open and close ten times: the same rectangle and state every time, and
// the window on the screen.
TEST_F(DesignerWindows, PlacementIsTheSameAfterTenRoundsStartingMaximised) {
  std::map<std::string, std::string> first;
  for (int round = 0; round < 10; ++round) {
    Open();
    EXPECT_TRUE(form->isMaximized()) << "round " << round;
    EXPECT_TRUE(desktop::OnScreen(*form)) << "round " << round;
    Close();
    if (round == 0) first = SavedPlacement();
    EXPECT_EQ(SavedPlacement(), first) << "round " << round;
  }
  EXPECT_EQ(first["Maximized"], "1");
}

TEST_F(DesignerWindows, PlacementIsTheSameAfterTenRoundsStartingNormal) {
  const QRect placed(120, 140, 800, 560);
  Place(placed, false);
  for (int round = 0; round < 10; ++round) {
    Open();
    EXPECT_FALSE(form->isMaximized()) << "round " << round;
    EXPECT_EQ(form->geometry(), placed) << "round " << round;
    Close();
    EXPECT_EQ(Saved(vlDesignerFormKey(), "YPosition"), "140") << "round " << round;
    EXPECT_EQ(Saved(vlDesignerFormKey(), "XPosition"), "120") << "round " << round;
  }
}

TEST_F(DesignerWindows, PlacementOffTheScreensOpensOnThem) {
  for (const QRect& away : {QRect(-3000, -2000, 800, 560), QRect(5000, 4000, 800, 560), QRect(100, -20, 800, 560),
                            QRect(-50, 100, 4000, 3000)}) {
    Place(away, false);
    Open();
    EXPECT_TRUE(desktop::OnScreen(*form)) << away.x() << "," << away.y() << " opened at " << form->frameGeometry().x()
                                          << "," << form->frameGeometry().y();
    Close();
  }
}

// The DB fields window is open by default, clear of the designer's menus,
// above the designer, and comes back where it was left.
TEST_F(DesignerWindows, DBFieldsWindowOpensClearOfTheMenusAndComesBackWhereItWasLeft) {
  Open();
  ASSERT_TRUE(QTest::qWaitFor([] { return TvlInsFieldsForm::Instance() && TvlInsFieldsForm::Instance()->isVisible(); }, 3000));
  TvlInsFieldsForm* fields = TvlInsFieldsForm::Instance();
  desktop::Settle();
  QMenuBar* menus = form->findChild<QMenuBar*>();
  ASSERT_NE(menus, nullptr);
  EXPECT_FALSE(fields->frameGeometry().intersects(QRect(menus->mapToGlobal(QPoint()), menus->size())));
  EXPECT_TRUE(desktop::StackedAbove(*fields, *form));
  fields->move(300, 260);
  desktop::Settle();
  const QRect left = fields->geometry();
  Close();
  EXPECT_EQ(Saved(vlFieldsFormKey(), "isVisible"), "1");

  Open();
  ASSERT_TRUE(QTest::qWaitFor([] { return TvlInsFieldsForm::Instance() && TvlInsFieldsForm::Instance()->isVisible(); }, 3000));
  desktop::Settle();
  EXPECT_EQ(TvlInsFieldsForm::Instance()->geometry(), left);
  TvlInsFieldsForm::Instance()->close();
  Close();
  EXPECT_EQ(Saved(vlFieldsFormKey(), "isVisible"), "0");
  Open();
  desktop::Settle();
  EXPECT_EQ(TvlInsFieldsForm::Instance(), nullptr) << "closed by the user, it stays closed";
  Close();
}

}  // namespace
}  // namespace vl
