// Page formation: a template page printed into the prepared pages. Fixed
// bands open and close pages, the data loops of up to three levels print
// their bands with headers, footers and groups, and bands that do not fit
// move to a new column or page.

#include <exception>

#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/core/value_ops.h"
#include "engine/data/dataset.h"
#include "engine/formation/formation.h"
#include "engine/formation/page_run.h"
#include "engine/model/band_kinds.h"
#include "engine/model/layout_bounds.h"
#include "engine/model/memo_view.h"
#include "engine/model/page.h"
#include "engine/model/report.h"
#include "engine/binding/globals.h"
#include "engine/binding/report_interpretator.h"

namespace vl {
namespace {

bool Differs(const TvlValue& a, const TvlValue& b) {
  try {
    return vlValueCompare(a, b) != 0;
  } catch (const TvlError&) {
    return true;
  }
}

}  // namespace

TvlPageRun::TvlPageRun(TvlFormation& run, TvlPage& page, int index) : Run(run), Page(page), Index(index) {}

TvlPageRun::~TvlPageRun() { DestroyTree(); }

void TvlPageRun::Show(TvlBand* band) {
  if (!band) return;
  if (BuildMode == TvlBuildMode::Recording) {
    Record(band, TvlActionKind::ShowBand);
    // The group checks run while the page is recorded, long before the
    // header is drawn: they compare with the value taken here.
    if (band->Type == btGroupHeader && !band->KeepAccumulators) band->ResetEndedAccumulators();
  } else {
    band->Draw();
  }
}

void TvlPageRun::ShowByName(const std::string& name) {
  if (TvlBand* band = FindBand(name)) band->Draw();
}

void TvlPageRun::Record(TvlBand* band, TvlActionKind kind) { ActionList.push_back({band, kind}); }

void TvlPageRun::Push(TvlBand* band) {
  if (band) pending_.push_back(band);
}

void TvlPageRun::ShowPending() {
  if (pending_.empty()) return;
  std::vector<TvlBand*> list;
  list.swap(pending_);
  ++pendingShows_;
  for (TvlBand* b : list)
    if (b->Valid()) Show(b);
}

void TvlPageRun::ResetCounters(TvlBand* band, std::int32_t value) {
  if (!band) return;
  band->LineInGroup = value;
  for (TvlView* v : band->Objects)
    if (v->Typ == otMemo) static_cast<TvlMemoView*>(v)->LastValue.clear();
}

std::int32_t TvlPageRun::ColumnFooterHeight() const { return Chain(btColumnFooter)->Height(); }

std::int32_t TvlPageRun::FreshBodyTop() const {
  std::int32_t top = TopMargin;
  for (int type : {btPageHeader, btColumnHeader})
    if (const TvlBand* b = Chain(type); b->Valid() && b->View->Visible) top += b->Height();
  return top;
}

bool TvlPageRun::PageBreakCheck(TvlBand* band, std::int32_t top, std::int32_t height, bool noBreak) {
  if (band && band->Type == btColumnFooter) return false;
  if (CursorBottom >= top + height + ColumnFooterHeight()) return false;
  if (!noBreak) NewColumn(band);
  return true;
}

void TvlPageRun::RunPageScript() {
  if (Page.Script.empty()) return;
  if (!scriptCompiled_) {
    std::vector<std::string> errors;
    if (TvlGlobals* g = vlGlobals(); g && g->Interpreter) g->Interpreter->Compile(Page.Script, compiledScript_, errors);
    scriptCompiled_ = true;
  }
  vlState().CurView = nullptr;
  Run.RunScript(compiledScript_);
}

void TvlPageRun::FormPage() {
  TvlEngineState& st = vlState();
  TvlReport& report = Run.Report;
  TvlEMFPages& pages = report.EMFPages;
  const bool normal = BuildMode == TvlBuildMode::Normal;

  // 1. Nothing to print.
  if (!report.PrintIfEmpty) {
    bool empty = true;
    if (TvlDataset* d = Chain(btMasterData)->Dataset) {
      try {
        d->First();
        empty = d->Eof();
      } catch (const std::exception&) {
        empty = true;
      }
    }
    if (empty) {
      if (st.AppendToPrevious) ++st.PageNo;
      return;
    }
  }

  // 2. Open the page.
  RepeatHeadersOff = false;
  if (normal) {
    RunPageScript();
    if (st.AppendToPrevious && st.PreviousCursorY == st.PreviousBottom) {
      // The previous page is full: start a page of its own.
      st.AppendToPrevious = false;
      st.PreviousFooterDone = false;
      st.PageNo = pages.Count();
    }
    CursorBottom = st.AppendToPrevious && st.PreviousFooterDone ? st.PreviousBottom : BottomMargin;
    PageColumn = 0;
    ColumnLeft = LeftMargin;
    if (st.AppendToPrevious) {
      CursorY = st.PreviousCursorY;
    } else {
      Run.AddPreparedPage(*this);
      CursorY = TopMargin;
      Show(Chain(btOverlay));
      Show(Chain(btNone));
    }
  }
  const bool manual = static_cast<bool>(report.OnManualBuild);
  if (!manual) {
    const std::int32_t pageBefore = st.PageNo;
    Show(Chain(btReportTitle));
    if (st.PageNo == pageBefore) {
      TvlBand* header = Chain(btPageHeader);
      if (header->Valid() && (header->Flags & flOnFirstPage)) Show(header);
      Show(Chain(btColumnHeader));
    }
  }
  BodyTop = FreshBodyTop();

  // 3. The data loops.
  if (!manual) {
    deepestLevel_ = 0;
    for (int level = 3; level >= 1; --level)
      if (Chain(vlLevelBandType(level, TvlBandRole::Data))->Valid()) {
        deepestLevel_ = level;
        break;
      }
    pending_.clear();
    if (deepestLevel_ > 0) DataLoop(1);
  }

  // 4. Close the page.
  if (normal) {
    if (manual) {
      report.OnManualBuild(&Page);
    } else {
      RepeatHeadersOff = true;
      TvlBand* columnFooter = Chain(btColumnFooter);
      Show(columnFooter);
      // The summary may use the column footer's space.
      const std::int32_t saved = columnFooter->Height();
      columnFooter->Height() = 0;
      Show(Chain(btReportSummary));
      columnFooter->Height() = saved;
      RepeatHeadersOff = false;
    }
    st.PreviousCursorY = PageColumn > 0 ? BottomMargin : CursorY;
    st.PreviousBottom = CursorBottom;
    PageColumn = 0;
    ColumnLeft = LeftMargin;
    st.PreviousFooterDone = false;
    const std::int32_t before = st.PageNo;
    bool ended = false;
    if (!manual) {
      TvlBand* footer = Chain(btPageFooter);
      if ((footer->Flags & flOnLastPage) || (st.PageNo == 0 && (footer->Flags & flOnFirstPage))) {
        const std::uint16_t saved = footer->Flags;
        footer->Flags |= flOnFirstPage;
        ShowPageFooters();
        footer->Flags = saved;
        st.PreviousFooterDone = footer->Valid();
        ended = true;
      }
    }
    // Pages whose footer printed have had their OnEndPage.
    if (!ended && report.OnEndPage) report.OnEndPage(st.PageNo);
    st.PageNo = before + 1;
  }
  LastDrawnBand = nullptr;
}

void TvlPageRun::DataLoop(int level) {
  for (TvlBand* b = Chain(vlLevelBandType(level, TvlBandRole::Data)); b; b = b->ChainNext) {
    if (!b->View || !b->Dataset) continue;
    LoopBand(b, level);
    if (Run.Report.StopRequested) break;
  }
}

void TvlPageRun::LoopBand(TvlBand* data, int level) {
  TvlReport& report = Run.Report;
  TvlDataset& ds = *data->Dataset;
  const bool recording = BuildMode == TvlBuildMode::Recording;
  const std::size_t mark = pending_.size();
  const std::uint64_t shows = pendingShows_;

  // 1. First record.
  ds.First();
  Run.NoteProgress();
  if (recording) {
    Record(data, TvlActionKind::DatasetFirst);
  } else {
    ResetCounters(data, 1);
    data->LineThrough = 1;
  }
  for (TvlBand* g = data->GroupFirst; g; g = g->GroupNext) {
    ResetCounters(g, 0);
    g->LineThrough = 0;
  }

  // 2. Headers wait for the first record that prints.
  const bool hadRecords = !ds.Eof();
  if (hadRecords) {
    for (TvlBand* g = data->GroupFirst; g; g = g->GroupNext) {
      ++g->LineInGroup;
      ++g->LineThrough;
      Push(g);
    }
    Push(data->HeaderLink);
    if (data->FooterLink) data->FooterLink->ResetEndedAccumulators();
  }

  // 3. The records.
  while (!ds.Eof() && !report.StopRequested) {
    Push(data);
    if (data->PrintIfSubsetEmpty) ShowPending();
    bool printed = true;
    if (level < deepestLevel_) {
      DataLoop(level + 1);
      if (!pending_.empty()) {
        // The level below printed nothing.
        if (data->PrintIfSubsetEmpty) {
          ShowPending();
        } else {
          pending_.pop_back();
          printed = false;
        }
      }
    } else {
      ShowPending();
    }
    ds.Next();
    Run.NoteProgress();

    // Group breaks: the first group whose value changed ends itself and
    // every group inside it.
    for (TvlBand* g = data->GroupFirst; g; g = g->GroupNext) {
      const bool eof = ds.Eof();
      if (!eof && !g->GroupValue.IsEmpty() && !Differs(Run.EvaluatePostfix(g->Condition), g->GroupValue))
        continue;
      bool steppedBack = false;
      if (!eof) {
        try {
          ds.Prior();
          steppedBack = true;
        } catch (const TvlError&) {
          // The footers print with the values at hand.
        }
      }
      for (TvlBand* h = data->GroupLast; h && h != g; h = h->GroupPrev) {
        Push(h->FooterLink);
        ResetCounters(h, 0);
        ResetCounters(h->FooterLink, 0);
      }
      Push(g->FooterLink);
      ShowPending();
      if (eof) break;
      if (steppedBack) ds.Next();
      if (g->FormNewPage && g->Visible()) NewPage();
      for (TvlBand* h = g; h; h = h->GroupNext) {
        Push(h);
        ++h->LineInGroup;
        ++h->LineThrough;
      }
      ResetCounters(data, 0);
      break;
    }

    if (recording) {
      Record(data, TvlActionKind::DatasetNext);
    } else if (printed) {
      ++CurrentLine;
      ++data->LineThrough;
      ++data->LineInGroup;
      if (!ds.Eof() && data->FormNewPage && data->Visible()) NewPage();
    }
  }

  // 4. A level that printed something closes with its footer; headers of a
  // level that printed nothing are dropped (only this level's: the levels
  // above drop their own). A level without records of its own closes with
  // its footer too, unless a band above still waits for output.
  if (pendingShows_ != shows) {
    pending_.clear();
    Show(data->FooterLink);
  } else if (pending_.size() > mark) {
    pending_.resize(mark);
  } else if (!hadRecords && pending_.empty()) {
    Show(data->FooterLink);
  }
}

void TvlPageRun::NewPage() {
  TvlEngineState& st = vlState();
  struct Depth {
    int& d;
    explicit Depth(int& depth) : d(depth) { ++d; }
    ~Depth() { --d; }
  } depth(Run.newPageDepth_);
  if (Run.newPageDepth_ > 32) Run.ReportError(Run.NoProgressMessage());
  if (Run.Report.StopRequested) return;
  Run.Progress(st.PageNo + 1);
  if (!RepeatHeadersOff) Show(Chain(btColumnFooter));
  ShowPageFooters();
  CursorBottom = BottomMargin;
  Run.AddPreparedPage(*this);
  st.AppendToPrevious = false;
  Show(Chain(btOverlay));
  CursorY = TopMargin;
  Show(Chain(btPageHeader));
  Show(Chain(btColumnHeader));
  BodyTop = CursorY;
}

void TvlPageRun::ShowPageFooters() {
  TvlEngineState& st = vlState();
  TvlReport& report = Run.Report;
  PageColumn = 0;
  ColumnLeft = LeftMargin;
  TvlBand* footer = Chain(btPageFooter);
  if (!(st.PageNo == 0 && !(footer->Flags & flOnFirstPage))) {
    for (; st.PageNo < report.EMFPages.Count(); ++st.PageNo) {
      if (st.AppendToPrevious && st.PreviousFooterDone) continue;
      if (report.OnEndPage) report.OnEndPage(st.PageNo);
      Show(footer);
    }
  }
  st.PageNo = report.EMFPages.Count();
}

void TvlPageRun::NewColumn(TvlBand* band) {
  if (PageColumn < Columns - 1) {
    Show(Chain(btColumnFooter));
    ++PageColumn;
    ColumnLeft = vlClampTo32(std::int64_t{ColumnLeft} + ColumnWidth + ColumnGap);
    CursorY = ColumnTopY;
    Show(Chain(btColumnHeader));
  } else {
    NewPage();
  }
  for (TvlBand* g = Chain(btGroupHeader); g && g != band; g = g->ChainNext) {
    if (!g->View) continue;
    g->KeepAccumulators = true;
    if ((g->Flags & flRepeatHeader) && !RepeatHeadersOff) Show(g);
    g->KeepAccumulators = false;
  }
  if (band && band->IsDataBand() && band->HeaderLink && (band->HeaderLink->Flags & flRepeatHeader))
    Show(band->HeaderLink);
}

bool TvlPageRun::Replay() {
  TvlReport& report = Run.Report;
  while (ReplayPosition < ActionList.size() && !report.StopRequested) {
    const TvlAction a = ActionList[ReplayPosition];
    switch (a.Kind) {
      case TvlActionKind::ShowBand:
        if (SuspendedBand) {
          SuspendedBand->ContinueSubReports();
          if (SuspendedBand) return true;
        } else if (a.Band->Draw()) {
          return true;
        }
        break;
      case TvlActionKind::DatasetFirst:
        if (a.Band->Dataset) a.Band->Dataset->First();
        ResetCounters(a.Band, 1);
        Run.NoteProgress();
        break;
      case TvlActionKind::DatasetNext:
        if (a.Band->Dataset) a.Band->Dataset->Next();
        ++CurrentLine;
        ++a.Band->LineThrough;
        ++a.Band->LineInGroup;
        Run.NoteProgress();
        break;
    }
    ++ReplayPosition;
  }
  return false;
}

}  // namespace vl
