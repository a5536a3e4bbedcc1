#pragma once
// The designer host component: the folders of the file dialogs and the
// events that replace loading and saving. At most one exists; creating it
// makes the designer window available to every report (DesignReport and the
// preview's page editor).

#include <functional>
#include <string>

class QWidget;

namespace vl {

class TvlReport;

using TLoadReportEvent = std::function<void(TvlReport& Report, std::string& ReportName, bool& Opened)>;
using TSaveReportEvent =
    std::function<void(TvlReport& Report, std::string& ReportName, bool SaveAs, bool& Saved)>;

class TvlDesigner {
 public:
  // A second component raises TvlError "You already have one TvlDesigner component".
  TvlDesigner();
  TvlDesigner(const TvlDesigner&) = delete;
  TvlDesigner& operator=(const TvlDesigner&) = delete;
  ~TvlDesigner();

  bool CloseQuery = true;           // ask whether to save a modified template on close
  bool HideDisabledButtons = true;  // restricted commands hide their buttons
  std::string OpenDir, SaveDir, TemplateDir;
  TLoadReportEvent OnLoadReport;
  TSaveReportEvent OnSaveReport;
  // After the window is shown and initialised, and again after each preview.
  std::function<void(QWidget* designer)> OnShow;
};

// The one designer component, or none.
TvlDesigner* vlDesignerComponent();

}  // namespace vl
