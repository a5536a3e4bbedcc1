#include "designer/form_page_edits.h"

#include "designer/designer_form.h"

namespace vl {

TvlPageEdits vlPageEdits(TvlDesignerForm& form) {
  return TvlPageEdits(*form.Page, form.CurPage(), form.Options.DisableUndo ? nullptr : &form.UndoBuffers);
}

TvlReportEdits vlReportEdits(TvlDesignerForm& form) {
  return TvlReportEdits(form.Report, form.Options.DisableUndo ? nullptr : &form.UndoBuffers);
}

void vlPageEdited(TvlDesignerForm& form) {
  form.SetModified(true);
  form.Command("Undo")->setEnabled(!form.UndoBuffers.UndoSteps.Empty());
  form.Command("Redo")->setEnabled(!form.UndoBuffers.RedoSteps.Empty());
}

}  // namespace vl
