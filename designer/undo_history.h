#pragma once
// The designer's two bounded histories of object-level changes on a page:
// each step keeps what is needed to put the page back (the IDs of inserted
// objects, copies of deleted and edited ones, the indexes of a z-order
// change). Undoing a step pushes its inverse onto the other history.

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "engine/model/view.h"

namespace vl {

class TvlPage;

enum TvlUndoKind : std::uint8_t { ukInsert = 0, ukDelete = 1, ukEdit = 2, ukZOrder = 3 };

struct TvlUndoEntry {
  std::int32_t ID = 0;
  std::unique_ptr<TvlView> Copy;  // delete and edit entries
  int Index = 0;
};

struct TvlUndoStep {
  TvlUndoKind Kind = ukEdit;
  int PageIndex = 0;
  std::vector<TvlUndoEntry> Entries;  // in object-list order
};

// A copy of a view: the same type and class, assigned from it, with its ID.
std::unique_ptr<TvlView> vlCopyView(TvlView& view);

class TvlUndoHistory {
 public:
  static constexpr std::size_t kCapacity = 100;
  bool Empty() const { return steps_.empty(); }
  std::size_t Count() const { return steps_.size(); }
  const TvlUndoStep& Newest() const { return steps_.back(); }
  // A full history drops its oldest step first.
  void Push(TvlUndoStep step);
  TvlUndoStep Pop();
  void Clear() { steps_.clear(); }

 private:
  std::deque<TvlUndoStep> steps_;
};

// A step of the kind over the objects given with their indexes (object-list
// order); objects carrying flNoUndo are left out.
TvlUndoStep vlMakeUndoStep(TvlUndoKind kind, int pageIndex, const std::vector<std::pair<TvlView*, int>>& objects);

// Both histories of a designer window.
class TvlUndoBuffers {
 public:
  TvlUndoHistory UndoSteps, RedoSteps;

  // Records a step before (delete, edit, z-order) or after (insert) a change:
  // the selected objects of the page (every object for z-order). Empties the
  // redo history. False when nothing was recorded.
  bool Record(TvlUndoKind kind, TvlPage& page, int pageIndex);
  // Undo and Redo: nothing happens (false) when the history is empty or its
  // newest step belongs to another page.
  bool Undo(TvlPage& page, int pageIndex) { return Revert(UndoSteps, RedoSteps, page, pageIndex); }
  bool Redo(TvlPage& page, int pageIndex) { return Revert(RedoSteps, UndoSteps, page, pageIndex); }
  void Clear() {
    UndoSteps.Clear();
    RedoSteps.Clear();
  }

 private:
  static bool Revert(TvlUndoHistory& from, TvlUndoHistory& to, TvlPage& page, int pageIndex);
};

}  // namespace vl
