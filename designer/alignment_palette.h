#pragma once
// The "Alignment" palette of the designer window (right dock): ten commands
// that line up, centre and space the selected objects, each one undo step.

#include "designer/align_objects.h"

namespace vl {

class TvlDesignerForm;

// Adds the commands "Align1" ... "Align10" and their buttons to the window's
// "Alignment" toolbar.
void vlAddAlignmentPalette(TvlDesignerForm& form);
// Runs one command on the window's selection (moving allowed, one undo step).
void vlRunAlignCommand(TvlDesignerForm& form, int command);

}  // namespace vl
