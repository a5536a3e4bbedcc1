#pragma once
// TvlFormation: one preparation run of a report, inside the run's context
// (engine/core/run_context.h, owned and installed by Prepare). It owns the
// run state of every template page, answers value resolution's questions about
// bands and cursors (TvlRunAccess), gives the views the report's part in
// printing (print hooks, band alignment, margins in use) through the
// context, and carries the report-wide state of page formation (the
// progress window, error reporting).

#include <chrono>
#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/data/dataset_names.h"
#include "engine/formation/page_run.h"
#include "engine/core/run_context.h"
#include "engine/model/view_run_hooks.h"
#include "engine/binding/run_access.h"
#include "engine/script/run_budget.h"

namespace vl {

class TvlComponent;
class TvlDictionaryFields;
class TvlGlobals;
class TvlProgressWindow;
class TvlReport;

// Thrown through page formation when the user stopped the run (Cancel
// while a script ran); the run ends quietly.
struct TvlRunStopped {};

// Settings of preparation runs, engine-wide.
struct TvlRunSettings {
  // Lines one script run may execute when no progress window is shown (its
  // Cancel stops scripts otherwise); 0 is no limit.
  std::uint64_t ScriptStepBudget = 50'000'000;
  // What a whole preparation without a progress window may spend: script
  // lines of all runs together, and wall time (0 is no limit of that kind).
  // The clock is the steady clock unless set.
  std::uint64_t PreparationStepBudget = 1'000'000'000;
  std::chrono::milliseconds PreparationTimeBudget{std::chrono::minutes(10)};
  TvlRunBudget::Clock PreparationClock;
  // With a window, scripts let window events through every so many lines.
  std::uint64_t ScriptEventInterval = 4096;
  // Pages added one after another without a data record printed or a
  // dataset moved before the run stops with an error.
  int MaxPagesWithoutProgress = 1000;
};
TvlRunSettings& vlRunSettings();

class TvlFormation final : public TvlRunAccess {
 public:
  // The run's context is installed by the caller (Prepare) and outlives the
  // formation; the formation plugs its answers and hooks into it.
  TvlFormation(TvlReport& report, TvlRunContext& context);
  ~TvlFormation() override;
  TvlFormation(const TvlFormation&) = delete;
  TvlFormation& operator=(const TvlFormation&) = delete;

  TvlReport& Report;
  std::vector<std::unique_ptr<TvlPageRun>> Pages;  // by template page index

  // Report-wide state of page formation.
  int ChildDepth = 0;  // children drawing children: a cycle is cut
  bool DialogCancelled = false;
  bool FinalPassOfTwo = false;  // the final pass of a two-pass report: trees are kept
  // The progress window while a windowed run is inside it.
  TvlProgressWindow* Window = nullptr;
  std::string StageText;

  // ---- The run (report_run.cpp). ----
  // Single or two-pass, inside the progress window or directly; false when
  // the window closed with Cancel.
  bool RunReport();
  void BuildAndContinue();
  void Build();
  void ShowDialogPages();

  // The run state of a template page (nullptr for a page of no run).
  TvlPageRun* PageRun(const TvlPage* page) const;
  TvlPageRun* PageRun(int index) const;
  // The component where plain dataset names are found.
  TvlComponent* ReportOwner() const;
  // The datasets of the page's data bands (default datasets of fields).
  TvlBandDatasets BandDatasets(const TvlPageRun& page) const;

  // Builds the error text for the exception (the current view named, its
  // memo listed) and stops the run.
  void ReportError(const std::exception& e);
  void ReportError(const std::string& message);
  // Reports progress n: the report's OnProgress, or the window's first label.
  void Progress(std::int32_t n);
  // Runs compiled script lines with the report's interpreter (nothing for
  // none); errors reach the caller.
  void RunScript(const std::vector<std::string>& compiled);
  // The view's script with the view current.
  void RunViewScript(TvlView& view);
  // Views' scripts compiled by the band tree; the template keeps the text.
  std::unordered_map<const TvlView*, std::vector<std::string>> CompiledScripts;
  const std::vector<std::string>& CompiledScript(const TvlView& view) const;

  // Adds a prepared page for the template page and fires OnBeginPage;
  // guards against runs that only add pages.
  void AddPreparedPage(TvlPageRun& page);
  // A data record was printed or a dataset moved.
  void NoteProgress() { pagesWithoutProgress_ = 0; }

  // View bindings to data fields (prepare objects).
  struct TvlViewBinding {
    TvlDataSource* Source = nullptr;
    int Field = -1;
  };
  std::unordered_map<const TvlView*, TvlViewBinding> Bindings;

  // Aggregate registration: the data band whose accumulators the calls
  // being registered create.
  TvlBand* RegistrationSource = nullptr;
  // Evaluates a condition or accumulated expression (postfix form).
  TvlValue EvaluatePostfix(const std::string& compiled);
  std::string Compile(const std::string& text);

  // ---- TvlRunAccess. ----
  bool HasDataset(TvlBand* band) override;
  TvlBand* ChainPrev(TvlBand* band) override;
  std::int32_t LineInGroup(TvlBand* band) override;
  std::int32_t LineThrough(TvlBand* band) override;
  void RequestNewPage(TvlBand* band) override;
  void RequestNewColumn(TvlBand* band) override;
  bool HasBreakRequests(TvlBand* band) override;
  void KeepCursorY(TvlBand* band) override;
  std::int32_t CursorY(TvlPage* page) override;
  void SetCursorY(TvlPage* page, std::int32_t y) override;
  std::int32_t CursorBottom(TvlPage* page) override;
  std::int32_t CrossColumnNo(TvlPage* page) override;
  std::int32_t CurrentLine(TvlPage* page) override;
  void ShowBand(TvlPage* page, const std::string& bandName) override;
  void SetModalResult(TvlPage* page, std::int32_t result) override;
  bool IsFinalPass(TvlReport* report) override;
  void RequestStop(TvlReport* report) override;
  void ShowProgress(const std::string& text) override;
  void Aggregate(int code, const TvlValue& p1, const TvlValue& p2, const TvlValue& p3,
                 TvlValue& val) override;

  std::int32_t ModalResult = 0;  // set by a dialog page's script (MODALRESULT)
  bool Cancelled = false;        // Cancel pressed in the progress window
  // The view's top in its band while it prints (band alignment on stretched bands).
  std::int32_t PrintingTemplateTop = 0;
  std::string NoProgressMessage() const;
  // Windowed runs are stopped by Cancel; others get the step budget per
  // script run and the preparation's budget for all runs together.
  void SetScriptBudget(bool withWindow);

 private:
  void InstallHooks();
  void RestoreHooks();
  void BeforePrint(TvlView& view);

  TvlRunContext& context_;
  TvlViewRunHooks viewHooks_;  // the program's hooks with the report's part put in

  TvlGlobals* globals_ = nullptr;
  std::unique_ptr<TvlGlobals> ownGlobals_;  // made when the program made none
  std::unique_ptr<TvlDictionaryFields> fields_;
  int pagesWithoutProgress_ = 0;
  int newPageDepth_ = 0;
  // What the run replaced on objects that outlive it, put back when it ends.
  std::function<TvlDataSource*()> savedDefaultDataSet_;
  std::uint64_t savedStepLimit_ = 0;
  TvlRunBudget* savedRunBudget_ = nullptr;
  std::unique_ptr<TvlRunBudget> runBudget_;
  // The object a budget message names: the running view, band or page.
  std::string RunningObjectName() const;
  friend class TvlPageRun;
};

// The innermost run in progress (nullptr outside Prepare).
TvlFormation* vlFormation();

}  // namespace vl
