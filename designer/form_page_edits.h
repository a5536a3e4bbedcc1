#pragma once
// The page edits (page_edits.h) as a designer window makes them: on its
// current page, recording into its histories (none with DisableUndo).

#include "designer/page_edits.h"

namespace vl {

class TvlDesignerForm;

TvlPageEdits vlPageEdits(TvlDesignerForm& form);
// After an edit that changed something: the report is modified, and Undo
// and Redo follow the histories.
void vlPageEdited(TvlDesignerForm& form);

}  // namespace vl
