// Building the band tree of a template page, one named step per function:
// one band per band view, chained by type and ordered by top, with headers,
// footers, groups, children and cross datasets linked, every other view
// handed to the band it starts in, and the page's limits and columns.

#include <algorithm>

#include "engine/core/engine_state.h"
#include "engine/core/text.h"
#include "engine/data/dataset.h"
#include "engine/data/dataset_names.h"
#include "engine/formation/formation.h"
#include "engine/formation/page_run.h"
#include "engine/model/band_kinds.h"
#include "engine/model/layout_bounds.h"
#include "engine/model/memo_view.h"
#include "engine/model/page.h"
#include "engine/model/page_limits.h"
#include "engine/model/report.h"
#include "engine/model/subreport_view.h"
#include "engine/binding/aggregate_splitter.h"
#include "engine/binding/globals.h"
#include "engine/binding/report_interpretator.h"
#include "engine/binding/value_resolution.h"

namespace vl {
namespace {

// The band a band view named name was made into; nullptr when the page has
// no band view of that name.
TvlBand* BandOfView(const TvlPage& page, const std::string& name) {
  if (name.empty()) return nullptr;
  TvlView* v = page.FindObject(name);
  if (!v || v->Typ != otBand) return nullptr;
  return static_cast<TvlBand*>(static_cast<TvlBandView*>(v)->PreparedBand);
}

// Valid bands of a chain, in chain order.
std::vector<TvlBand*> ValidChain(TvlBand* head) {
  std::vector<TvlBand*> out;
  for (TvlBand* b = head; b; b = b->ChainNext)
    if (b->View) out.push_back(b);
  return out;
}

// Sets the flag-controlled settings a band copies from its view.
void CopyFromView(TvlBand& b, TvlBandView& v, bool subReportPage, const std::vector<std::string>& script) {
  b.View = &v;
  b.Flags = v.Flags;
  b.Memo = v.Memo;
  b.Script = script;
  b.Name = v.Name;
  b.Visible() = v.Visible;
  b.Stretched = (v.Flags & flStretched) != 0;
  b.PrintIfSubsetEmpty = (v.Flags & flPrintIfSubsetEmpty) != 0;
  b.PrintChildIfInvisible = (v.Flags & flPrintChildIfInvisible) != 0;
  b.FormNewPage = !subReportPage && (v.Flags & flFormNewPage) != 0;
  b.BreakedOn = !subReportPage && (v.Flags & flBreaked) != 0;
  v.PreparedBand = &b;
  v.Parent = &b;
}

}  // namespace

void TvlPageRun::PreparePage() {
  if (Prepared && Run.FinalPassOfTwo) {
    RestartTreeForFinalPass();
    return;
  }
  DestroyTree();
  for (int t = 0; t < kBandTypeCount; ++t) {
    Bands.push_back(std::make_unique<TvlBand>(static_cast<std::uint8_t>(t), this));
    BandChains[static_cast<std::size_t>(t)] = Bands.back().get();
  }
  std::vector<char> placed(Page.Objects.size(), 0);  // views already handed to a band
  PrepareViews(placed);
  PlaceCrossBands(placed);
  PlaceHorizontalBands(placed);
  ChainBandsByTop();
  LendReportDataset();
  CollectViewsOutsideBands(placed);
  LinkLevelHeadersAndFooters();
  PairGroupFooters();
  ResolveCrossDatasets();
  LinkChildBands();
  AttachGroups();
  SetLimitsAndColumns();
  Prepared = true;
}

// The tree of the first pass serves the final one, without anything the
// first pass counted or summed.
void TvlPageRun::RestartTreeForFinalPass() {
  for (auto& v : Page.Objects)
    if (v->Typ == otMemo) static_cast<TvlMemoView*>(v.get())->LastValue.clear();
  for (auto& b : Bands) {
    b->RestartRun();
    if (b->Dataset) b->Dataset->First();
  }
  CurrentLine = 1;
  CrossColumnNo = 1;
  LastDrawnBand = nullptr;
}

// Views: printing form, scripts compiled once for the run, sub-report targets marked.
void TvlPageRun::PrepareViews(std::vector<char>& placed) {
  const std::size_t count = Page.Objects.size();
  TvlGlobals* globals = vlGlobals();
  std::vector<std::string> errors;
  for (std::size_t i = 0; i < count; ++i) {
    TvlView* v = Page.Objects[i].get();
    v->PrintingForm = true;
    placed[i] = v->Typ == otBand;
    v->Parent = nullptr;
    // A script with errors keeps the lines compiled before the error; the
    // compiled form stays with the run, the template keeps its text.
    if (!v->Script.empty() && globals && globals->Interpreter)
      globals->Interpreter->Compile(v->Script, Run.CompiledScripts[v], errors);
    if (v->Typ == otSubReport)
      if (TvlPageRun* target = Run.PageRun(static_cast<TvlSubReportView*>(v)->TargetPage))
        if (target != this) target->IsSubReportPage = true;
  }
}

// Cross bands: vertical strips, one band per type, with the views inside them.
void TvlPageRun::PlaceCrossBands(std::vector<char>& placed) {
  const std::size_t count = Page.Objects.size();
  bool anyCross = false;
  for (std::size_t i = 0; i < count; ++i) {
    TvlView* v = Page.Objects[i].get();
    if (v->Typ != otBand || !vlIsVerticalBand(v->FrameTyp)) continue;
    auto* bv = static_cast<TvlBandView*>(v);
    TvlBand& b = *Chain(bv->FrameTyp);
    if (b.View) b.View->PreparedBand = nullptr;
    CopyFromView(b, *bv, IsSubReportPage, Run.CompiledScript(*bv));
    b.Left() = v->Left;
    b.Width() = v->Width;
    b.Top() = v->Top;
    b.Height() = v->Height;
    b.OriginLeft = v->Left;
    b.SetDataSource(v->FormatText);
    anyCross = true;
  }
  if (anyCross) {
    for (int t = 0; t < kBandTypeCount; ++t) {
      TvlBand& b = *Chain(t);
      if (!vlIsVerticalBand(t) || !b.View) continue;
      for (std::size_t i = 0; i < count; ++i) {
        TvlView* v = Page.Objects[i].get();
        if (placed[i] || v->Typ == otBand || v->Parent) continue;
        if (v->Left >= b.Left() && b.Left() + b.Width() >= v->Left + v->Width) {
          v->Parent = &b;
          b.Objects.push_back(v);
        }
      }
    }
  }
}

// Horizontal bands, by type code and then in list order, with the views starting in them.
void TvlPageRun::PlaceHorizontalBands(std::vector<char>& placed) {
  const std::size_t count = Page.Objects.size();
  for (int t = 0; t < btNone; ++t) {
    if (vlIsVerticalBand(t)) continue;
    bool first = true;
    for (std::size_t i = 0; i < count; ++i) {
      TvlView* v = Page.Objects[i].get();
      if (v->Typ != otBand || v->FrameTyp != t) continue;
      auto* bv = static_cast<TvlBandView*>(v);
      TvlBand* b = Chain(t);
      if (!first) {
        Bands.push_back(std::make_unique<TvlBand>(static_cast<std::uint8_t>(t), this));
        b = Bands.back().get();
      }
      first = false;
      CopyFromView(*b, *bv, IsSubReportPage, Run.CompiledScript(*bv));
      b->Top() = v->Top;
      b->Height() = v->Height;
      b->Left() = v->Left;
      b->Width() = v->Width;
      b->OriginTop = v->Top;
      b->ColumnIndex = 1;
      b->SetDataSource(v->FormatText);
      auto inBand = [&](const TvlView* o) { return b->Top() <= o->Top && o->Top <= b->Top() + b->Height(); };
      for (int pass = 0; pass < 3; ++pass) {
        for (std::size_t k = 0; k < count; ++k) {
          TvlView* o = Page.Objects[k].get();
          if (placed[k] || !inBand(o)) continue;
          const bool crossView = o->Parent && vlIsVerticalBand(static_cast<TvlBand*>(o->Parent)->Type);
          const bool take = pass == 0   ? !o->Parent && o->Typ != otSubReport
                            : pass == 1 ? crossView
                                        : !o->Parent && o->Typ == otSubReport;
          if (!take) continue;
          placed[k] = 1;
          b->Objects.push_back(o);
          if (pass == 1) b->HasCrossViews = true;
          else o->Parent = b;
        }
      }
    }
  }
}

// Each type's bands sorted by top (selection sort, earlier wins on a tie) and chained.
void TvlPageRun::ChainBandsByTop() {
  for (int t = 0; t < kBandTypeCount; ++t) {
    std::vector<TvlBand*> list;
    for (auto& b : Bands)
      if (b->Type == t) list.push_back(b.get());
    for (std::size_t i = 0; i + 1 < list.size(); ++i) {
      std::size_t best = i;
      for (std::size_t k = i + 1; k < list.size(); ++k)
        if (list[k]->Top() < list[best]->Top()) best = k;
      std::swap(list[i], list[best]);
    }
    for (std::size_t i = 0; i < list.size(); ++i) {
      list[i]->ChainPrev = i > 0 ? list[i - 1] : nullptr;
      list[i]->ChainNext = i + 1 < list.size() ? list[i + 1] : nullptr;
    }
    BandChains[static_cast<std::size_t>(t)] = list.front();
    list.front()->ChainLast = list.back();
  }
}

// The report's dataset serves a master data band without its own.
void TvlPageRun::LendReportDataset() {
  TvlReport& report = Run.Report;
  if (report.ReportType == rtSimple && report.Dataset)
    for (TvlBand* b = Chain(btMasterData); b; b = b->ChainNext)
      if (b->View && !b->Dataset) {
        report.Dataset->Init();
        b->Dataset = report.Dataset;
      }
}

// Views outside every band print with the page, at their own place.
void TvlPageRun::CollectViewsOutsideBands(std::vector<char>& placed) {
  const std::size_t count = Page.Objects.size();
  TvlBand* none = Chain(btNone);
  none->Top() = 0;
  for (std::size_t i = 0; i < count; ++i) {
    if (placed[i]) continue;
    TvlView* v = Page.Objects[i].get();
    none->Objects.push_back(v);
    if (!v->Parent) v->Parent = none;
  }
}

// Headers and footers of the three data levels.
void TvlPageRun::LinkLevelHeadersAndFooters() {
  for (int level = 1; level <= 3; ++level) {
    const std::vector<TvlBand*> data = ValidChain(Chain(vlLevelBandType(level, TvlBandRole::Data)));
    for (TvlBand* h : ValidChain(Chain(vlLevelBandType(level, TvlBandRole::Header)))) {
      for (TvlBand* d : data) {
        if (d->Top() <= h->Top() + h->Height()) continue;
        if (!d->HeaderLink) {
          d->HeaderLink = h;
          h->DataLink = d;
        }
        break;
      }
    }
    for (TvlBand* f : ValidChain(Chain(vlLevelBandType(level, TvlBandRole::Footer)))) {
      if (data.empty()) break;
      TvlBand* d = data.back();
      for (std::size_t k = 0; k < data.size(); ++k)
        if (data[k]->Top() + data[k]->Height() > f->Top()) {
          d = k > 0 ? data[k - 1] : nullptr;
          break;
        }
      if (d && !d->FooterLink) {
        d->FooterLink = f;
        f->DataLink = d;
      }
    }
  }
}

// Group footers pair with group headers from the inside out.
void TvlPageRun::PairGroupFooters() {
  {
    const std::vector<TvlBand*> headers = ValidChain(Chain(btGroupHeader));
    const std::vector<TvlBand*> footers = ValidChain(Chain(btGroupFooter));
    for (std::size_t i = 0; i < headers.size() && i < footers.size(); ++i)
      headers[headers.size() - 1 - i]->FooterLink = footers[i];
  }
}

// Cross datasets: "Band=Dataset;" pairs in the cross data band's source.
void TvlPageRun::ResolveCrossDatasets() {
  TvlBand* crossData = Chain(btCrossData);
  if (crossData->View && crossData->View->FormatText.find(';') != std::string::npos) {
    const std::string& text = crossData->View->FormatText;
    std::size_t pos = 0;
    while (pos < text.size()) {
      std::size_t end = text.find(';', pos);
      if (end == std::string::npos) end = text.size();
      const std::string pair = text.substr(pos, end - pos);
      pos = end + 1;
      const std::size_t eq = pair.find('=');
      if (eq == std::string::npos) continue;
      const std::string bandName = vlTrim(pair.substr(0, eq));
      const std::string dataset = vlTrim(pair.substr(eq + 1));
      if (dataset.empty()) continue;
      for (int t = 0; t < kBandTypeCount; ++t)
        for (TvlBand* b = vlBandKind(t).TakesCrossDataset ? Chain(t) : nullptr; b; b = b->ChainNext) {
          if (!b->View || !vlSameText(b->View->Name, bandName)) continue;
          TvlDatasetRef ref = vlResolveDataset(dataset, Run.ReportOwner());
          b->CrossDataset = ref.Dataset;
          b->OwnedCrossDataset = std::move(ref.Owned);
        }
    }
  }
}

// Child bands.
void TvlPageRun::LinkChildBands() {
  for (auto& b : Bands)
    if (b->View) b->ChildLink = BandOfView(Page, b->View->ChildBand);
}

// Groups attach to their data band, outermost first.
void TvlPageRun::AttachGroups() {
  if (TvlBand* master = Chain(btMasterData); master->View) {
    for (TvlBand* g = Chain(btGroupHeader); g && g->View; g = g->ChainNext) {
      TvlBand* target = g->View->Master.empty() ? master : BandOfView(Page, g->View->Master);
      if (!target) continue;
      if (!target->GroupFirst) {
        target->GroupFirst = target->GroupLast = g;
      } else {
        target->GroupLast->GroupNext = g;
        g->GroupPrev = target->GroupLast;
        target->GroupLast = g;
      }
    }
  }
}

// Limits and page columns.
void TvlPageRun::SetLimitsAndColumns() {
  const TvlPageLimits limits = vlPageLimits(Page);
  LeftMargin = limits.Left;
  TopMargin = limits.Top;
  RightMargin = limits.Right;
  BottomMargin = limits.Bottom;
  if (TvlBand* footer = Chain(btPageFooter); footer->Valid())
    BottomMargin = vlClampTo32(std::int64_t{BottomMargin} - footer->Height());
  Columns = Page.Columns > 0 ? vlBoundColumns(Page.Columns) : 1;
  ColumnGap = vlBoundDistance(Page.ColumnGap);
  // Wide, and then bounded like any distance, so that stepping across the
  // columns stays inside 32 bits.
  ColumnWidth = vlBoundDistance((std::int64_t{RightMargin} - LeftMargin - std::int64_t{Columns - 1} * ColumnGap) / Columns);
  Page.ColumnWidth = ColumnWidth;
  CurrentLine = 1;
  CrossColumnNo = 1;
}

}  // namespace vl
