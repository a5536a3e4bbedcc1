// The band tree of a template page: one band per band view, chained by type
// and ordered by top, with headers, footers, groups, children and cross
// datasets linked, every other view handed to the band it starts in; then
// the views' field bindings and the registration of aggregate calls.

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
void CopyFromView(TvlBand& b, TvlBandView& v, bool subReportPage) {
  b.View = &v;
  b.Flags = v.Flags;
  b.Memo = v.Memo;
  b.Script = v.Script;
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

TvlBand* TvlPageRun::FindBand(const std::string& name) const {
  for (TvlBand* head : BandChains)
    for (TvlBand* b = head; b; b = b->ChainNext)
      if (b->View && vlSameText(b->View->Name, name)) return b;
  return nullptr;
}

void TvlPageRun::PreparePage() {
  if (Prepared && Run.FinalPassOfTwo) {
    // The tree of the first pass serves the final one, without anything
    // the first pass counted or summed.
    for (auto& v : Page.Objects)
      if (v->Typ == otMemo) static_cast<TvlMemoView*>(v.get())->LastValue.clear();
    for (auto& b : Bands) {
      b->RestartRun();
      if (b->Dataset) b->Dataset->First();
    }
    CurrentLine = 1;
    CrossColumnNo = 1;
    LastDrawnBand = nullptr;
    return;
  }
  DestroyTree();
  TvlReport& report = Run.Report;
  for (int t = 0; t < kBandTypeCount; ++t) {
    Bands.push_back(std::make_unique<TvlBand>(static_cast<std::uint8_t>(t), this));
    BandChains[static_cast<std::size_t>(t)] = Bands.back().get();
  }

  // 1. Views: printing form, scripts compiled once, sub-report targets marked.
  const std::size_t count = Page.Objects.size();
  std::vector<char> placed(count, 0);
  TvlGlobals* globals = vlGlobals();
  std::vector<std::string> errors;
  for (std::size_t i = 0; i < count; ++i) {
    TvlView* v = Page.Objects[i].get();
    v->PrintingForm = true;
    placed[i] = v->Typ == otBand;
    v->Parent = nullptr;
    // A script with errors keeps the lines compiled before the error.
    if (!v->Script.empty() && globals && globals->Interpreter) globals->Interpreter->Compile(v->Script, v->Script, errors);
    if (v->Typ == otSubReport)
      if (TvlPageRun* target = Run.PageRun(static_cast<TvlSubReportView*>(v)->TargetPage))
        if (target != this) target->IsSubReportPage = true;
  }

  // 2. Cross bands: vertical strips, one band per type.
  bool anyCross = false;
  for (std::size_t i = 0; i < count; ++i) {
    TvlView* v = Page.Objects[i].get();
    if (v->Typ != otBand || !vlIsVerticalBand(v->FrameTyp)) continue;
    auto* bv = static_cast<TvlBandView*>(v);
    TvlBand& b = *Chain(bv->FrameTyp);
    if (b.View) b.View->PreparedBand = nullptr;
    CopyFromView(b, *bv, IsSubReportPage);
    b.Left() = v->Left;
    b.Width() = v->Width;
    b.Top() = v->Top;
    b.Height() = v->Height;
    b.SetDataSource(v->FormatText);
    anyCross = true;
  }
  if (anyCross) {
    for (int t = btCrossHeader; t <= btCrossFooter; ++t) {
      TvlBand& b = *Chain(t);
      if (!b.View) continue;
      for (std::size_t i = 0; i < count; ++i) {
        TvlView* v = Page.Objects[i].get();
        if (placed[i] || v->Typ == otBand || v->Parent) continue;
        if (v->Left >= b.Left() && b.Left() + b.Width() >= v->Left + v->Width) {
          v->Left -= b.Left();
          v->Parent = &b;
          b.Objects.push_back(v);
        }
      }
    }
  }

  // 3. Horizontal bands, by type code and then in list order.
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
      CopyFromView(*b, *bv, IsSubReportPage);
      b->Top() = v->Top;
      b->Height() = v->Height;
      b->Left() = v->Left;
      b->Width() = v->Width;
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
          o->Top -= b->Top();
          placed[k] = 1;
          b->Objects.push_back(o);
          if (pass == 1) b->HasCrossViews = true;
          else o->Parent = b;
        }
      }
    }
  }

  // 4. Each type's bands sorted by top (selection sort, earlier wins on a
  // tie) and chained.
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

  // 5. The report's dataset serves a master data band without its own.
  if (report.ReportType == rtSimple && report.Dataset)
    for (TvlBand* b = Chain(btMasterData); b; b = b->ChainNext)
      if (b->View && !b->Dataset) {
        report.Dataset->Init();
        b->Dataset = report.Dataset;
      }

  // 6. Views outside every band print with the page, at their own place.
  TvlBand* none = Chain(btNone);
  none->Top() = 0;
  for (std::size_t i = 0; i < count; ++i) {
    if (placed[i]) continue;
    TvlView* v = Page.Objects[i].get();
    none->Objects.push_back(v);
    if (!v->Parent) v->Parent = none;
  }

  // 7. Headers and footers of the three data levels.
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

  // 8. Group footers pair with group headers from the inside out.
  {
    const std::vector<TvlBand*> headers = ValidChain(Chain(btGroupHeader));
    const std::vector<TvlBand*> footers = ValidChain(Chain(btGroupFooter));
    for (std::size_t i = 0; i < headers.size() && i < footers.size(); ++i)
      headers[headers.size() - 1 - i]->FooterLink = footers[i];
  }

  // 9. Cross datasets: "Band=Dataset;" pairs in the cross data band's source.
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
      for (int t = btMasterHeader; t <= btChild; ++t)
        for (TvlBand* b = Chain(t); b; b = b->ChainNext) {
          if (!b->View || !vlSameText(b->View->Name, bandName)) continue;
          TvlDatasetRef ref = vlResolveDataset(dataset, Run.ReportOwner());
          b->CrossDataset = ref.Dataset;
          b->OwnedCrossDataset = std::move(ref.Owned);
        }
    }
  }

  // 10. Child bands.
  for (auto& b : Bands)
    if (b->View) b->ChildLink = BandOfView(Page, b->View->ChildBand);

  // 11. Groups attach to their data band, outermost first.
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

  // 12. Limits and page columns.
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
  Prepared = true;
}

void TvlPageRun::FinishPage() {
  // The first pass of a two-pass report leaves its tree to the final pass.
  if (vlState().FirstPassOnly) return;
  DestroyTree();
}

void TvlPageRun::DestroyTree() {
  for (auto& b : Bands)
    if (b->View && b->View->PreparedBand == b.get()) b->View->PreparedBand = nullptr;
  Bands.clear();
  BandChains = {};
  ActionList.clear();
  Prepared = false;
}

void TvlPageRun::PrepareObjects() {
  TvlReport& report = Run.Report;
  TvlEngineState& st = vlState();

  // 1. Views whose whole text is one bracketed name bind to that field.
  const TvlBandDatasets datasets = Run.BandDatasets(*this);
  for (auto& owned : Page.Objects) {
    TvlView* v = owned.get();
    Run.Bindings.erase(v);
    if (v->Memo.empty() || v->Typ == otBand) continue;
    if (v->Typ == otMemo && (v->Flags & flTextOnly)) continue;
    const std::string text = vlJoinLines(v->Memo);
    if (text.size() <= 2 || text[0] != '[') continue;
    const std::size_t close = text.rfind(']');
    const std::string name = text.substr(1, (close == std::string::npos || close == 0 ? text.size() : close) - 1);
    TvlFormation::TvlViewBinding binding;
    if (report.Dictionary.IsVariable(name)) {
      if (TvlCacheItem* item = report.Dictionary.FieldCache.Find(name); item && item->Field.Bound()) {
        binding.Source = item->Field.DataSet;
        if (binding.Source) binding.Field = binding.Source->FieldIndex(item->Field.Field);
      }
    } else {
      TvlDataSource* defaultSource = nullptr;
      if (report.UseDefaultDataSetName) {
        const TvlBand* owner = static_cast<const TvlBand*>(v->Parent);
        defaultSource = vlDefaultDataSource(owner ? owner->Type : static_cast<std::uint8_t>(btNone), datasets);
      }
      const TvlFieldRef ref = vlGetDatasetAndField(name, defaultSource, Run.ReportOwner());
      if (ref.Bound()) {
        binding.Source = ref.DataSet;
        binding.Field = ref.FieldIndex >= 0 ? ref.FieldIndex : ref.DataSet->FieldIndex(ref.Field);
      }
    }
    if (binding.Source && binding.Field >= 0) Run.Bindings[v] = binding;
  }

  // 2. Aggregate calls, registered on the data band they summarise.
  struct RegistrationGuard {
    TvlFormation& run;
    ~RegistrationGuard() {
      vlValueContext().RegistrationMode = false;
      run.RegistrationSource = nullptr;
    }
  } guard{Run};
  vlValueContext().RegistrationMode = true;
  TvlGlobals* globals = vlGlobals();
  if (!globals) return;
  st.CurReport = &report;
  auto scan = [&](TvlBand* band) {
    if (!band || !band->View) return;
    std::vector<std::string> calls;
    TAggregateFunctionsSplitter splitter(calls);
    st.CurBand = band;
    st.CurView = band->View;
    splitter.FindInScript(band->Script);
    for (TvlView* v : band->Objects) {
      st.CurView = v;
      if (v->Typ == otMemo) splitter.FindInMemo(v->Memo);
      splitter.FindInScript(v->Script);
    }
    for (const std::string& call : calls) globals->Parser.EvaluatePostfix(call);
  };
  auto scanType = [&](int type) {
    TvlBand* head = Chain(type);
    int depth = 0;
    for (TvlBand* c = head; c && depth < 100; c = c->ChildLink, ++depth) scan(c);
    for (TvlBand* b = head ? head->ChainNext : nullptr; b; b = b->ChainNext) scan(b);
  };
  static const std::vector<int> kScan[3] = {
      {btPageFooter, btColumnFooter, btMasterFooter, btGroupFooter, btReportSummary},
      {btPageFooter, btColumnFooter, btMasterFooter, btDetailFooter, btGroupFooter, btReportSummary},
      {btPageFooter, btColumnFooter, btMasterFooter, btDetailFooter, btSubDetailFooter, btGroupFooter,
       btReportSummary}};
  for (int level = 0; level < 3; ++level) {
    TvlBand* head = Chain(vlLevelBandType(level + 1, TvlBandRole::Data));
    for (TvlBand* d = head; d && d->View; d = d->ChainNext) {
      if (d != head && !d->Dataset) break;
      Run.RegistrationSource = d;
      for (int type : kScan[level]) scanType(type);
    }
  }
  if (TvlBand* cross = Chain(btCrossData); cross->View) {
    Run.RegistrationSource = cross;
    scanType(btCrossFooter);
  }
  st.CurBand = nullptr;
  st.CurView = nullptr;
}

}  // namespace vl
