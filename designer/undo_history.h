#pragma once
// The designer's two bounded histories of changes: object-level steps on a
// page keep what is needed to put the page back (the IDs of inserted
// objects, copies of deleted and edited ones, the indexes of a z-order
// change); report-level steps keep the whole page list (pages added,
// removed, their options changed) or the report's data sources, and apply
// whichever page is current. Undoing a step pushes its inverse onto the
// other history.

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "engine/model/page.h"
#include "engine/model/report_data_sources.h"
#include "engine/model/view.h"

namespace vl {

class TvlReport;

enum TvlUndoKind : std::uint8_t {
  ukInsert = 0,
  ukDelete = 1,
  ukEdit = 2,
  ukZOrder = 3,
  ukPages = 4,        // the whole page list
  ukDataSources = 5,  // the report's own data sources
};

// The page index of report-level steps: they belong to no one page.
inline constexpr int kAnyPage = -1;

struct TvlUndoEntry {
  std::int32_t ID = 0;
  std::unique_ptr<TvlView> Copy;  // delete and edit entries
  int Index = 0;
};

struct TvlUndoStep {
  TvlUndoKind Kind = ukEdit;
  int PageIndex = 0;
  std::vector<TvlUndoEntry> Entries;           // in object-list order
  std::vector<std::unique_ptr<TvlPage>> Pages;  // ukPages
  std::vector<TvlReportDataSource> Sources;     // ukDataSources
};

// A copy of a view: the same type and class, assigned from it, with its ID.
std::unique_ptr<TvlView> vlCopyView(TvlView& view);
// A page's record as the template stores it (in the present stream form).
std::string vlPageRecord(const TvlPage& page);
// A copy of a page: its record and copies of its views, IDs kept.
std::unique_ptr<TvlPage> vlCopyPage(const TvlPage& page);
// A report-level step of the report as it stands (ukPages or ukDataSources).
TvlUndoStep vlMakeReportStep(TvlUndoKind kind, const TvlReport& report);

class TvlUndoHistory {
 public:
  static constexpr std::size_t kCapacity = 100;
  bool Empty() const { return steps_.empty(); }
  // The newest step belongs to no one page (the history must not be empty).
  bool NewestIsReportLevel() const { return steps_.back().PageIndex == kAnyPage; }
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
  // A step made before a change (vlMakeReportStep), pushed once the change
  // is made; empties the redo history.
  void Push(TvlUndoStep step);
  // Undo and Redo: nothing happens (false) when the history is empty or its
  // newest step belongs to another page.
  bool Undo(TvlPage& page, int pageIndex) { return Revert(UndoSteps, RedoSteps, page, pageIndex); }
  bool Redo(TvlPage& page, int pageIndex) { return Revert(RedoSteps, UndoSteps, page, pageIndex); }
  // The same over a report, report-level steps included: pageIndex is the
  // current page.
  bool Undo(TvlReport& report, int pageIndex) { return Revert(UndoSteps, RedoSteps, report, pageIndex); }
  bool Redo(TvlReport& report, int pageIndex) { return Revert(RedoSteps, UndoSteps, report, pageIndex); }
  void Clear() {
    UndoSteps.Clear();
    RedoSteps.Clear();
  }

 private:
  static bool Revert(TvlUndoHistory& from, TvlUndoHistory& to, TvlPage& page, int pageIndex);
  static bool Revert(TvlUndoHistory& from, TvlUndoHistory& to, TvlReport& report, int pageIndex);
};

}  // namespace vl
