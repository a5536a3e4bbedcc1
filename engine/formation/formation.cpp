#include "engine/formation/formation.h"

#include <algorithm>

#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/core/string_table.h"
#include "engine/core/text.h"
#include "engine/data/components.h"
#include "engine/data/db_dataset.h"
#include "engine/data/dictionary_fields.h"
#include "engine/data/source_blob_field.h"
#include "engine/formation/band.h"
#include "engine/model/bracket_text.h"
#include "engine/model/page.h"
#include "engine/model/page_limits.h"
#include "engine/model/report.h"
#include "engine/model/view_run_hooks.h"
#include "engine/binding/globals.h"
#include "engine/binding/report_interpretator.h"
#include "engine/binding/value_resolution.h"
#include "platform/progress_window.h"

namespace vl {

TvlRunSettings& vlRunSettings() {
  static TvlRunSettings settings;
  return settings;
}

TvlFormation* vlFormation() { return dynamic_cast<TvlFormation*>(vlRunContext().Access); }

TvlFormation::TvlFormation(TvlReport& report, TvlRunContext& context)
    : Report(report), context_(context), viewHooks_(vlViewHooksInForce()) {
  globals_ = vlGlobals();
  if (!globals_) {
    ownGlobals_ = std::make_unique<TvlGlobals>();
    globals_ = ownGlobals_.get();
  }
  for (int i = 0; i < report.Pages.Count(); ++i)
    Pages.push_back(std::make_unique<TvlPageRun>(*this, *report.Pages[i], i));
  if (!report.Dictionary.FieldResolver())
    fields_ = std::make_unique<TvlDictionaryFields>(report.Dictionary, report.Owner);
  InstallHooks();
}

TvlFormation::~TvlFormation() {
  RestoreHooks();
  context_.Access = nullptr;
  context_.ViewHooks = nullptr;
  // Bands release their datasets before the resolver that watched them goes.
  Pages.clear();
  fields_.reset();
}

void TvlFormation::InstallHooks() {
  context_.Access = this;
  context_.ViewHooks = &viewHooks_;

  TvlPrintHooks& hooks = viewHooks_.Print;
  hooks.BeforePrint = [this](TvlView& view) { BeforePrint(view); };
  hooks.RunScript = [this](TvlView& view) { RunViewScript(view); };
  hooks.ExpandText = [](TvlView& view, const std::string& text) { return vlExpandBrackets(view, text); };

  viewHooks_.BandAlign = [this](TvlView& view, TvlBandAlignContext& ctx) {
    TvlEngineState& st = vlState();
    const TvlPage* page = st.CurPage;
    if (!page) return false;
    vlFillBandAlignContext(*page, ctx);
    if (const TvlPageRun* run = PageRun(page); run && run->Prepared) {
      ctx.PageLeft = run->LeftMargin;
      ctx.PageRight = run->RightMargin;
    }
    if (TvlBand* band = st.CurBand; band && st.DocMode == TvlDocMode::dmPrinting) {
      ctx.HasCurrentBand = true;
      ctx.BandTop = band->Top();
      ctx.BandWidth = band->Width();
      ctx.BandCalcHeight = band->CalculatedHeight;
      ctx.BandType = band->Type;
      ctx.BandStretched = band->Stretched;
      ctx.OnBand = std::find(band->Objects.begin(), band->Objects.end(), &view) != band->Objects.end();
      ctx.TemplateTop = PrintingTemplateTop;
    }
    return true;
  };

  viewHooks_.LimitsInUse = [this](const TvlPage& page, TvlPageLimits& limits) {
    const TvlPageRun* run = PageRun(&page);
    if (!run || !run->Prepared) return false;
    limits = {run->LeftMargin, run->TopMargin, run->RightMargin, run->BottomMargin};
    return true;
  };

  TvlBracketHooks& brackets = viewHooks_.Brackets;
  if (!brackets.Text)
    brackets.Text = [](TvlView&, const std::string& bracket) { return vlBracketText(std::string_view(bracket)); };

  if (auto* fields = dynamic_cast<TvlDictionaryFields*>(Report.Dictionary.FieldResolver())) {
    savedDefaultDataSet_ = fields->DefaultDataSet;
    fields->DefaultDataSet = [this]() -> TvlDataSource* {
      if (!Report.UseDefaultDataSetName) return nullptr;
      TvlEngineState& st = vlState();
      const TvlPageRun* page = PageRun(st.CurPage);
      if (!page || !page->Prepared) return nullptr;
      return vlDefaultDataSource(st.CurBand ? st.CurBand->Type : static_cast<std::uint8_t>(btNone), BandDatasets(*page));
    };
  }

  if (TvlInterpretator* interpreter = globals_->Interpreter.get()) {
    savedStepLimit_ = interpreter->StepLimit();
    savedRunBudget_ = interpreter->RunBudget();
    interpreter->SetStepCallback(
        [this]() {
          if (Window) Window->ProcessEvents();
          if (Cancelled) throw TvlRunStopped{};
        },
        vlRunSettings().ScriptEventInterval);
  }
}

// What the run changed on objects that outlive it (the context's hooks go with the context).
void TvlFormation::RestoreHooks() {
  if (auto* fields = dynamic_cast<TvlDictionaryFields*>(Report.Dictionary.FieldResolver()))
    if (fields != fields_.get()) fields->DefaultDataSet = savedDefaultDataSet_;
  if (TvlInterpretator* interpreter = globals_->Interpreter.get()) {
    interpreter->SetStepLimit(savedStepLimit_);
    interpreter->SetRunBudget(savedRunBudget_);
    interpreter->SetStepCallback(nullptr, 0);
  }
}

void TvlFormation::SetScriptBudget(bool withWindow) {
  const TvlRunSettings& settings = vlRunSettings();
  if (withWindow) {
    runBudget_.reset();
  } else if (!runBudget_) {
    // One budget for the whole preparation, both passes of a two-pass run.
    runBudget_ = std::make_unique<TvlRunBudget>(settings.PreparationStepBudget, settings.PreparationTimeBudget,
                                                settings.PreparationClock);
    runBudget_->Owner = [this] { return RunningObjectName(); };
  }
  if (TvlInterpretator* interpreter = globals_->Interpreter.get()) {
    interpreter->SetStepLimit(withWindow ? savedStepLimit_ : settings.ScriptStepBudget);
    interpreter->SetRunBudget(withWindow ? savedRunBudget_ : runBudget_.get());
  }
}

std::string TvlFormation::RunningObjectName() const {
  const TvlEngineState& st = vlState();
  if (st.CurView) return st.CurView->Name;
  if (st.CurBand && st.CurBand->View) return st.CurBand->View->Name;
  if (st.CurPage) return st.CurPage->Name;
  return Report.Name;
}

TvlPageRun* TvlFormation::PageRun(const TvlPage* page) const {
  if (!page) return nullptr;
  for (const auto& p : Pages)
    if (&p->Page == page) return p.get();
  return nullptr;
}

TvlPageRun* TvlFormation::PageRun(int index) const {
  if (index < 0 || index >= static_cast<int>(Pages.size())) return nullptr;
  return Pages[static_cast<std::size_t>(index)].get();
}

TvlComponent* TvlFormation::ReportOwner() const { return Report.Owner; }

TvlBandDatasets TvlFormation::BandDatasets(const TvlPageRun& page) const {
  TvlBandDatasets d;
  if (!page.Prepared) return d;
  d.MasterData = page.Chain(btMasterData)->Dataset;
  d.DetailData = page.Chain(btDetailData)->Dataset;
  d.SubDetailData = page.Chain(btSubDetailData)->Dataset;
  d.CrossData = page.Chain(btCrossData)->Dataset;
  d.Report = Report.Dataset;
  return d;
}

std::string TvlFormation::NoProgressMessage() const { return vlLoadStr(str::kNoProgress); }

void TvlFormation::ReportError(const std::exception& e) { ReportError(std::string(e.what())); }

void TvlFormation::ReportError(const std::string& message) {
  TvlEngineState& st = vlState();
  Report.StopRequested = true;
  // The first error stops the run; what follows from it is not reported.
  if (st.ErrorFlag) return;
  st.ErrorFlag = true;
  std::string text = vlLoadStr(str::kCalculationError);
  std::string objectPart;
  if (TvlView* view = st.CurView) {
    for (const std::string& line : view->Memo) {
      text += '\r';
      text += line;
    }
    objectPart = vlLoadStr(str::kObjectLabel) + " " + view->Name + '\r';
  }
  text += "\r\r";
  text += vlLoadStr(str::kReportLabel) + " " + Report.Name + '\r';
  text += objectPart;
  text += '\r';
  text += message;
  st.ErrorText = std::move(text);
}

void TvlFormation::Progress(std::int32_t n) {
  if (Report.OnProgress) {
    Report.OnProgress(n);
    return;
  }
  if (!Report.ShowProgress || !Window) return;
  std::string label = StageText + "  " + std::to_string(n);
  if (FinalPassOfTwo) label += " " + vlLoadStr(str::kFrom) + " " + std::to_string(vlState().TotalPages);
  Window->SetFirstLabel(label);
  Window->ProcessEvents();
}

void TvlFormation::RunScript(const std::vector<std::string>& compiled) {
  if (compiled.empty()) return;
  if (TvlInterpretator* interpreter = globals_->Interpreter.get()) interpreter->Run(compiled);
}

const std::vector<std::string>& TvlFormation::CompiledScript(const TvlView& view) const {
  static const std::vector<std::string> kNone;
  const auto it = CompiledScripts.find(&view);
  return it == CompiledScripts.end() ? kNone : it->second;
}

void TvlFormation::RunViewScript(TvlView& view) {
  const std::vector<std::string>& compiled = CompiledScript(view);
  if (compiled.empty()) return;
  vlState().CurView = &view;
  RunScript(compiled);
}

void TvlFormation::AddPreparedPage(TvlPageRun& page) {
  if (++pagesWithoutProgress_ > vlRunSettings().MaxPagesWithoutProgress) ReportError(NoProgressMessage());
  // A run whose scripts are cheap still keeps to its wall time.
  if (runBudget_) {
    try {
      runBudget_->CheckTime();
    } catch (const TvlError& e) {
      ReportError(e);
    }
  }
  Report.EMFPages.Add(page.Page);
}

void TvlFormation::BeforePrint(TvlView& view) {
  if (!Bindings.empty()) {
    const auto found = Bindings.find(&view);
    if (found != Bindings.end() && found->second.Source && found->second.Source->Active())
      view.GetBlob(TvlSourceBlobField(*found->second.Source, found->second.Field));
  }
  if (Report.OnBeforePrint) Report.OnBeforePrint(view.PrintedMemo, &view);
}

TvlValue TvlFormation::EvaluatePostfix(const std::string& compiled) {
  if (compiled.empty()) return TvlValue();
  return globals_->Parser.EvaluatePostfix(compiled);
}

std::string TvlFormation::Compile(const std::string& text) {
  if (vlTrim(text).empty()) return {};
  return globals_->Parser.ToPostfix(text);
}

// ---- What value resolution asks of the run. ----

bool TvlFormation::HasDataset(TvlBand* band) { return band && band->Dataset; }
TvlBand* TvlFormation::ChainPrev(TvlBand* band) { return band ? band->ChainPrev : nullptr; }
std::int32_t TvlFormation::LineInGroup(TvlBand* band) { return band ? band->LineInGroup : 0; }
std::int32_t TvlFormation::LineThrough(TvlBand* band) { return band ? band->LineThrough : 0; }
void TvlFormation::RequestNewPage(TvlBand* band) {
  if (band) ++band->NewPageRequests;
}
void TvlFormation::RequestNewColumn(TvlBand* band) {
  if (band) ++band->NewColumnRequests;
}
bool TvlFormation::HasBreakRequests(TvlBand* band) {
  return band && (band->NewPageRequests > 0 || band->NewColumnRequests > 0);
}
void TvlFormation::KeepCursorY(TvlBand* band) {
  if (band) band->KeepCursorY = true;
}
std::int32_t TvlFormation::CursorY(TvlPage* page) {
  const TvlPageRun* run = PageRun(page);
  return run ? run->CursorY : 0;
}
void TvlFormation::SetCursorY(TvlPage* page, std::int32_t y) {
  if (TvlPageRun* run = PageRun(page)) run->CursorY = y;
}
std::int32_t TvlFormation::CursorBottom(TvlPage* page) {
  const TvlPageRun* run = PageRun(page);
  return run ? run->CursorBottom : 0;
}
std::int32_t TvlFormation::CrossColumnNo(TvlPage* page) {
  const TvlPageRun* run = PageRun(page);
  return run ? run->CrossColumnNo : 0;
}
std::int32_t TvlFormation::CurrentLine(TvlPage* page) {
  const TvlPageRun* run = PageRun(page);
  return run ? run->CurrentLine : 0;
}
void TvlFormation::ShowBand(TvlPage* page, const std::string& bandName) {
  if (TvlPageRun* run = PageRun(page); run && run->Prepared) run->ShowByName(bandName);
}
void TvlFormation::SetModalResult(TvlPage*, std::int32_t result) { ModalResult = result; }
bool TvlFormation::IsFinalPass(TvlReport*) { return Report.IsFinalPass; }
void TvlFormation::RequestStop(TvlReport*) { Report.StopRequested = true; }
void TvlFormation::ShowProgress(const std::string& text) {
  if (!Window) return;
  Window->SetSecondLabel(text);
  Window->ProcessEvents();
}

}  // namespace vl
