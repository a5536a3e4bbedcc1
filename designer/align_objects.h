#pragma once
// The alignment palette's ten commands on a page's selected objects, without
// a window: line up edges and centres, centre in the window, space equally.

#include <vector>

namespace vl {

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

// The objects lying inside a band's height: the row the edges commands lay
// out from a margin when a band is selected.
std::vector<TvlView*> vlBandRow(const TvlPage& page, const TvlView& band);
const TvlView* vlFirstSelectedBand(const TvlPage& page);

}  // namespace vl
