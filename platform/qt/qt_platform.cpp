#include "platform/qt/qt_platform.h"

#include "platform/platform.h"
#include "platform/qt/progress_form.h"
#include "platform/qt/qt_message_box.h"
#include "platform/qt/qt_print_job.h"
#include "platform/qt/qt_printer.h"
#include "platform/qt/qt_settings_store.h"
#include "platform/qt/qt_shell.h"

namespace vl {

void vlInstallQtPlatform() {
  static TvlQtMessageBox messageBox;
  static TvlQtSettingsStore settings;
  static TvlQtShell shell;
  static TvlQtPrinter printer;
  static TvlQtPrintJob printJob(printer);
  // A window must not outlive the application object, which static
  // destruction would make it do: the progress window lives to program end.
  static TvlProgressForm* progress = new TvlProgressForm;
  vlInstallPlatform(TvlPlatform{&messageBox, &settings, &shell, &printer, progress, &printJob});
  // Said once: the damaged file has been set aside.
  if (!settings.Notice().empty())
    messageBox.Show(settings.Notice(), "Vellora", TvlMsgIcon::Warning, TvlMsgButtons::Ok);
}

}  // namespace vl
