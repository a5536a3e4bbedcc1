#pragma once
// The state of one template page while the report is prepared: its band
// tree, the print cursor, page and band columns, the pending bands of the
// data loops, and the recorded actions of a sub-report page. The template
// page itself stays a model object; everything that exists only during a
// run lives here.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/formation/band.h"
#include "engine/model/codes.h"

namespace vl {

class TvlFormation;
class TvlPage;

enum class TvlBuildMode : std::uint8_t { Normal, Recording };

// What a sub-report page recorded while it was formed: replayed later at
// the place of the sub-report view.
enum class TvlActionKind : std::uint8_t { ShowBand = 0, DatasetFirst = 1, DatasetNext = 2 };
struct TvlAction {
  TvlBand* Band;
  TvlActionKind Kind;
};

class TvlPageRun {
 public:
  TvlPageRun(TvlFormation& run, TvlPage& page, int index);
  ~TvlPageRun();
  TvlPageRun(const TvlPageRun&) = delete;
  TvlPageRun& operator=(const TvlPageRun&) = delete;

  TvlFormation& Run;
  TvlPage& Page;
  int Index;  // position among the template pages

  // ---- The band tree (band_tree.cpp). ----
  std::array<TvlBand*, kBandTypeCount> BandChains{};  // first band of each type
  std::vector<std::unique_ptr<TvlBand>> Bands;        // every band of the tree
  bool Prepared = false;
  bool IsSubReportPage = false;
  // Builds the band tree (first or only pass) or, in the final pass of a
  // two-pass report, resets it (band_tree_builder.cpp).
  void PreparePage();
  // Binds views to fields and registers the aggregate calls of the footers.
  void PrepareObjects();
  // Destroys the band tree (kept between the two passes).
  void FinishPage();
  void DestroyTree();
  TvlBand* Chain(int type) const { return BandChains[static_cast<std::size_t>(type)]; }
  // The band whose view is named name (any case), all chains in type order.
  TvlBand* FindBand(const std::string& name) const;

  // ---- Limits and cursor. ----
  std::int32_t LeftMargin = 0, TopMargin = 0, RightMargin = 0, BottomMargin = 0;
  std::int32_t Columns = 1, ColumnWidth = 0, ColumnGap = 0;
  std::int32_t PageColumn = 0, ColumnLeft = 0, ColumnTopY = 0;
  std::int32_t CursorY = 0, CursorBottom = 0;
  // Where the body of a fresh page starts below its page and column
  // headers (measured on the last page opened, estimated before): a band
  // taller than the body fits on no page and splits.
  std::int32_t BodyTop = 0;
  std::int32_t FreshBodyTop() const;
  std::int32_t CrossColumnNo = 1, CurrentLine = 1;
  TvlBand* LastDrawnBand = nullptr;
  bool RepeatHeadersOff = false;

  // ---- Sub-report pages. ----
  TvlBuildMode BuildMode = TvlBuildMode::Normal;
  std::vector<TvlAction> ActionList;
  std::size_t ReplayPosition = 0;
  TvlBand* SuspendedBand = nullptr;
  bool InSubReport = false;  // being recorded or replayed (a page cannot print itself)

  // ---- Page formation (page_formation.cpp). ----
  // Prints the page into the prepared pages.
  void FormPage();
  // Draws the band, or records it on a sub-report page; nothing for none.
  void Show(TvlBand* band);
  void ShowByName(const std::string& name);
  void NewPage();
  void NewColumn(TvlBand* band);
  void ShowPageFooters();
  // True when the band does not fit; then, unless noBreak, a new column or
  // page was started.
  bool PageBreakCheck(TvlBand* band, std::int32_t top, std::int32_t height, bool noBreak = false);
  std::int32_t ColumnFooterHeight() const;
  // LineInGroup := value; the band's text views forget their last value.
  static void ResetCounters(TvlBand* band, std::int32_t value);
  // Replays the recorded actions; true when the page overflowed.
  bool Replay();
  // Runs the page script (compiled on first use) with no current view.
  void RunPageScript();

 private:
  // The steps of PreparePage, in order; placed marks the views handed to a band.
  void RestartTreeForFinalPass();
  void PrepareViews(std::vector<char>& placed);
  void PlaceCrossBands(std::vector<char>& placed);
  void PlaceHorizontalBands(std::vector<char>& placed);
  void ChainBandsByTop();
  void LendReportDataset();
  void CollectViewsOutsideBands(std::vector<char>& placed);
  void LinkLevelHeadersAndFooters();
  void PairGroupFooters();
  void ResolveCrossDatasets();
  void LinkChildBands();
  void AttachGroups();
  void SetLimitsAndColumns();

  void DataLoop(int level);
  void LoopBand(TvlBand* data, int level);
  void Push(TvlBand* band);
  void ShowPending();
  void Record(TvlBand* band, TvlActionKind kind);

  std::vector<TvlBand*> pending_;   // bands waiting for a record below them
  std::uint64_t pendingShows_ = 0;  // counts the times the pending list printed
  int deepestLevel_ = 0;
  std::vector<std::string> compiledScript_;
  bool scriptCompiled_ = false;
};

}  // namespace vl
