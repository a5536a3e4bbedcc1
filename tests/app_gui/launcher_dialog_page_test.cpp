// A template with a dialog page, pressed on the launcher with the windows the
// program installs at start: the dialog opens once, and its OK or Cancel
// decides whether the envelope is prepared and shown.

#include <unistd.h>

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <set>
#include <utility>

#include "engine/formation/dialog_page_host.h"
#include "engine/formation/report_windows.h"
#include "engine/model/page.h"
#include "viewer/engine_windows.h"
#include "platform/memory_settings_store.h"
#include "platform/platform.h"
#include "platform/recording_message_box.h"
#include "tests/app_gui/launcher_fixture.h"
#include "tests/viewer/test_button.h"
#include "tools/envelope_layouts.h"

namespace vl {
namespace {

namespace fs = std::filesystem;

class LauncherDialogPage : public LauncherWindow {
 protected:
  LauncherDialogPage() : previous_(vlPlatform()), windows_(vlReportWindows()) {
    vlInstallEngineWindows();
    vlInstallPlatform(TvlPlatform{.MessageBox = &messages, .Settings = &settings});
    vlReportWindows().ShowPreview = [this](TvlReport& report, const std::string&) {
      ++previews;
      shownPages = report.EMFPages.Count();
    };
    testing::vlRegisterTestButton();

    TvlReport envelope;
    vlBuildEnvelope(1, envelope);
    TvlPage* dialog = envelope.Pages.Add();
    dialog->PageType = ptDialog;
    dialog->Caption = "Print the envelope?";
    dialog->Width = 260;
    dialog->Height = 100;
    for (auto [name, left] : {std::pair{"OkButton", 10}, std::pair{"CancelButton", 120}}) {
      auto button = std::make_unique<testing::TvlTestButton>();
      button->Name = name;
      button->Left = left, button->Top = 30, button->Width = 90, button->Height = 25;
      dialog->Objects.push_back(std::move(button));
    }
    // The page's script gives the buttons their results, as a template does.
    dialog->Script = {"begin", "  OkButton.ModalResult := mrOk; CancelButton.ModalResult := mrCancel", "end"};
    fs::create_directories(folder_ / "Vlf");
    envelope.SaveToFile((folder_ / "Vlf" / "1.vlf").string());
  }
  ~LauncherDialogPage() override {
    vlReportWindows() = windows_;
    vlSetDialogPageHost(nullptr);
    vlInstallPlatform(previous_);
    testing::vlUnregisterTestButton();
    fs::remove_all(folder_);
  }

  // Presses the first template button and answers every dialog page window
  // that opens with the named button; returns how many opened.
  int PressAnswering(const char* answer) {
    InFolder in(folder_);
    std::set<QWidget*> answered;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* window = dynamic_cast<TvlDialogPageForm*>(w);
        if (!window || !window->isVisible() || answered.count(window)) continue;
        answered.insert(window);
        if (QPushButton* button = window->findChild<QPushButton*>(QString::fromLatin1(answer))) button->click();
      }
    });
    timer.start(5);
    form.SpeedButton1->Click();
    return static_cast<int>(answered.size());
  }

  TvlRecordingMessageBox messages;
  TvlMemorySettingsStore settings;
  int previews = 0;
  int shownPages = 0;

 private:
  TvlPlatform previous_;
  TvlReportWindows windows_;
  const fs::path folder_ = fs::temp_directory_path() / ("vl_launcher_dialog_" + std::to_string(::getpid()));
};

TEST_F(LauncherDialogPage, OkPreparesAndShowsTheEnvelopeCancelPreparesNothing) {
  EXPECT_EQ(PressAnswering("OkButton"), 1) << "the dialog opens once per press";
  EXPECT_EQ(previews, 1);
  EXPECT_EQ(shownPages, 1);

  EXPECT_EQ(PressAnswering("CancelButton"), 1);
  EXPECT_EQ(previews, 1) << "Cancel prepares and shows nothing";
  EXPECT_TRUE(messages.Messages.empty());
}

}  // namespace
}  // namespace vl
