#pragma once
// The page and report edits (page_edits.h, report_edits.h) as a designer
// window makes them: on its report and current page, recording into its
// histories (none with DisableUndo).

#include "designer/page_edits.h"
#include "designer/report_edits.h"

namespace vl {

class TvlDesignerForm;

TvlPageEdits vlPageEdits(TvlDesignerForm& form);
TvlReportEdits vlReportEdits(TvlDesignerForm& form);
// After an edit that changed something: the report is modified, and Undo
// and Redo follow the histories.
void vlPageEdited(TvlDesignerForm& form);

}  // namespace vl
