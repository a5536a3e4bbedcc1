// Band output: a band's script, its height (stretching included), its
// placement at the page cursor or on a new column or page, its views
// written into the prepared page, band columns, child bands and
// side-by-side sub-reports.

#include <algorithm>
#include <exception>

#include "engine/core/engine_state.h"
#include "engine/formation/band.h"
#include "engine/formation/formation.h"
#include "engine/formation/page_run.h"
#include "engine/model/band_kinds.h"
#include "engine/model/layout_bounds.h"
#include "engine/model/memo_view.h"
#include "engine/model/page.h"
#include "engine/model/print_sink.h"
#include "engine/model/report.h"
#include "engine/model/subreport_view.h"

namespace vl {
namespace {

// Children drawing children: a cycle of child links is cut at this depth.
constexpr int kMaxChildDepth = 64;

}  // namespace

bool TvlBand::Draw() {
  TvlBandCoordinates coordinates(*this);
  TvlPageRun& P = *Page;
  TvlFormation& run = P.Run;
  TvlReport& report = run.Report;
  TvlEngineState& st = vlState();
  const bool savedBreaked = BreakedOn;
  st.CurView = View;
  st.CurBand = this;
  st.CurPage = &P.Page;
  CalculatedHeight = -1;
  NewPageRequests = NewColumnRequests = 0;
  if (report.OnBeginBand) report.OnBeginBand(this);

  // An unfinished row of band columns ends below its tallest instance.
  if (TvlBand* last = P.LastDrawnBand; last && last != this && last->Valid() && last->ColumnIndex > 1) {
    P.ColumnLeft = last->ColumnStartX;
    P.CursorY += std::max(last->Height(), last->CalculatedHeight);
    if (last->ColumnRowPage == st.PageNo && last->ColumnRowColumn == P.PageColumn)
      P.CursorY = std::max(P.CursorY, last->ColumnRowBottom);
    last->ColumnIndex = 1;
  }

  KeepCursorY = false;
  if (!ScriptDone) {
    try {
      run.RunScript(Script);
    } catch (const std::exception& e) {
      run.ReportError(e);
    }
  }
  ScriptDone = false;
  const std::int32_t rememberedY = P.CursorY;
  if (report.StopRequested) {
    BreakedOn = savedBreaked;
    return false;
  }
  for (int i = 0; i < NewPageRequests && !report.StopRequested; ++i) {
    P.PageColumn = P.Columns - 1;
    P.NewColumn(this);
  }
  for (int i = 0; i < NewColumnRequests && !report.StopRequested; ++i) P.NewColumn(this);
  if (KeepCursorY) P.CursorY = rememberedY;

  bool result = false;
  auto drawChild = [this, &run]() {
    if (!ChildLink || run.ChildDepth >= kMaxChildDepth) return;
    ++run.ChildDepth;
    try {
      ChildLink->Draw();
    } catch (...) {
      --run.ChildDepth;
      throw;
    }
    --run.ChildDepth;
  };
  if (!Visible()) {
    if (PrintChildIfInvisible) drawChild();
    if (IsDataBand()) FoldRecord();
  } else {
    if (Type == btColumnHeader) P.ColumnTopY = P.CursorY;
    if (Type == btPageFooter) Top() = P.CursorBottom;
    if (Valid()) {
      CalculatedHeight = std::max(CalculatedHeight, Height());
      if (Type != btPageFooter && Type != btOverlay && Type != btColumnFooter && Type != btNone) {
        const std::int32_t h = BandHeight();
        if (P.CursorY + h > P.CursorBottom && !BreakedOn) {
          // Taller than the body of a fresh page (or already at its top):
          // the band fits on no page and is split instead of being pushed
          // on forever. A band that fits a fresh page moves there whole.
          const bool fitsNoPage = P.CursorY == P.TopMargin || P.CursorY <= P.BodyTop ||
                                  h > P.BottomMargin - P.BodyTop - P.ColumnFooterHeight();
          if (fitsNoPage) {
            BreakedOn = true;
          } else {
            result = true;
            if (P.IsSubReportPage) {
              BreakedOn = savedBreaked;
              return true;
            }
            P.PageBreakCheck(this, P.CursorY, 10000);
          }
        }
      }
      SubReportsComplete = true;
      if (report.StopRequested) {
        BreakedOn = savedBreaked;
        return result;
      }
      if (IsDataBand() && ChainNext && !ChainNext->Dataset && Dataset) {
        // Data bands without a dataset of their own print with this one.
        for (TvlBand* b = this; b; b = b->ChainNext) {
          if (b != this && b->Dataset) break;
          if (b->Visible() && b->Valid()) b->Output();
        }
      } else {
        Output();
        drawChild();
        if (!IsDataBand() && Type != btGroupHeader && FormNewPage && Visible()) P.NewPage();
      }
      if (!SubReportsComplete) result = true;
    }
  }

  if (!KeepAccumulators && (Type != btPageFooter || st.PageNo == report.EMFPages.Count() - 1))
    ResetEndedAccumulators();
  if (report.OnEndBand) report.OnEndBand(this);
  BreakedOn = savedBreaked;
  return result;
}

std::int32_t TvlBand::BandHeight() {
  std::int32_t result = 0;
  if (IsDataBand() && ChainNext && !ChainNext->Dataset && Dataset) {
    for (TvlBand* b = this; b; b = b->ChainNext) {
      if (b != this && b->Dataset) break;
      if (b != this) b->CalculatedHeight = b->Height();
      result += b->Stretched ? b->StretchHeight() : b->Height();
    }
  } else {
    result = Stretched ? StretchHeight() : Height();
  }
  CalculatedHeight = std::max(CalculatedHeight, result);
  return result;
}

std::int32_t TvlBand::ViewsHeight(bool withCrossViews) {
  std::int32_t result = Height();
  TvlEngineState& st = vlState();
  for (TvlView* v : Objects) {
    if (!withCrossViews && v->Parent != this) continue;
    // Every text and line counts, stretched or not: the band is as tall as
    // its tallest content.
    if (v->Height <= 0) continue;
    auto* s = dynamic_cast<TvlStretcheable*>(v);
    if (!s) continue;
    st.CurView = v;
    try {
      result = std::max(result, v->Top + s->CalcHeight());
    } catch (const std::exception& e) {
      Page->Run.ReportError(e);
      break;
    }
  }
  st.CurView = View;
  return result;
}

std::int32_t TvlBand::StretchHeight() {
  TvlBandCoordinates coordinates(*this);
  TvlPageRun& P = *Page;
  TvlReport& report = P.Run.Report;
  std::int32_t result = Height();
  if (HasCrossViews && Type != btPageFooter) {
    P.CrossColumnNo = 1;
    if (report.OnBeginColumn) report.OnBeginColumn(this);
    TvlBand& cross = *P.Chain(btCrossData);
    TvlDataset* d = cross.Valid() ? (cross.Dataset ? cross.Dataset : CrossDataset) : nullptr;
    if (d) {
      d->First();
      while (!d->Eof() && !report.StopRequested) {
        std::int32_t width = cross.Width();  // a change made here is for printing only
        if (report.OnPrintColumn) report.OnPrintColumn(P.CrossColumnNo, width);
        const std::int32_t h = ViewsHeight(true);
        for (TvlView* v : Objects)
          if (v->Parent != this)
            if (auto* s = dynamic_cast<TvlStretcheable*>(v)) s->DrawPhase = 0;
        CalculatedHeight = h;
        result = std::max(result, h);
        ++P.CrossColumnNo;
        d->Next();
      }
    }
  } else {
    result = ViewsHeight(false);
  }
  CalculatedHeight = std::max(CalculatedHeight, result);
  return result;
}

void TvlBand::Output() {
  TvlBandCoordinates coordinates(*this);
  TvlPageRun& P = *Page;
  const std::int32_t savedTop = Top();
  if (MovesWithCursor()) Top() = P.CursorY;
  if (!vlIsPageFurniture(Type)) P.Run.NoteProgress();
  bool subReports = false;
  if (Stretched) {
    std::int32_t h = CalculatedHeight;
    std::vector<std::int32_t> heights;
    heights.reserve(Objects.size());
    for (TvlView* v : Objects) {
      heights.push_back(v->Height);
      if ((v->Flags & flStretched) && v->Height > 0 && dynamic_cast<TvlStretcheable*>(v)) v->Height = h - v->Top;
    }
    PartHeight = h;
    if (!BreakedOn && MovesWithCursor()) {
      P.PageBreakCheck(this, Top(), h);
      Top() = P.CursorY;
    }
    if (BreakedOn) {
      PrintSplit();
      h = 0;
    } else {
      subReports = DrawObjects();
      if (HasCrossViews && Type != btPageFooter) CrossRow();
    }
    for (std::size_t i = 0; i < Objects.size(); ++i) Objects[i]->Height = heights[i];
    if (!subReports && MovesWithCursor()) P.CursorY += h;
  } else {
    if (MovesWithCursor()) {
      if (!BreakedOn) P.PageBreakCheck(this, Top(), Height());
      Top() = P.CursorY;
    }
    if (BreakedOn) {
      PartHeight = CalculatedHeight;
      PrintSplit();
    } else {
      subReports = DrawObjects();
      if (HasCrossViews && Type != btPageFooter) CrossRow();
      if (MovesWithCursor() && !subReports) P.CursorY += Height();
    }
  }

  // Band columns: the next instance prints to the right until the row is full.
  if (P.LastDrawnBand != this) ColumnIndex = 1;
  P.LastDrawnBand = this;
  if (View && View->Columns > 1 && View->NewColumnAfter == 1) {
    // The row ends below its tallest instance (on the page it ends on).
    const bool rowGoesOn = ColumnIndex > 1 && ColumnRowPage == vlState().PageNo && ColumnRowColumn == P.PageColumn;
    ColumnRowBottom = rowGoesOn ? std::max(ColumnRowBottom, P.CursorY) : P.CursorY;
    ColumnRowPage = vlState().PageNo;
    ColumnRowColumn = P.PageColumn;
    if (ColumnIndex == 1) ColumnStartX = P.ColumnLeft;
    ++ColumnIndex;
    if (ColumnIndex > View->Columns) {
      P.ColumnLeft = ColumnStartX;
      ColumnIndex = 1;
      P.CursorY = ColumnRowBottom;
    } else {
      P.ColumnLeft = vlClampTo32(std::int64_t{ColumnStartX} +
                                 (std::int64_t{View->ColumnWidth} + View->ColumnGap) * (ColumnIndex - 1));
      P.CursorY -= CalculatedHeight;
    }
  }
  Top() = savedTop;
  if (IsDataBand()) FoldRecord();
}

bool TvlBand::DrawObjects(std::size_t from) {
  TvlReport& report = Page->Run.Report;
  for (std::size_t i = from; i < Objects.size(); ++i) {
    TvlView* v = Objects[i];
    if (v->Typ == otSubReport && v->Visible) {
      SubReports(i);
      return true;
    }
    DrawObject(*v);
    if (report.StopRequested) break;
  }
  return false;
}

void TvlBand::DrawObject(TvlView& v) {
  // Views of cross bands print with their cross cells.
  if (v.Parent != this && v.Parent && vlIsVerticalBand(static_cast<TvlBand*>(v.Parent)->Type)) return;
  if (v.Typ == otSubReport) return;
  TvlPageRun& P = *Page;
  TvlEngineState& st = vlState();
  st.CurPage = &P.Page;
  st.CurBand = this;
  try {
    if (BreakedOn || !st.FirstPassOnly) {
      PrintView(v, vlClampTo32(std::int64_t{v.Left} + P.ColumnLeft - P.LeftMargin),
                vlClampTo32(std::int64_t{v.Top} + Top()));
    } else {
      // The first pass of a two-pass report writes nothing; scripts still run.
      st.CurView = &v;
      auto* s = dynamic_cast<TvlStretcheable*>(&v);
      if (s && v.Typ == otMemo && s->DrawPhase != 0) s->DrawPhase = 0;
      else P.Run.RunViewScript(v);
    }
  } catch (const std::exception& e) {
    P.Run.ReportError(e);
  }
}

void TvlBand::PrintView(TvlView& v, std::int32_t left, std::int32_t top) {
  TvlFormation& run = Page->Run;
  TvlEMFPages& pages = run.Report.EMFPages;
  const std::int32_t pageNo = vlState().PageNo;
  if (pageNo < 0 || pageNo >= pages.Count()) return;
  struct Restore {
    TvlView& v;
    std::int32_t l, t, w, h;
    ~Restore() {
      v.Left = l;
      v.Top = t;
      v.Width = w;
      v.Height = h;
    }
  } restore{v, v.Left, v.Top, v.Width, v.Height};
  run.PrintingTemplateTop = v.Top;
  v.Left = left;
  v.Top = top;
  TvlStreamPrintSink sink(pages.StreamOf(pageNo));
  v.Print(sink);
}

void TvlBand::SubReports(std::size_t first) {
  TvlPageRun& P = *Page;
  TvlEngineState& st = vlState();
  SubReportKeepY = P.CursorY + (Height() < 1 ? 0 : Height());
  SubReportPageNo = st.PageNo;
  SubReportStart = first;
  SubReportDone.assign(Objects.size(), true);
  for (std::size_t i = first; i < Objects.size(); ++i) {
    TvlView* v = Objects[i];
    if (v->Typ != otSubReport || !v->Visible) continue;
    TvlPageRun* q = P.Run.PageRun(static_cast<TvlSubReportView*>(v)->TargetPage);
    // A page cannot print itself, not even through other sub-reports.
    if (!q || q == &P || q->InSubReport || !q->Prepared) continue;
    q->InSubReport = true;
    q->BuildMode = TvlBuildMode::Recording;
    q->ActionList.clear();
    q->FormPage();
    q->CursorY = Top() + v->Top;
    q->CursorBottom = P.CursorBottom;
    q->ColumnLeft = P.ColumnLeft + v->Left;
    q->LeftMargin = P.LeftMargin;
    q->TopMargin = P.TopMargin;
    q->RightMargin = P.RightMargin;
    q->BottomMargin = P.BottomMargin;
    q->BodyTop = P.BodyTop;
    q->Columns = 1;
    q->ReplayPosition = 0;
    SubReportDone[i] = false;
  }
  P.SuspendedBand = nullptr;
  ContinueSubReports();
}

void TvlBand::ContinueSubReports() {
  TvlPageRun& P = *Page;
  TvlReport& report = P.Run.Report;
  TvlEngineState& st = vlState();
  auto pageOf = [&](std::size_t i) {
    return P.Run.PageRun(static_cast<TvlSubReportView*>(Objects[i])->TargetPage);
  };
  do {
    if (!SubReportsComplete)
      for (std::size_t i = SubReportStart; i < Objects.size(); ++i)
        if (!SubReportDone[i]) {
          TvlPageRun* q = pageOf(i);
          q->CursorY = P.CursorY;
          q->CursorBottom = P.CursorBottom;
          q->BodyTop = P.BodyTop;
        }
    SubReportsComplete = true;
    SubReportBottom = P.CursorY;
    for (std::size_t i = SubReportStart; i < Objects.size(); ++i) {
      if (SubReportDone[i]) continue;
      TvlPageRun* q = pageOf(i);
      if (q->Replay()) {
        SubReportsComplete = false;
      } else {
        SubReportDone[i] = true;
        SubReportBottom = std::max(SubReportBottom, q->CursorY);
      }
    }
    if (!SubReportsComplete) {
      if (P.IsSubReportPage) {
        // Nested: the page replaying this band resumes it after its page change.
        P.SuspendedBand = this;
        return;
      }
      if (st.CurBand) st.CurBand->ScriptDone = true;
      P.NewPage();
    }
  } while (!SubReportsComplete && !report.StopRequested);

  for (std::size_t i = SubReportStart; i < Objects.size(); ++i) {
    if (Objects[i]->Typ != otSubReport) continue;
    if (TvlPageRun* q = pageOf(i); q && q->InSubReport && q != &P) {
      q->ActionList.clear();
      q->InSubReport = false;
      q->BuildMode = TvlBuildMode::Normal;
    }
  }
  P.CursorY += std::max(CalculatedHeight, SubReportBottom - P.CursorY);
  P.SuspendedBand = nullptr;
  if (st.PageNo == SubReportPageNo && P.CursorY < SubReportKeepY) P.CursorY = SubReportKeepY;
}

}  // namespace vl
