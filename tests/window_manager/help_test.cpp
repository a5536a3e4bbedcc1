// Help asked for from the modal, maximised preview: under a stacking window
// manager it must open above the preview, take the keyboard and close by the
// window manager's close while the preview stays open.

#include <QPointer>
#include <QTimer>

#include "engine/formation/report_windows.h"
#include "engine/model/report.h"
#include "viewer/engine_windows.h"
#include "viewer/help_window.h"
#include "viewer/preview_form.h"
#include "platform/memory_settings_store.h"
#include "platform/platform.h"
#include "tests/output/preview_fixture.h"
#include "tests/qt_application.h"
#include "tests/window_manager/desktop.h"

namespace vl {
namespace {

TEST(HelpFromTheModalPreview, IsTheActiveWindowAndClosesWhileThePreviewStaysOpen) {
  const TvlPlatform previous = vlPlatform();
  vlInstallEngineWindows();
  TvlMemorySettingsStore settings;
  vlInstallPlatform(TvlPlatform{.Settings = &settings});
  TvlReport report;
  testing::AddPage(report.EMFPages, {400, 600}, {testing::Text("Name", "Envelope")});
  report.ModalPreview = true;

  bool ran = false;
  QTimer::singleShot(0, [&] {
    auto* preview = dynamic_cast<TvlPreviewForm*>(QApplication::activeModalWidget());
    ASSERT_NE(preview, nullptr);
    ran = true;
    ASSERT_TRUE(desktop::WaitShown(*preview));
    desktop::Settle();
    EXPECT_TRUE(preview->isMaximized());
    desktop::Click(*preview->HelpBtn());
    desktop::Click(*preview->FindBtn());
    QPointer<TvlHelpWindow> help = vlHelpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == help; }, 3000))
        << "help is not the active window";
    EXPECT_TRUE(desktop::StackedAbove(*help, *preview));
    // The window manager's close, as its title bar button or Alt+F4 give it.
    QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("alt+F4")});
    EXPECT_TRUE(QTest::qWaitFor([&] { return help.isNull() || !help->isVisible(); }, 3000)) << "help stayed open";
    EXPECT_TRUE(preview->isVisible()) << "the preview closed instead";
    if (help) help->close();
    preview->CloseWindow();
  });
  vlReportWindows().ShowPreview(report, "Envelope");
  EXPECT_TRUE(ran);
  vlInstallPlatform(previous);
}

}  // namespace
}  // namespace vl
