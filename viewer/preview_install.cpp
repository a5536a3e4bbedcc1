// The preview is the window the report's ShowPrepared opens, and the control
// printing takes pages back from.

#include "engine/formation/report_windows.h"
#include "engine/model/report.h"
#include "engine/output/preview_pages.h"
#include "viewer/preview_control.h"
#include "viewer/preview_form.h"
#include "platform/qt/qt_text.h"

namespace vl {

void vlInstallPreviewWindow() {
  vlReportWindows().ShowPreview = [](TvlReport& report, const std::string& caption) {
    if (report.Preview) {
      report.Preview->Connect(report);
      return;
    }
    // Closing destroys the window and the pages it holds.
    auto* form = new TvlPreviewForm;
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->setWindowTitle(vlToQt(caption));
    form->Show(report);
  };
  vlSetPreviewPagesHook([](TvlPreview& preview) { return &preview.Pages(); });
}

bool vlPreviewDesignerInstalled() { return static_cast<bool>(vlReportWindows().EditPage); }

}  // namespace vl
