#pragma once
// The "Alignment" palette of the designer window (right dock): ten commands
// that line up, centre and space the selected objects, each one undo step.

#include <vector>

namespace vl {

class TvlDesignerForm;
class TvlPage;
class TvlView;

// Align1 ... Align10 in palette order.
enum TvlAlignCommand : int {
  acLeftEdges = 1,
  acHCenters,
  acHCenterInWindow,
  acHSpace,
  acRightEdges,
  acTops,
  acVCenters,
  acVCenterInWindow,
  acVSpace,
  acBottoms,
};

// The least number of selected objects a command needs (a band row for the
// edges commands needs only the band).
int vlAlignMinimum(int command);
// Applies a command to the selected objects of the page: anchor is the
// object the others follow (the surface's anchor or the topmost selected
// object); the window commands centre on a surface of that size. Objects
// that may not move keep their place. False when the selection does not
// suit the command (nothing changed).
bool vlAlignObjects(TvlPage& page, int command, const TvlView* anchor, int surfaceWidth, int surfaceHeight);

// Adds the commands "Align1" ... "Align10" and their buttons to the window's
// "Alignment" toolbar.
void vlAddAlignmentPalette(TvlDesignerForm& form);
// Runs one command on the window's selection (moving allowed, one undo step).
void vlRunAlignCommand(TvlDesignerForm& form, int command);

}  // namespace vl
