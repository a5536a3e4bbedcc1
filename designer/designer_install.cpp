#include "designer/designer_install.h"

#include <QApplication>
#include <QCursor>

#include "designer/designer_form.h"
#include "engine/core/engine_state.h"
#include "engine/core/string_table.h"
#include "engine/formation/report_windows.h"
#include "engine/model/report.h"
#include "engine/model/stream_reader.h"
#include "engine/output/qt/help_window.h"
#include "engine/output/qt/preview_form.h"
#include "platform/platform.h"

namespace vl {

namespace {

int DesignTemplate(TvlReport& report) {
  auto& make = vlDesignerClass();
  if (!make) return 2;
  // The user guide is the help file while the designer runs.
  const std::string previousHelp = vlApplicationHelpFile();
  vlApplicationHelpFile() = kPreviewHelpFile;
  std::unique_ptr<TvlReportDesigner> designer = make(report, true);
  const int result = designer->exec();
  vlApplicationHelpFile() = previousHelp;
  return result;
}

// The prepared page becomes the report's only template page while the
// designer edits it; the template comes back from memory afterwards.
bool EditPreparedPage(TvlReport& report, int index) {
  auto& make = vlDesignerClass();
  if (!make || index < 0 || index >= report.EMFPages.Count()) return false;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  TvlStreamWriter saved;
  report.SaveToStream(saved);
  const bool modified = report.Modified;
  const std::string fileName = report.FileName;
  TvlPage* expanded = nullptr;
  try {
    expanded = report.EMFPages.Expand(index);
  } catch (const std::exception& e) {
    QApplication::restoreOverrideCursor();
    vlShowMessage(e.what(), vlLoadStr(str::kError), TvlMsgIcon::Error);
    return false;
  }
  TvlPreparedPage& prepared = report.EMFPages[index];
  report.Pages.Clear();
  report.Pages.Adopt(std::move(prepared.Page));
  QApplication::restoreOverrideCursor();
  bool written = false;
  {
    std::unique_ptr<TvlReportDesigner> designer = make(report, false);
    designer->exec();
    if (designer->GetModified() &&
        vlPlatform().MessageBox->Show(vlLoadStr(55306) + "?", vlLoadStr(55006), TvlMsgIcon::Question,
                                      TvlMsgButtons::YesNo) == TvlMsgResult::Yes) {
      written = true;
    }
    designer.reset();
  }
  prepared.Page = report.Pages.Release(0);
  if (written) report.EMFPages.WriteBack(index);
  (void)expanded;
  TvlStreamReader r(saved.Bytes());
  report.LoadFromStream(r);
  report.Modified = modified;
  report.FileName = fileName;
  vlState().CurPage = report.Pages.Count() > 0 ? report.Pages[0] : nullptr;
  return written;
}

}  // namespace

void vlInstallDesigner() {
  vlDesignerClass() = [](TvlReport& report, bool firstInstance) -> std::unique_ptr<TvlReportDesigner> {
    return std::make_unique<TvlDesignerForm>(report, firstInstance);
  };
  vlReportWindows().DesignReport = DesignTemplate;
  vlReportWindows().EditPage = EditPreparedPage;
}

}  // namespace vl
