// Unique view names within the current report, and for dialog controls
// within the shared dialog form as well.

#include "engine/core/engine_state.h"
#include "engine/model/control.h"
#include "engine/model/report.h"
#include "engine/model/view.h"

namespace vl {

TvlNameTaken& vlDialogFormNames() {
  static TvlNameTaken names;
  return names;
}

TvlNameTaken vlNameTakenFor(const TvlView& view) {
  TvlReport* report = vlState().CurReport;
  // Controls become components of the dialog form, whose names must differ too.
  const TvlNameTaken formNames = dynamic_cast<const TvlControl*>(&view) ? vlDialogFormNames() : TvlNameTaken();
  return [report, formNames](const std::string& candidate) {
    return (report && report->FindObject(candidate) != nullptr) || (formNames && formNames(candidate));
  };
}

void TvlView::CreateUniqueName() { CreateUniqueName(vlNameTakenFor(*this)); }

}  // namespace vl
