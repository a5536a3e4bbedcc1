#include "engine/labels/label_check.h"

#include <algorithm>

#include "engine/labels/label_template.h"

namespace vl {

TvlAddressShare vlLabelShare(const TvlLabelSheet& sheet, int start, int row) {
  const TvlLabelGrid grid = vlLabelGrid(sheet);
  const int perPage = std::max(1, sheet.Labels());
  const int columns = std::max(1, sheet.Columns);
  const int k = std::max(0, start - 1) + row - 1;
  const int onPage = k % perPage;
  TvlAddressShare share;
  share.Page = k / perPage;
  share.Area.Left = grid.Left + (onPage % columns) * grid.StepX;
  share.Area.Top = grid.Top + (onPage / columns) * grid.StepY;
  share.Area.Right = share.Area.Left + grid.StepX;
  share.Area.Bottom = share.Area.Top + grid.StepY;
  return share;
}

std::vector<TvlEnvelopeProblem> vlCheckLabels(TvlReport& report, const TvlAddressBinding& binding,
                                              const TvlLabelSheet& sheet, int start, int blanks) {
  return vlCheckAddressShares(report, binding, blanks,
                              [&sheet, start](int row) { return vlLabelShare(sheet, start, row); });
}

}  // namespace vl
