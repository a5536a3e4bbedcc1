#include "designer/designer_data_sources.h"

#include <QMenu>

#include "designer/data_sources_form.h"
#include "designer/designer_form.h"
#include "designer/form_page_edits.h"
#include "designer/dict_form.h"
#include "designer/db_fields_window.h"
#include "designer/report_designer.h"
#include "engine/data/report_sources_on_form.h"
#include "engine/model/data_dictionary.h"
#include "engine/model/report.h"
#include "platform/platform.h"
#include "platform/qt/qt_language.h"
#include "engine/core/project_texts.h"

namespace vl {

TvlDesignerDataSources::TvlDesignerDataSources(TvlDesignerForm& form)
    : QObject(&form), form_(form), report_(form.Report) {
  setObjectName(QStringLiteral("DesignerDataSources"));
  TvlReport& report = report_;
  previousOwner_ = report.Owner;
  if (!report.Owner) {
    lentOwner_ = std::make_unique<TvlForm>("DesignerData");
    report.Owner = lentOwner_.get();
  }
  attached_ = std::make_unique<TvlReportSourcesOnForm>(*report.Owner);
}

TvlDesignerDataSources::~TvlDesignerDataSources() {
  // The dictionary must not keep bindings to sources about to go.
  report_.Dictionary.ClearCache();
  attached_.reset();
  if (lentOwner_ && report_.Owner == lentOwner_.get()) report_.Owner = previousOwner_;
}

TvlDesignerDataSources* TvlDesignerDataSources::Of(const TvlDesignerForm& form) {
  return form.findChild<TvlDesignerDataSources*>(QStringLiteral("DesignerDataSources"), Qt::FindDirectChildrenOnly);
}

void TvlDesignerDataSources::AttachWhenChanged() {
  if (report_.FileName == attachedFile_ && vlDataSourcesOf(report_).Items == attachedItems_) return;
  Attach(true);
}

void TvlDesignerDataSources::Attach(bool tell) {
  attachedFile_ = report_.FileName;
  attachedItems_ = vlDataSourcesOf(report_).Items;
  report_.Dictionary.ClearCache();
  const std::vector<std::string> problems = attached_->Attach(vlDataSourcesOf(report_));
  if (tell && !problems.empty())
    vlShowMessage(vlMissingSourcesMessage(problems), vlTr("Data sources"), TvlMsgIcon::Warning);
  if (TvlInsFieldsForm* window = TvlInsFieldsForm::Instance()) window->Refresh();
}

bool TvlDesignerDataSources::Edit(QWidget* owner) {
  TvlReportDataSources edited = vlDataSourcesOf(report_);
  if (!vlEditDataSources(owner, edited) || !vlReportEdits(form_).SetDataSources(edited)) return false;
  vlPageEdited(form_);
  Attach(true);
  return true;
}

void vlInstallDataSources() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  TvlDesignerForm::Extensions().push_back([](TvlDesignerForm& form) {
    auto* sources = new TvlDesignerDataSources(form);
    TvlDesignerForm* window = &form;
    QAction* command = form.AddCommand("DataSources", vlQTr("Data &sources…"),
                                       vlQTr("The report's own data: CSV, vCard or SQLite files"), QImage(),
                                       [window, sources] { sources->Edit(window); });
    if (QMenu* file = form.Menu("File")) {
      QAction* before = form.Command("ReportOptions");
      file->insertAction(file->actions().contains(before) ? before : nullptr, command);
    }
    // Another report came in (new, opened, from a template) when its name or
    // its sources differ from those put on last.
    form.PageChangedListeners.push_back([sources] { sources->AttachWhenChanged(); });
    sources->Attach(true);
  });
  TvlDictForm::DataSourcesHook() = [](QWidget* owner) {
    auto* designer = dynamic_cast<TvlDesignerForm*>(vlCurrentDesigner());
    TvlDesignerDataSources* sources = designer ? TvlDesignerDataSources::Of(*designer) : nullptr;
    return sources && sources->Edit(owner);
  };
}

}  // namespace vl
