#include "platform/platform.h"

#include "platform/direct_progress_window.h"
#include "platform/memory_printer.h"
#include "platform/memory_settings_store.h"
#include "platform/recording_help_viewer.h"
#include "platform/recording_message_box.h"
#include "platform/recording_print_job.h"
#include "platform/recording_shell.h"

namespace vl {
namespace {

TvlPlatform MakeDefaults() {
  static TvlRecordingMessageBox messageBox;
  static TvlMemorySettingsStore settings;
  static TvlRecordingShell shell;
  static TvlMemoryPrinter printer;
  static TvlDirectProgressWindow progress;
  static TvlRecordingPrintJob printJob;  // on whichever printer is installed
  static TvlRecordingHelpViewer help;
  messageBox.EchoToStderr = true;
  return TvlPlatform{&messageBox, &settings, &shell, &printer, &progress, &printJob, &help};
}

}  // namespace

TvlPlatform& vlPlatform() {
  static TvlPlatform platform = MakeDefaults();
  return platform;
}

void vlInstallPlatform(const TvlPlatform& p) {
  TvlPlatform& cur = vlPlatform();
  if (p.MessageBox) cur.MessageBox = p.MessageBox;
  if (p.Settings) cur.Settings = p.Settings;
  if (p.Shell) cur.Shell = p.Shell;
  if (p.Printer) cur.Printer = p.Printer;
  if (p.Progress) cur.Progress = p.Progress;
  if (p.PrintJob) cur.PrintJob = p.PrintJob;
  if (p.Help) cur.Help = p.Help;
}

void vlShowMessage(const std::string& text, const std::string& caption, TvlMsgIcon icon) {
  vlPlatform().MessageBox->Show(text, caption, icon, TvlMsgButtons::Ok);
}

}  // namespace vl
