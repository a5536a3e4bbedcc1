#include "platform/qt/qt_platform.h"

#include "platform/platform.h"
#include "platform/qt/qt_message_box.h"
#include "platform/qt/qt_printer.h"
#include "platform/qt/qt_settings_store.h"
#include "platform/qt/qt_shell.h"

namespace vl {

void vlInstallQtPlatform() {
  static TvlQtMessageBox messageBox;
  static TvlQtSettingsStore settings;
  static TvlQtShell shell;
  static TvlQtPrinter printer;
  vlInstallPlatform(TvlPlatform{&messageBox, &settings, &shell, &printer});
}

}  // namespace vl
