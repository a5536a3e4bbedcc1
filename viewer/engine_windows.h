#pragma once
// Installs every window the engine can open: the preview (and the print
// dialog it opens), the progress window, message boxes and the password
// prompt, the windows of dialog pages and the help viewer. Programs call it
// once after the QApplication exists (and after vlInstallQtPlatform, when
// they use the Qt settings and printers); tests call it before installing
// their own stand-ins.

namespace vl {

void vlInstallEngineWindows();

}  // namespace vl
