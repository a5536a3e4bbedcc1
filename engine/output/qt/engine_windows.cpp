#include "engine/output/qt/engine_windows.h"

#include "engine/output/qt/help_window.h"
#include "engine/output/qt/preview_form.h"
#include "engine/output/qt/qt_dialog_page_host.h"
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
