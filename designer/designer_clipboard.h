#pragma once
// The designer's own clipboard: one memory stream per copied object (type
// code, class name, the object's design form at the current stream version).
// It lives for the whole program run, so objects copied in one template can
// be pasted on another page or into another template.

#include <string>
#include <vector>

#include "engine/model/view.h"

namespace vl {

class TvlPage;

std::vector<std::string>& vlDesignerClipboard();

// Replaces the clipboard with the selected objects of the page, in list order.
void vlCopySelection(const TvlPage& page);

// Where pasted objects go: the grid, and the surface's offset when it is
// scrolled (negative values), so that the group lands at the first grid
// position in view.
// Where a paste lands: at the mouse when it is over the page, otherwise at
// the visible area's top-left, but never above or left of the printable
// area (where the band captions are).
struct TvlPastePlace {
  int Grid = 4;
  int SurfaceLeft = 0, SurfaceTop = 0;  // the surface's position in the scrolled area
  int MinLeft = 0, MinTop = 0;          // the printable area's top-left
  bool AtMouse = false;
  int MouseX = 0, MouseY = 0;           // surface coordinates
};

// Pastes the clipboard onto the page: selected non-bands are unselected, the
// first selected band (if any) is the target whose top every pasted object
// takes; a unique band type the page already has and a one-per-page object
// the page already holds are skipped; names already taken in the current
// report are made unique. The pasted objects are appended, selected, and
// returned. A damaged entry is skipped.
std::vector<TvlView*> vlPasteClipboard(TvlPage& page, const TvlPastePlace& place);

// Band types that may appear only once on a page.
bool vlIsUniqueBandType(int bandType);

}  // namespace vl
