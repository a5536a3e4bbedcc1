#include "viewer/engine_windows.h"

#include "viewer/help_window.h"
#include "viewer/preview_form.h"
#include "viewer/qt_dialog_page_host.h"
#include "platform/platform.h"
#include "platform/qt/qt_platform.h"

namespace vl {

void vlInstallEngineWindows() {
  vlInstallQtPlatformWindows();
  vlInstallPreviewWindow();
  vlInstallDialogPageHost();
  vlInstallPlatform(TvlPlatform{.Help = &vlQtHelpViewer()});
}

}  // namespace vl
