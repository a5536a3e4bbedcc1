// The envelope printer's entry: engine start-up first, then the launcher
// window, then the event loop until the window closes.

#include <QApplication>

#include "app/engine_startup.h"
#include "app/main_form.h"
#include "engine/output/qt/help_window.h"
#include "engine/output/qt/preview_form.h"
#include "platform/qt/qt_platform.h"

int main(int argc, char** argv) {
  // The Qt platform facilities need the application object, so it exists
  // before the engine's start-up registration, which uses them.
  QApplication app(argc, argv);
  vl::vlInstallQtPlatform();
  vl::vlStartEngine();
  // The report's ShowPrepared opens the preview window.
  vl::vlInstallPreviewWindow();
  vl::vlApplicationHelpFile() = vl::kPreviewHelpFile;

  vl::TFormMain formMain;
  formMain.show();
  return app.exec();
}
