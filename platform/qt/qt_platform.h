#pragma once
// Installs the Qt implementations of the platform facilities. Call once after
// the QApplication exists.

namespace vl {

// Every facility: settings, shell, printers and print jobs, and the windows
// below.
void vlInstallQtPlatform();
// Only the platform's windows: message and input boxes (with the password
// prompt) and the progress window.
void vlInstallQtPlatformWindows();

}  // namespace vl
