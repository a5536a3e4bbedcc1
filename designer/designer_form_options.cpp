// The designer window's option commands: the designer options and the
// report options dialogs.

#include "controls/speed_button.h"
#include "controls/tool_bar.h"
#include "designer/design_surface.h"
#include "designer/designer_form.h"
#include "designer/designer_options_dialog.h"
#include "designer/designer_restrictions.h"
#include "engine/model/band_view.h"
#include "engine/model/report.h"
#include "platform/platform.h"

namespace vl {

void TvlDesignerForm::EditOptions() {
  TvlDesignerOptionsForm dialog(Options, this);
  if (dialog.exec() != QDialog::Accepted) return;
  Options = dialog.Result();
  Options.SaveEditorFonts(*vlPlatform().Settings, vlDesignerFormKey());
  vlBandTitles() = Options.BandTitles;
  Command("Grid")->setChecked(Options.GridShow);
  Command("GridAlign")->setChecked(Options.GridAlign);
  for (auto& [name, bar] : toolbars_)
    for (QWidget* c : bar->Controls())
      if (auto* b = dynamic_cast<TvlSpeedButton*>(c)) b->SetGrayedInactive(Options.GrayButtons);
  SetCurrentPage(curPage_);
}

void TvlDesignerForm::EditReportOptions() {
  if (!FirstInstance || vlRestricted(dsNoReportOptions)) return;
  TvlReportOptionsForm dialog(Report, this);
  if (dialog.exec() != QDialog::Accepted) return;
  dialog.Apply();
  SetModified(true);
  SetCurrentPage(curPage_);
}

}  // namespace vl
