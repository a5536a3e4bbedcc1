#pragma once
// TvlBand: one band of a template page while the report is prepared. The
// band tree (band_tree.cpp) makes one per band view, chained by band type and
// linked to its headers, footers, groups and child; band output
// (band_output.cpp) draws it; its accumulators hold the running values of
// the aggregate functions that its footers print.

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/core/value.h"
#include "engine/model/band_kinds.h"
#include "engine/model/band_view.h"
#include "engine/model/codes.h"

namespace vl {

class TvlDataset;
class TvlPageRun;
class TvlView;

// Aggregate function codes, as they appear in accumulator keys.
inline constexpr int kAggSum = 11, kAggMin = 12, kAggMax = 13, kAggAvg = 14, kAggCount = 15;
// Closes every field of an accumulator key.
inline constexpr char kAccumulatorSeparator = '\x01';

// One running aggregate of a data band. The key is made of fields each
// closed by the character 1: [column,] footer name, function code,
// expression, count-invisible flag.
struct TvlAccumulator {
  std::string Key;
  TvlValue Value;
  // The key's fields.
  bool HasColumn = false;
  std::int32_t Column = 0;  // 0 in a cross footer's template entry
  std::string FooterName;
  int Code = 0;
  std::string Expression;
  bool CountInvisible = false;
  // Records folded in since the accumulator's own reset: AVG divides by it,
  // and MIN and MAX take the first value as it comes.
  std::int32_t Records = 0;
  std::string Compiled;  // the expression's postfix form, made on first use
  bool IsCompiled = false;
};

class TvlBand final : public TvlPreparedBand {
 public:
  TvlBand(std::uint8_t type, TvlPageRun* page);
  ~TvlBand() override;
  TvlBand(const TvlBand&) = delete;
  TvlBand& operator=(const TvlBand&) = delete;

  TvlPageRun* Page;              // the page whose tree holds the band
  TvlBandView* View = nullptr;   // none for a band type without a view
  std::uint16_t Flags = 0;       // the band view's flags
  TvlBand *ChainNext = nullptr, *ChainPrev = nullptr, *ChainLast = nullptr;
  TvlBand *GroupNext = nullptr, *GroupPrev = nullptr, *GroupFirst = nullptr, *GroupLast = nullptr;
  TvlBand* ChildLink = nullptr;
  TvlBand* AggregateSource = nullptr;
  TvlBand *HeaderLink = nullptr, *FooterLink = nullptr, *DataLink = nullptr;

  // Side-by-side sub-reports.
  std::size_t SubReportStart = 0;
  std::int32_t SubReportBottom = 0;
  bool SubReportsComplete = true;
  std::vector<bool> SubReportDone;
  std::int32_t SubReportKeepY = 0;        // the cursor the band reaches at least
  std::int32_t SubReportPageNo = 0;       // the prepared page the output began on

  std::int32_t LineInGroup = 1, LineThrough = 1;
  TvlValue GroupValue;  // empty until the group header first prints
  std::vector<TvlAccumulator> Accumulators;
  std::int32_t AccumulatedRecords = 0;
  bool KeepAccumulators = false;
  std::int32_t CalculatedHeight = 0;
  std::int32_t ColumnIndex = 1, ColumnStartX = 0;
  // Where the current row of band columns ends: the bottom of its tallest
  // instance so far, on that prepared page and page column.
  std::int32_t ColumnRowBottom = 0, ColumnRowPage = -1, ColumnRowColumn = 0;
  bool KeepCursorY = false;
  std::int32_t CrossColumnCount = 0;
  bool ScriptDone = false;
  std::int32_t PartHeight = 0;
  std::uint8_t Type;
  std::string Name;
  bool PrintIfSubsetEmpty = false, FormNewPage = false, Stretched = false, BreakedOn = false,
       PrintChildIfInvisible = false;  // working copies of the view's settings
  std::vector<TvlView*> Objects;  // printed with the band, not owned
  std::vector<std::string> Memo, Script;
  TvlDataset* Dataset = nullptr;
  std::unique_ptr<TvlDataset> OwnedDataset;
  TvlDataset* CrossDataset = nullptr;
  std::unique_ptr<TvlDataset> OwnedCrossDataset;
  std::string Condition;  // group headers: the condition in postfix form
  std::int32_t NewPageRequests = 0, NewColumnRequests = 0;
  bool HasCrossViews = false;  // some objects belong to cross bands
  // Where the band lies in the template: its views keep template
  // coordinates, and their tops are taken relative to OriginTop only while
  // the band is measured or drawn (cross views' lefts relative to their
  // cross band's OriginLeft when their cells print).
  std::int32_t OriginTop = 0, OriginLeft = 0;

  // Position, size and visibility (what a script reaches through the view).
  std::int32_t& Left() { return place_.Left; }
  std::int32_t& Top() { return place_.Top; }
  std::int32_t& Width() { return place_.Width; }
  std::int32_t& Height() { return place_.Height; }
  bool& Visible() { return place_.Visible; }
  std::int32_t Height() const { return place_.Height; }

  // A band is drawn only when it has a view, or is the type-22 band with views.
  bool Valid() const { return View != nullptr || (Type == btNone && !Objects.empty()); }
  bool IsDataBand() const { return vlIsDataBandType(Type); }

  // Back to the state the tree was built with: counters at 1, no group
  // value, every accumulator at its start (the final pass of a two-pass
  // report reuses the first pass's tree).
  void RestartRun();

  // ---- Datasets (band.cpp). ----
  // Releases the datasets and resolves the text: a group header compiles it
  // as its condition; other bands take a dataset reference (a count, or a
  // component path), a text holding ";" names none.
  void SetDataSource(const std::string& text);
  void ReleaseDatasets();

  // ---- Accumulators (accumulators.cpp). ----
  // Adds or replaces an entry; its record count starts at 0.
  void SetAccumulator(const std::string& key, const TvlValue& value);
  // The entry's value; AVG divided by its records, MIN and MAX over no
  // records 0; an unknown key gives the text "0".
  TvlValue GetAccumulator(const std::string& key) const;
  // Folds the current record in (the data band printed or skipped a
  // record): crossColumn 0 folds the plain entries; a cross column number
  // folds that column's copies of the cross footer entries, made when missing.
  void FoldRecord(std::int32_t crossColumn = 0);
  // The band prints and ends the accumulators named after it: a group
  // header takes its new group value, a footer resets its source's entries.
  void ResetEndedAccumulators();

  // ---- Output (band_output.cpp). ----
  // Prints the band and its child; true when it was not completely printed
  // on this page (the caller resumes after a page change).
  bool Draw();
  // Continues side-by-side sub-reports interrupted by a page change.
  void ContinueSubReports();
  // The views' height of a stretched band (text measured as printed).
  std::int32_t StretchHeight();

  // TvlPreparedBand: what the band view's properties reach.
  TvlPlace& Place() override { return place_; }
  void SetChild(const std::string& viewName) override;
  bool Breaked() const override { return BreakedOn; }
  void SetBreaked(bool breaked) override { BreakedOn = breaked; }
  void SetGroupCondition(const std::string& condition) override;
  void BindDataSet(const std::string& reference) override { SetDataSource(reference); }
  bool HasDataSet() const override { return Dataset != nullptr; }
  bool DataSetEof() override;
  void DataSetNext() override;
  void DataSetPrior() override;
  void DataSetFirst() override;

 private:
  // Puts the views' tops relative to the band for its lifetime and back
  // afterwards; nested scopes of one band shift once.
  class TvlBandCoordinates {
   public:
    explicit TvlBandCoordinates(TvlBand& band);
    ~TvlBandCoordinates();
    TvlBandCoordinates(const TvlBandCoordinates&) = delete;
    TvlBandCoordinates& operator=(const TvlBandCoordinates&) = delete;

   private:
    TvlBand& band_;
  };
  void ShiftViewTops(std::int32_t dy);
  int relativeDepth_ = 0;

  void Output();
  std::int32_t BandHeight();
  std::int32_t ViewsHeight(bool withCrossViews);
  bool DrawObjects(std::size_t from = 0);
  void DrawObject(TvlView& view);
  // Writes the view into the current prepared page at the given place.
  void PrintView(TvlView& view, std::int32_t left, std::int32_t top);
  void SubReports(std::size_t first);
  void PrintSplit();
  void CrossRow();
  void PrintCells(TvlBand& cross, std::int32_t x);
  void HorizontalRoom(std::int32_t width, std::int32_t& x, std::int32_t rowPage);
  bool MovesWithCursor() const { return vlBandMovesWithCursor(Type); }

  TvlPlace place_;
  std::unordered_map<std::string, std::size_t> accumulatorIndex_;
};

}  // namespace vl
