// The band tree of a template page once built (band_tree_builder.cpp): its
// bands found by name, destroyed, the views' field bindings and the
// registration of aggregate calls.

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

TvlBand* TvlPageRun::FindBand(const std::string& name) const {
  for (TvlBand* head : BandChains)
    for (TvlBand* b = head; b; b = b->ChainNext)
      if (b->View && vlSameText(b->View->Name, name)) return b;
  return nullptr;
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
      splitter.FindInScript(Run.CompiledScript(*v));
    }
    for (const std::string& call : calls) globals->Parser.EvaluatePostfix(call);
  };
  auto scanType = [&](int type) {
    TvlBand* head = Chain(type);
    int depth = 0;
    for (TvlBand* c = head; c && depth < 100; c = c->ChildLink, ++depth) scan(c);
    for (TvlBand* b = head ? head->ChainNext : nullptr; b; b = b->ChainNext) scan(b);
  };
  for (int level = 1; level <= 3; ++level) {
    TvlBand* head = Chain(vlLevelBandType(level, TvlBandRole::Data));
    for (TvlBand* d = head; d && d->View; d = d->ChainNext) {
      if (d != head && !d->Dataset) break;
      Run.RegistrationSource = d;
      for (int type = 0; type < kBandTypeCount; ++type)
        if (vlBandTypeSumsLevel(type, level)) scanType(type);
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
