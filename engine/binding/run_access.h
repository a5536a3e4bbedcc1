#pragma once
// What value resolution needs of page formation: the cursor and line counters
// of the current page and band, and the requests a script makes of them.
// The bands and the formation state live in the layer above; page formation
// puts its answers into its run's context, and outside a run the defaults
// answer 0 and ignore requests, which is what a template outside a run
// (vlreport eval, the designer) should see.

#include <cstdint>
#include <string>

#include "engine/core/value.h"

namespace vl {

class TvlBand;
class TvlPage;
class TvlReport;
class TvlView;

class TvlRunAccess {
 public:
  virtual ~TvlRunAccess() = default;

  // Bands.
  virtual bool HasDataset(TvlBand*) { return false; }
  virtual TvlBand* ChainPrev(TvlBand*) { return nullptr; }
  virtual std::int32_t LineInGroup(TvlBand*) { return 0; }
  virtual std::int32_t LineThrough(TvlBand*) { return 0; }
  virtual void RequestNewPage(TvlBand*) {}
  virtual void RequestNewColumn(TvlBand*) {}
  // NewPageRequests or NewColumnRequests above 0.
  virtual bool HasBreakRequests(TvlBand*) { return false; }
  virtual void KeepCursorY(TvlBand*) {}

  // Pages during formation.
  virtual std::int32_t CursorY(TvlPage*) { return 0; }
  virtual void SetCursorY(TvlPage*, std::int32_t) {}
  virtual std::int32_t CursorBottom(TvlPage*) { return 0; }
  virtual std::int32_t CrossColumnNo(TvlPage*) { return 0; }
  virtual std::int32_t CurrentLine(TvlPage*) { return 0; }
  virtual void ShowBand(TvlPage*, const std::string& /*bandName*/) {}
  // Dialog pages: the form's modal result.
  virtual void SetModalResult(TvlPage*, std::int32_t) {}

  // The report run.
  virtual bool IsFinalPass(TvlReport*) { return false; }
  virtual void RequestStop(TvlReport*) {}
  // The progress window's second label; pending window messages are let through.
  virtual void ShowProgress(const std::string&) {}

  // The aggregate functions SUM 11, MIN 12, MAX 13, AVG 14 and COUNT 15:
  // p1..p3 are the call's raw argument texts. While aggregate calls are
  // being registered this creates the call's accumulator on the data band
  // being registered; otherwise it reads the accumulator into val. The
  // default leaves val as it is (the text "0").
  virtual void Aggregate(int /*code*/, const TvlValue& /*p1*/, const TvlValue& /*p2*/,
                         const TvlValue& /*p3*/, TvlValue& /*val*/) {}

  // The width a text view needs for its expanded text; other views and the
  // default answer their width.
  virtual std::int32_t CalcWidth(TvlView* view);
};

// The access of the run in progress (never null: the defaults outside a
// run). vlSetRunAccess sets it on the context in force; nullptr restores the
// defaults.
TvlRunAccess& vlRunAccess();
void vlSetRunAccess(TvlRunAccess* access);

}  // namespace vl
