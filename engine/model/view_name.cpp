// Unique view names within the current report.

#include "engine/core/engine_state.h"
#include "engine/model/report.h"
#include "engine/model/view.h"

namespace vl {

void TvlView::CreateUniqueName() {
  Name.clear();
  TvlReport* report = vlState().CurReport;
  for (int n = 1; n <= 10000; ++n) {
    std::string candidate = BaseName + std::to_string(n);
    if (!report || !report->FindObject(candidate)) {
      SetProperty("Name", TvlValue(candidate));
      Name = std::move(candidate);  // also when the class's SetProperty does not know "Name" yet
      return;
    }
  }
}

}  // namespace vl
