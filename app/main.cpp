// The envelope printer's entry: engine start-up first, then the launcher
// window, then the event loop until the window closes.
//   vellora [--addresses FILE]   FILE: an address list to put in force (a
//                                CSV or vCard file, a SQLite FILE#TABLE)

#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "app/data_folders.h"
#include "app/engine_startup.h"
#include "app/main_form.h"
#include "viewer/engine_windows.h"
#include "platform/qt/qt_platform.h"

namespace {

// The launcher loads "Vlf/N.vlf" relative to the current folder: stay in a
// folder that holds Vlf/, otherwise work in the user's data folder, given the
// shipped templates on first start.
void EnterTemplatesFolder() {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path current = fs::current_path(ec);
  std::string error;
  const fs::path folder =
      vl::vlLauncherFolder(current, vl::vlShippedDataDir(vl::vlExecutableDir()), vl::vlUserDataDir(), error);
  if (!error.empty()) std::fprintf(stderr, "vellora: %s\n", error.c_str());
  if (folder != current) fs::current_path(folder, ec);
  if (ec) std::fprintf(stderr, "vellora: cannot enter %s: %s\n", folder.c_str(), ec.message().c_str());
}

}  // namespace

int main(int argc, char** argv) {
  // The Qt platform facilities need the application object, so it exists
  // before the engine's start-up registration, which uses them.
  QApplication app(argc, argv);
  std::string addresses;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--addresses") == 0 && i + 1 < argc) {
      // Named from the folder it was started in, which the launcher may leave.
      addresses = std::filesystem::absolute(argv[++i]).string();
    } else {
      std::fprintf(stderr, "usage: vellora [--addresses FILE]\n");
      return 2;
    }
  }
  // The desktop entry and the icon theme's icon installed with the program.
  QApplication::setDesktopFileName(QStringLiteral("example.vellora.Vellora"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("example.vellora.Vellora")));
  EnterTemplatesFolder();
  vl::vlInstallQtPlatform();
  vl::vlStartEngine();
  // The preview, print dialog, progress, dialog pages and help.
  vl::vlInstallEngineWindows();

  vl::TFormMain formMain;
  formMain.show();
  // A list that cannot be read says so and leaves the one in force before.
  if (!addresses.empty()) formMain.SetAddressList(addresses);
  return app.exec();
}
