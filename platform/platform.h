#pragma once
// The operating-system facilities the engine uses, reached through one set of
// interfaces. The program installs the Qt implementations at start; tests and
// the command-line tool install the in-memory ones (the default).

#include "platform/help_viewer.h"
#include "platform/message_box.h"
#include "platform/platform_printer.h"
#include "platform/print_job.h"
#include "platform/progress_window.h"
#include "platform/settings_store.h"
#include "platform/shell.h"

namespace vl {

struct TvlPlatform {
  TvlMessageBox* MessageBox = nullptr;
  TvlSettingsStore* Settings = nullptr;
  TvlShell* Shell = nullptr;
  TvlPlatformPrinter* Printer = nullptr;
  TvlProgressWindow* Progress = nullptr;
  TvlPrintJob* PrintJob = nullptr;  // jobs on Printer's current printer
  TvlHelpViewer* Help = nullptr;
};

// The facilities in force; never null members (defaults are in-memory doubles).
TvlPlatform& vlPlatform();
// Replaces some facilities; null members keep the current ones.
void vlInstallPlatform(const TvlPlatform& platform);

// Shows an engine message with caption and icon and an OK button.
void vlShowMessage(const std::string& text, const std::string& caption, TvlMsgIcon icon);

}  // namespace vl
