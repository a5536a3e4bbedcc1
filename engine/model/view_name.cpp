// Unique view names within the current report.

#include "engine/core/engine_state.h"
#include "engine/model/report.h"
#include "engine/model/view.h"

namespace vl {

void TvlView::CreateUniqueName() {
  TvlReport* report = vlState().CurReport;
  CreateUniqueName([report](const std::string& candidate) {
    return report && report->FindObject(candidate) != nullptr;
  });
}

}  // namespace vl
