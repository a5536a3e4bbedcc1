#include "platform/qt/qt_platform.h"

#include "platform/platform.h"
#include "platform/qt/progress_form.h"
#include "platform/qt/qt_message_box.h"
#include "platform/qt/qt_print_job.h"
#include "platform/qt/qt_printer.h"
#include "platform/qt/qt_settings_store.h"
#include "platform/qt/qt_shell.h"

namespace vl {

void vlInstallQtPlatformWindows() {
  static TvlQtMessageBox messageBox;
  // A window must not outlive the application object, which static
  // destruction would make it do: the progress window lives to program end.
  static TvlProgressForm* progress = new TvlProgressForm;
  vlInstallPlatform(TvlPlatform{.MessageBox = &messageBox, .Progress = progress});
}

void vlInstallQtPlatform() {
  static TvlQtSettingsStore settings;
  static TvlQtShell shell;
  static TvlQtPrinter printer;
  static TvlQtPrintJob printJob(printer);
  vlInstallQtPlatformWindows();
  vlInstallPlatform(TvlPlatform{.Settings = &settings, .Shell = &shell, .Printer = &printer, .PrintJob = &printJob});
  // Said once: the damaged file has been set aside.
  if (!settings.Notice().empty())
    vlPlatform().MessageBox->Show(settings.Notice(), "Vellora", TvlMsgIcon::Warning, TvlMsgButtons::Ok);
}

}  // namespace vl
