#pragma once
// The changes the designer's commands and gestures make to a page's objects,
// without a window: move, resize, delete, z-order and pulling a moved group
// back onto the paper. Each records its own undo step in the histories given
// (none without them), only when it changes something, and keeps the
// restrictions: objects that may not move or size keep their place or size.
// The window calls these and then repaints.

#include "designer/undo_history.h"
#include "engine/model/page.h"

namespace vl {

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
