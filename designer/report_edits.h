#pragma once
// The changes the designer makes to a report beyond one page's objects,
// without a window: pages added and removed, a page's options, the report's
// own data sources. Each records one report-level undo step in the
// histories given (none without them), and only when something changed.

#include <functional>

#include "designer/undo_history.h"
#include "engine/model/report_data_sources.h"

namespace vl {

class TvlReport;
class TvlPage;

class TvlReportEdits {
 public:
  // undo: the window's histories, or nullptr (undo disabled).
  TvlReportEdits(TvlReport& report, TvlUndoBuffers* undo) : report_(report), undo_(undo) {}

  // A new page of the type (TvlPageType) at the end, named "Page" and the
  // first number no page has. setUp (the page options, say) may refuse it:
  // the page goes again and nullptr comes back.
  TvlPage* AddPage(std::uint8_t pageType, const std::function<bool(TvlPage&)>& setUp = nullptr);
  // Removes a page, never the only one; sub-reports that show it go, those
  // that show a later page follow it to its new index.
  bool DeletePage(int index);
  // change edits the page's options (true when confirmed); a step when the
  // page's record changed.
  bool ChangePage(int index, const std::function<bool(TvlPage&)>& change);
  // The report's data sources become these; a step when they differ.
  bool SetDataSources(const TvlReportDataSources& sources);

 private:
  void Push(TvlUndoStep step);

  TvlReport& report_;
  TvlUndoBuffers* undo_;
};

}  // namespace vl
