#pragma once
// The changes the designer's commands and gestures make to a page's objects,
// without a window: move, resize, align, fit to the grid, insert, delete,
// z-order and pulling a moved group back onto the paper. Each records its own undo step in the histories given
// (none without them), only when it changes something, and keeps the
// restrictions: objects that may not move or size keep their place or size.
// The window calls these and then repaints.

#include <memory>
#include <string>

#include "designer/undo_history.h"
#include "engine/model/page.h"

namespace vl {

// The name a new band of that type is numbered from ("MasterData" ...).
std::string vlBandBaseName(int bandType);
// A new band of the type, not yet on a page.
std::unique_ptr<TvlView> vlNewBand(int bandType);
// Bands to the front of the list (the overlay band first, cross bands last),
// then the other objects, each group keeping its order.
void vlApplyBandOrder(TvlPage& page);

class TvlPageEdits {
 public:
  // undo: the window's histories, or nullptr (undo disabled).
  TvlPageEdits(TvlPage& page, int pageIndex, TvlUndoBuffers* undo) : page_(page), index_(pageIndex), undo_(undo) {}

  // Every selected object that may move, by (dx, dy).
  bool MoveSelection(int dx, int dy);
  // Every selected object that may be sized, by (dw, dh); never below 0.
  bool ResizeSelection(int dw, int dh);
  // One object's bounds (a handle drag); a size below 0 becomes 0.
  bool SetBounds(TvlView& view, int left, int top, int width, int height);
  // The selected objects that may be deleted; child-band links to a deleted
  // band are cleared.
  bool DeleteSelection();
  // The selected objects that may move go to the front (end of the list) or
  // the back, keeping their order.
  bool ZOrderSelection(bool toFront);
  // One of the alignment palette's commands (TvlAlignCommand) on the
  // selection: anchor is the object the others follow (nullptr: the topmost
  // selected), the window commands centre on a surface of that size. With a
  // band selected the edges commands lay out the band's whole row, and the
  // step keeps the row. False when the selection does not suit the command.
  bool Align(int command, const TvlView* anchor, int surfaceWidth, int surfaceHeight);
  // Positions and sizes of the selected objects that may move, to the
  // nearest grid step (halves to even); a size that rounds to nothing
  // becomes one step.
  bool FitSelectionToGrid(int grid);
  // A new object appended to the page as the only selection, named in the
  // current report from its base name; a band goes into band order.
  TvlView& Insert(std::unique_ptr<TvlView> view);
  // A new band of the type over the bounds given (Insert).
  TvlView& InsertBand(int bandType, const TvlRect& bounds);
  // A selection moved off the paper comes back as a whole: its left and top
  // edges onto the paper, and it never starts past the paper's right or
  // bottom edge. record: as a step of its own (false when the move's step
  // already holds the objects).
  bool KeepSelectionOnPaper(int paperWidth, int paperHeight, bool record);

 private:
  bool Record(TvlUndoKind kind);

  TvlPage& page_;
  int index_;
  TvlUndoBuffers* undo_;
};

}  // namespace vl
