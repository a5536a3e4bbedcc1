// The report's preparation run: Prepare with its template saved and
// restored, the single or two-pass run inside the progress window, the
// build of every template page (dialog pages first), and the entry points
// that show the result.

#include <cmath>
#include <exception>

#include "engine/core/date_time.h"
#include "engine/core/engine_state.h"
#include "engine/core/run_context.h"
#include "engine/core/string_table.h"
#include "engine/data/dataset.h"
#include "engine/formation/dialog_page_host.h"
#include "engine/formation/formation.h"
#include "engine/formation/report_windows.h"
#include "engine/model/page.h"
#include "engine/model/report.h"
#include "engine/model/scratch_canvas.h"
#include "engine/model/stream_reader.h"
#include "engine/model/stream_writer.h"
#include "engine/model/subreport_view.h"
#include "engine/binding/value_resolution.h"
#include "platform/platform.h"
#include "platform/progress_window.h"

namespace vl {

TvlReportWindows& vlReportWindows() {
  static TvlReportWindows windows;
  return windows;
}

namespace {

std::string WithTitle(int textId, const std::string& title) {
  std::string caption = vlLoadStr(textId);
  if (!title.empty()) caption += " - " + title;
  return caption;
}

}  // namespace

bool TvlReport::Prepare() {
  // Everything the run knows, reloading the template included, stays in the
  // run's own context.
  TvlRunContext context;
  bool result = false;
  bool error = false;
  std::string errorText;
  bool dialogCancelled = false;
  try {
    TvlRunContextScope scope(context);
    ChangePrinter(PrinterName);
    // Whatever scripts change during the run is undone afterwards.
    TvlStreamWriter saved;
    {
      TvlFormation run(*this, context);
      TvlEngineState& st = vlState();
      st.DocMode = TvlDocMode::dmPrinting;
      const double now = vlNow();
      vlValueContext().ReportDate = std::floor(now);
      vlValueContext().ReportTime = now - std::floor(now);

      // Band-aligned views settle their place once, as a draw would.
      for (int i = 0; i < Pages.Count(); ++i) {
        st.CurPage = Pages[i];
        for (auto& v : Pages[i]->Objects)
          if (v->BandAlign != baNone) v->AlignInBand(&vlScratchCanvas());
      }
      st.CurPage = nullptr;
      st.CurView = nullptr;
      CurPage = nullptr;
      st.CurReport = this;
      DoublePass = TwoPassReport;
      SaveToStream(saved);
      try {
        if (OnBeginDoc) OnBeginDoc();
        result = run.RunReport();
        if (OnEndDoc) OnEndDoc();
      } catch (const std::exception& e) {
        run.ReportError(e);
      }
      dialogCancelled = run.DialogCancelled;
      error = st.ErrorFlag;
      errorText = st.ErrorText;
    }

    const std::string bytes = saved.TakeBytes();
    const TvlLoadStatus status = LastLoadStatus;
    const std::string message = LastLoadMessage;
    TvlStreamReader r(bytes, true);
    LoadFromStream(r);
    LastLoadStatus = status;
    LastLoadMessage = message;
  } catch (const std::exception& e) {
    error = true;
    if (errorText.empty()) errorText = e.what();
  }
  CurPage = nullptr;
  IsFinalPass = false;
  if (dialogCancelled) result = false;
  // Outside other runs the outcome stays readable in the engine state for
  // callers without a screen; a run prepared inside another one leaves the
  // outer run's state alone.
  if (!vlInsideRun()) {
    TvlEngineState& st = vlState();
    st.CurReport = this;
    st.CurPage = nullptr;
    st.CurBand = nullptr;
    st.CurView = nullptr;
    st.DocMode = TvlDocMode::dmPrinting;
    st.PageNo = context.State.PageNo;
    st.TotalPages = context.State.TotalPages;
    st.FirstPassOnly = false;
    st.ErrorFlag = error;
    st.ErrorText = errorText;
  }
  if (error) {
    vlShowMessage(errorText, vlLoadStr(str::kError), TvlMsgIcon::Error);
    EMFPages.Clear();
  } else if (dialogCancelled) {
    EMFPages.Clear();
  }
  return result;
}

void TvlReport::PrepareAndShow() {
  Prepare();
  ShowPrepared();
}

void TvlReport::ShowPrepared() {
  TvlEngineState& st = vlState();
  st.CurReport = this;
  st.DocMode = TvlDocMode::dmPrinting;
  st.CurBand = nullptr;
  if (EMFPages.Count() == 0) return;
  if (const auto& show = vlReportWindows().ShowPreview) show(*this, WithTitle(str::kPreview, Title));
}

void TvlReport::EditPreparedPage(int index) {
  if (index < 0 || index >= EMFPages.Count()) return;
  if (const auto& edit = vlReportWindows().EditPage) edit(*this, index);
}

int TvlReport::DesignReport() {
  ChangePrinter(PrinterName);
  if (Pages.Count() == 0) Pages.Add();
  vlState().CurReport = this;
  const auto& design = vlReportWindows().DesignReport;
  return design ? design(*this) : 2;
}

// ---- The run. ----

bool TvlFormation::RunReport() {
  TvlEngineState& st = vlState();
  Report.StopRequested = false;
  st.AppendToPrevious = false;
  st.FirstPassOnly = false;
  Report.IsFinalPass = true;
  st.PageNo = 0;
  Report.EMFPages.Clear();
  const std::string caption = WithTitle(str::kPreparingReport, Report.Title);
  const bool withWindow = !Report.OnProgress && Report.ShowProgress;
  auto inWindow = [&]() {
    TvlProgressWindow& window = *vlPlatform().Progress;
    window.SetCancelCaption(vlLoadStr(str::kCancel));
    SetScriptBudget(true);
    Window = &window;
    const bool ok = window.Run(
        caption, StageText + "  1", [this]() { BuildAndContinue(); },
        [this]() {
          Report.StopRequested = true;
          Cancelled = true;
        });
    Window = nullptr;
    return ok;
  };

  if (Report.TwoPassReport) {
    st.FirstPassOnly = true;
    Report.IsFinalPass = false;
    if (!withWindow) {
      SetScriptBudget(false);
      BuildAndContinue();
      return true;
    }
    StageText = vlLoadStr(str::kFirstPass);
    return inWindow();
  }
  if (!withWindow) {
    Report.TwoPassReport = Report.DoublePass;
    SetScriptBudget(false);
    BuildAndContinue();
    return true;
  }
  StageText = vlLoadStr(str::kProcessingPage);
  if (Report.DoublePass && Window) {
    // The final pass of a two-pass report, inside the first pass's window.
    Report.TwoPassReport = true;
    Window->SetFirstLabel(StageText + "  1");
    BuildAndContinue();
    return true;
  }
  st.TotalPages = 0;
  return inWindow();
}

void TvlFormation::BuildAndContinue() {
  Build();
  if (Report.IsFinalPass) {
    if (Window) Window->Close(!Report.StopRequested);
    return;
  }
  vlState().TotalPages = Report.EMFPages.Count();
  Report.TwoPassReport = false;
  if (Report.StopRequested) {
    Report.EMFPages.Clear();
    if (Window) Window->Close(false);
  } else {
    RunReport();
  }
  Report.TwoPassReport = true;
}

void TvlFormation::Build() {
  TvlEngineState& st = vlState();
  if (Window) Window->ProcessEvents();
  Report.Rebuildable = true;
  st.DocMode = TvlDocMode::dmPrinting;
  st.CurReport = &Report;
  Report.Dictionary.ClearCache();
  st.ClearError();
  FinalPassOfTwo = Report.DoublePass && Report.IsFinalPass;
  TvlDataset* multiple = Report.ReportType == rtMultiple ? Report.Dataset : nullptr;
  try {
    if (multiple) {
      multiple->Init();
      multiple->First();
    }
    if (!FinalPassOfTwo) {
      DialogCancelled = false;
      for (auto& p : Pages) p->IsSubReportPage = false;
      // Pages printed through sub-report views are known before any tree is built.
      for (auto& p : Pages)
        for (auto& v : p->Page.Objects)
          if (v->Typ == otSubReport)
            if (TvlPageRun* target = PageRun(static_cast<TvlSubReportView*>(v.get())->TargetPage);
                target && target != p.get())
              target->IsSubReportPage = true;
      ShowDialogPages();
    }
    // A multiple report over no records has nothing to print: no pages.
    const bool noRecords = multiple && multiple->Eof();
    if (!DialogCancelled && !Report.StopRequested && !noRecords) {
      for (auto& p : Pages)
        if (p->Page.PageType == ptReport) p->PreparePage();
      if (!FinalPassOfTwo)
        for (auto& p : Pages)
          if (p->Page.PageType == ptReport) p->PrepareObjects();
      const std::size_t count = Pages.size();
      do {
        Progress(st.PageNo + 1);
        for (std::size_t j = 0; j < count && !Report.StopRequested; ++j) {
          TvlPageRun& p = *Pages[j];
          TvlPage& page = p.Page;
          if (page.PageType == ptDialog) continue;
          Report.CurPage = st.CurPage = &page;
          if (!page.Visible) p.RunPageScript();
          if (page.Visible && !p.IsSubReportPage) {
            p.BuildMode = TvlBuildMode::Normal;
            p.FormPage();
          }
          st.AppendToPrevious = false;
          if (j + 1 < count && Pages[j + 1]->Page.PrintToPrevPage) {
            --st.PageNo;
            st.AppendToPrevious = true;
          } else {
            st.PageNo = Report.EMFPages.Count();
            Progress(st.PageNo);
          }
        }
        Progress(st.PageNo);
        if (multiple) {
          multiple->Next();
          NoteProgress();
        }
      } while (multiple && !Report.StopRequested && !multiple->Eof());
    }
  } catch (const TvlRunStopped&) {
    Report.StopRequested = true;
  } catch (const std::exception& e) {
    ReportError(e);
  }
  for (auto& p : Pages) p->FinishPage();
  if (multiple) {
    try {
      multiple->Exit();
    } catch (const std::exception& e) {
      ReportError(e);
    }
  }
}

void TvlFormation::ShowDialogPages() {
  TvlEngineState& st = vlState();
  TvlDialogPageHost& host = vlDialogPageHost();
  for (auto& p : Pages) {
    if (DialogCancelled || Report.StopRequested) break;
    TvlPage& page = p->Page;
    if (page.PageType != ptDialog) continue;
    Report.CurPage = st.CurPage = &page;
    st.CurBand = nullptr;
    // The page's window exists while its script runs, so that what the
    // script sets on the controls reaches the window; it goes in any case.
    struct PageWindow {
      TvlDialogPageHost& Host;
      TvlPage& Page;
      PageWindow(TvlDialogPageHost& h, TvlPage& pg) : Host(h), Page(pg) { Host.Open(Page); }
      ~PageWindow() { Host.Close(Page); }
    } pageWindow(host, page);
    if (!page.Objects.empty() && page.Visible) {
      const bool shown = Window && Window->IsShown();
      if (Window) Window->SetShown(false);
      ModalResult = mrNone;
      try {
        p->RunPageScript();
      } catch (const std::exception& e) {
        ReportError(e);
      }
      std::int32_t result = ModalResult;
      if (result == mrNone && !Report.StopRequested) result = host.ShowModal(page);
      if (result == mrCancel) DialogCancelled = true;
      if (Window) Window->SetShown(shown);
    } else {
      try {
        p->RunPageScript();
      } catch (const std::exception& e) {
        ReportError(e);
      }
    }
  }
}

}  // namespace vl
