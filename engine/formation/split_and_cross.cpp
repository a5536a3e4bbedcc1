// Two special forms of band output: a band split across pages (views cut at
// the page bottom and continued on the next page) and the cells of cross
// bands printed across a horizontal band, continuing on further prepared
// pages when the columns do not fit.

#include <algorithm>
#include <exception>

#include "engine/core/engine_state.h"
#include "engine/data/dataset.h"
#include "engine/formation/band.h"
#include "engine/formation/formation.h"
#include "engine/formation/page_run.h"
#include "engine/model/layout_bounds.h"
#include "engine/model/page.h"
#include "engine/model/report.h"

namespace vl {
namespace {

struct TvlSplitView {
  TvlView* View;
  bool Pending = true;
  bool Finish = false;  // drawn at the part's height once the part is placed
  std::int32_t Left, Top, Width, Height;
};

// The views below v within its horizontal span move down by r.
void MoveBelow(std::vector<TvlSplitView>& views, const TvlView& v, std::int32_t r) {
  const std::int32_t bottom = v.Top + v.Height;
  for (TvlSplitView& s : views) {
    TvlView* o = s.View;
    if (o == &v || !s.Pending) continue;
    if (o->Top >= bottom && o->Left >= v.Left && o->Left <= v.Left + v.Width) o->Top += r;
  }
}

// A text that has not been measured yet is expanded and wrapped first, so
// that its part can be counted.
void EnsureMeasured(TvlStretcheable& s) {
  if (s.DrawPhase == 0) s.CalcHeight();
}

}  // namespace

void TvlBand::PrintSplit() {
  TvlPageRun& P = *Page;
  TvlFormation& run = P.Run;
  TvlReport& report = run.Report;
  std::vector<TvlSplitView> views;
  views.reserve(Objects.size());
  for (TvlView* v : Objects) {
    views.push_back({v, true, false, v->Left, v->Top, v->Width, v->Height});
    if (v->BandAlign == baBottom) v->Top = CalculatedHeight - v->Height;
  }

  if (!P.PageBreakCheck(this, Top(), PartHeight, true)) {
    DrawObjects();
  } else {
    bool anyPending = true;
    std::int32_t lowest = 0;
    while (anyPending && !report.StopRequested) {
      const std::int32_t limit = P.CursorBottom - P.ColumnFooterHeight() - Top() - 2;
      if (limit <= 0 && P.CursorY <= P.BodyTop) {
        // Not even an empty page leaves room for a part.
        run.ReportError(run.NoProgressMessage());
        break;
      }
      lowest = 0;
      bool drew = false;
      for (TvlSplitView& s : views) {
        if (!s.Pending) continue;
        TvlView& v = *s.View;
        auto* sv = dynamic_cast<TvlStretcheable*>(&v);
        const std::int32_t t = v.Top, d = v.Height;
        if (t >= 0 && t < limit) {
          if (t + d < limit) {
            DrawObject(v);
            s.Pending = false;
            drew = true;
            lowest = std::max(lowest, t + d);
          } else if (sv) {
            EnsureMeasured(*sv);
            v.Height = limit - t + 1;
            const std::int32_t r = sv->RemainHeight();
            if (sv->MinHeight() < v.Height) {
              sv->DrawPhase = 2;
              DrawObject(v);
              drew = true;
            }
            v.Height = d;
            MoveBelow(views, v, r);
            v.Height += r;
          } else {
            v.Top = limit;  // moves to the next page whole
          }
        } else if (t < 0) {
          if (!sv) {
            v.Top = 0;
            DrawObject(v);
            s.Pending = false;
            drew = true;
            continue;
          }
          // Continued from the previous page.
          const std::int32_t rest = t + d;
          if (rest < limit) {
            v.Height = std::max(rest, 0);
            v.Top = 0;
            sv->DrawPhase = 2;
            s.Pending = false;
            lowest = std::max(lowest, rest);
            if (v.Flags & flStretched) s.Finish = true;
            else DrawObject(v);
            drew = true;
          } else {
            v.Top = 0;
            v.Height = limit;
            sv->DrawPhase = 2;
            DrawObject(v);
            drew = true;
            const std::int32_t r = sv->RemainHeight();
            v.Top = t;
            v.Height = d;
            MoveBelow(views, v, r);
            v.Height += r;
          }
        }
        if (report.StopRequested) break;
      }
      if (drew) run.NoteProgress();
      anyPending = false;
      for (TvlSplitView& s : views)
        if (s.Pending) {
          s.View->Top -= limit;
          anyPending = true;
        }
      if (anyPending && !report.StopRequested) {
        P.PageBreakCheck(this, P.CursorY, 10000);
        Top() = P.CursorY;
      }
    }
    PartHeight = lowest;
  }

  for (TvlSplitView& s : views)
    if (s.Finish) {
      s.View->Height = PartHeight - s.View->Top;
      DrawObject(*s.View);
    }
  for (TvlSplitView& s : views) {
    s.View->Top = s.Top;
    s.View->Height = s.Height;
  }
  P.CursorY += PartHeight;
}

void TvlBand::CrossRow() {
  TvlPageRun& P = *Page;
  TvlFormation& run = P.Run;
  TvlReport& report = run.Report;
  TvlEngineState& st = vlState();
  P.CrossColumnNo = 1;
  std::int32_t x = 0;
  const std::int32_t rowPage = st.PageNo;
  if (report.OnBeginColumn) report.OnBeginColumn(this);
  TvlBand& header = *P.Chain(btCrossHeader);
  TvlBand& data = *P.Chain(btCrossData);
  TvlBand& footer = *P.Chain(btCrossFooter);
  auto runScript = [&](TvlBand& band) {
    st.CurBand = &band;
    st.CurView = band.View;
    try {
      run.RunScript(band.Script);
    } catch (const std::exception& e) {
      run.ReportError(e);
    }
  };

  if (header.Valid()) {
    runScript(header);
    PrintCells(header, header.Left());
    x = header.Left() + header.Width();
  }
  if (data.Valid() && !report.StopRequested) {
    if (x == 0) x = data.Left();
    TvlDataset* d = data.Dataset ? data.Dataset : CrossDataset;
    std::unique_ptr<TvlDataset> owned;
    if (d) {
      d->First();
      if (Type == btMasterFooter && d->Eof()) {
        // A totals row gets as many cells as the widest data row.
        auto counter = std::make_unique<TvlUserDataset>();
        counter->RangeEnd = reCount;
        counter->RangeEndCount = data.CrossColumnCount;
        owned = std::move(counter);
        d = owned.get();
        d->First();
      }
      while (!d->Eof() && !report.StopRequested) {
        std::int32_t width = data.Width();
        if (report.OnPrintColumn) report.OnPrintColumn(P.CrossColumnNo, width);
        runScript(data);
        HorizontalRoom(width, x, rowPage);
        PrintCells(data, x);
        data.FoldRecord();
        if (IsDataBand()) FoldRecord(P.CrossColumnNo);
        x += width;
        ++P.CrossColumnNo;
        d->Next();
      }
      data.CrossColumnCount = std::max(data.CrossColumnCount, d->RecNo());
    }
  }
  if (footer.Valid() && !report.StopRequested) {
    if (x == 0) x = footer.Left();
    runScript(footer);
    HorizontalRoom(footer.Width(), x, rowPage);
    PrintCells(footer, x);
    footer.ResetEndedAccumulators();
  }
  st.PageNo = rowPage;
  st.CurBand = this;
}

void TvlBand::PrintCells(TvlBand& cross, std::int32_t x) {
  TvlFormation& run = Page->Run;
  TvlEngineState& st = vlState();
  st.CurBand = &cross;
  cross.LineThrough = LineThrough;
  cross.LineInGroup = LineInGroup;
  if (cross.Type == btCrossData) cross.AggregateSource = this;
  for (TvlView* v : cross.Objects) {
    if (std::find(Objects.begin(), Objects.end(), v) == Objects.end()) continue;
    try {
      if (st.FirstPassOnly) {
        st.CurView = v;
        run.RunViewScript(*v);
      } else {
        PrintView(*v, vlClampTo32(std::int64_t{v->Left} - cross.OriginLeft + x), Top() + v->Top);
      }
    } catch (const std::exception& e) {
      run.ReportError(e);
      return;
    }
  }
}

void TvlBand::HorizontalRoom(std::int32_t width, std::int32_t& x, std::int32_t rowPage) {
  TvlPageRun& P = *Page;
  TvlFormation& run = P.Run;
  TvlEngineState& st = vlState();
  if (P.RightMargin >= x + width) return;
  x = P.LeftMargin;
  ++st.PageNo;
  if (st.PageNo >= run.Report.EMFPages.Count()) {
    run.AddPreparedPage(P);
    P.Show(P.Chain(btOverlay));
    const std::int32_t saved = P.CursorY;
    P.CursorY = P.TopMargin;
    TvlBand* pageHeader = P.Chain(btPageHeader);
    if (rowPage != 0 || (pageHeader->Flags & flOnFirstPage)) P.Show(pageHeader);
    P.CursorY = saved;
    run.Progress(st.PageNo);
  }
  TvlBand& header = *P.Chain(btCrossHeader);
  if (header.Valid() && (header.Flags & flRepeatHeader)) {
    PrintCells(header, P.LeftMargin);
    x = P.LeftMargin + header.Width();
  }
}

}  // namespace vl
