#pragma once
// The batch check of labels: each address of the list is checked on its own
// label (the views inside that label's rectangle), as an envelope is on its
// own pages.

#include <vector>

#include "engine/data/envelope_check.h"
#include "engine/labels/label_sheet.h"

namespace vl {

class TvlAddressBinding;
class TvlReport;

// The page and the rectangle (page units) of the label that row (from 1)
// of the list prints on, the sheet's labels before start left empty.
TvlAddressShare vlLabelShare(const TvlLabelSheet& sheet, int start, int row);

// Checks the labels report prepared over binding's list from label start;
// blanks: the empty records the dataset shows before the list's own.
std::vector<TvlEnvelopeProblem> vlCheckLabels(TvlReport& report, const TvlAddressBinding& binding,
                                              const TvlLabelSheet& sheet, int start, int blanks);

}  // namespace vl
