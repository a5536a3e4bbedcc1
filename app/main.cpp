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
#include "engine/core/language.h"
#include "engine/core/project_texts.h"
#include "platform/qt/qt_language.h"

namespace {

std::string Usage() {
  return vl::vlTr("usage: vellora [--addresses FILE]\n"
                  "  --addresses FILE  put an address list in force (CSV, vCard, or SQLite FILE#TABLE)\n"
                  "  --help            show this text\n"
                  "  --version         show the version\n");
}

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
  if (ec) std::fprintf(stderr, "vellora: %s\n", vl::vlTr("cannot enter %1: %2", {folder.string(), ec.message()}).c_str());
}

}  // namespace

int main(int argc, char** argv) {
  // The arguments are read before the application object exists, so --help
  // and --version work without a display.
  // The environment decides until the settings store can be read.
  vl::vlSetLanguage(vl::vlEnvironmentLanguage());
  std::string addresses;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--addresses") == 0 && i + 1 < argc) {
      // Named from the folder it was started in, which the launcher may leave.
      addresses = std::filesystem::absolute(argv[++i]).string();
    } else if (std::strcmp(argv[i], "--help") == 0) {
      std::printf("%s", Usage().c_str());
      return 0;
    } else if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("vellora %s\n", VL_VERSION);
      return 0;
    } else {
      std::fprintf(stderr, "%s", Usage().c_str());
      return 2;
    }
  }
  // The Qt platform facilities need the application object, so it exists
  // before the engine's start-up registration, which uses them.
  QApplication app(argc, argv);
  // The desktop entry and the icon theme's icon installed with the program.
  QApplication::setDesktopFileName(QStringLiteral("example.vellora.Vellora"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("example.vellora.Vellora")));
  EnterTemplatesFolder();
  vl::vlInstallQtPlatform();
  // The language before any engine text is taken (printer and band names).
  vl::vlApplyLanguageChoice();
  vl::vlInstallQtLanguage();
  vl::vlStartEngine();
  // The preview, print dialog, progress, dialog pages and help.
  vl::vlInstallEngineWindows();

  vl::TFormMain formMain;
  formMain.show();
  // A list that cannot be read says so and leaves the one in force before.
  if (!addresses.empty()) formMain.SetAddressList(addresses);
  return app.exec();
}
