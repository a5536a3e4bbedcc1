// The envelope printer's entry: engine start-up first, then the launcher
// window, then the event loop until the window closes.
//   vellora [--addresses FILE]   FILE: an address list to put in force (a
//                                CSV or vCard file, a SQLite FILE#TABLE)

#include <QApplication>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/engine_startup.h"
#include "app/main_form.h"
#include "engine/output/qt/help_window.h"
#include "engine/output/qt/preview_form.h"
#include "platform/qt/qt_platform.h"

int main(int argc, char** argv) {
  // The Qt platform facilities need the application object, so it exists
  // before the engine's start-up registration, which uses them.
  QApplication app(argc, argv);
  std::string addresses;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--addresses") == 0 && i + 1 < argc) {
      addresses = argv[++i];
    } else {
      std::fprintf(stderr, "usage: vellora [--addresses FILE]\n");
      return 2;
    }
  }
  vl::vlInstallQtPlatform();
  vl::vlStartEngine();
  // The report's ShowPrepared opens the preview window.
  vl::vlInstallPreviewWindow();
  vl::vlApplicationHelpFile() = vl::kPreviewHelpFile;

  vl::TFormMain formMain;
  formMain.show();
  // A list that cannot be read says so and leaves the one in force before.
  if (!addresses.empty()) formMain.SetAddressList(addresses);
  return app.exec();
}
