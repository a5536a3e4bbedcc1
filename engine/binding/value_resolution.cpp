#include "engine/binding/value_resolution.h"

#include <cctype>
#include <concepts>

#include "engine/core/display_format.h"
#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/core/string_table.h"
#include "engine/core/text.h"
#include "engine/core/value_convert.h"
#include "engine/core/value_ops.h"
#include "engine/model/codes.h"
#include "engine/model/page.h"
#include "engine/model/report.h"
#include "engine/model/view.h"
#include "engine/binding/globals.h"
#include "engine/binding/report_interpretator.h"
#include "engine/binding/run_access.h"
#include "engine/script/function_library.h"

namespace vl {
namespace {

// A chain of bands longer than this is taken as a loop.
constexpr int kMaxChainSteps = 100000;

TvlGlobals& Globals() {
  TvlGlobals* g = vlGlobals();
  if (!g) throw TvlError("The engine's globals are not created");
  return *g;
}

TvlBand* LineBand() {
  TvlBand* band = vlState().CurBand;
  TvlRunAccess& run = vlRunAccess();
  if (band && !run.HasDataset(band)) {
    for (int k = 0; k < kMaxChainSteps; ++k) {
      TvlBand* prev = run.ChainPrev(band);
      if (!prev) break;
      band = prev;
    }
  }
  return band;
}

TvlValue ReportText(const std::string TvlReport::*field) {
  TvlReport* report = vlState().CurReport;
  return TvlValue(report ? report->*field : std::string());
}

// Rules 2 to 8 of the lookup: true when one applied.
bool SystemValue(std::string_view name, TvlValue& value) {
  TvlEngineState& st = vlState();
  TvlValueContext& ctx = vlValueContext();
  TvlRunAccess& run = vlRunAccess();
  if (name == "VALUE") value = ctx.CurrentValue;
  else if (name == "PAGE#") value = TvlValue(st.PageNo + 1);
  else if (name == "DATE") value = TvlValue::DateTime(ctx.ReportDate);
  else if (name == "TIME") value = TvlValue::DateTime(ctx.ReportTime);
  else if (name == "LINE#") value = TvlValue(st.CurBand ? run.LineInGroup(LineBand()) : 0);
  else if (name == "LINETHROUGH#") value = TvlValue(st.CurBand ? run.LineThrough(LineBand()) : 0);
  else if (name == "COLUMN#") value = TvlValue(run.CrossColumnNo(st.CurPage));
  else if (name == "CURRENT#") value = TvlValue(run.CurrentLine(st.CurPage));
  else if (name == "TOTALPAGES") value = TvlValue(st.TotalPages);
  else if (name == "REPORTCOMMENT") value = ReportText(&TvlReport::ReportComment);
  else if (name == "REPORTNAME") value = ReportText(&TvlReport::ReportName);
  else if (name == "REPORTAUTOR") value = ReportText(&TvlReport::ReportAutor);
  else if (name == "VMAJOR") value = ReportText(&TvlReport::VMajor);
  else if (name == "VMINOR") value = ReportText(&TvlReport::VMinor);
  else if (name == "VRELEASE") value = ReportText(&TvlReport::VRelease);
  else if (name == "VBUILD") value = ReportText(&TvlReport::VBuild);
  else if (name == "REPORTDATE") value = TvlValue::DateTime(st.CurReport ? st.CurReport->ReportCreateDate : 0);
  else if (name == "REPORTLASTCHANGE") value = TvlValue::DateTime(st.CurReport ? st.CurReport->ReportLastChange : 0);
  else if (name == "CALCWIDTH") value = TvlValue(st.CurView ? run.CalcWidth(st.CurView) : 0);
  else if (const TvlValue* v = vlGlobals() ? vlGlobals()->ScriptVariables.Find(name) : nullptr) value = *v;
  else return false;
  return true;
}

std::int32_t PageWidth(const TvlPage* page) {
  if (!page) return 0;
  const TvlPaperMetrics& m = page->PaperMetrics;
  if (!page->UseMargins) return m.PaperWidthU;
  if (page->Margins.Right != 0) return m.PaperWidthU - page->Margins.Right;
  return m.OffsetXU + m.PrintableWidthU;
}

void ExtraValue(std::string_view name, TvlValue& value) {
  TvlEngineState& st = vlState();
  TvlRunAccess& run = vlRunAccess();
  if (name == "CURY") value = TvlValue(run.CursorY(st.CurPage));
  else if (name == "FREESPACE") value = TvlValue(run.CursorBottom(st.CurPage) - run.CursorY(st.CurPage));
  else if (name == "FINALPASS") value = TvlValue(run.IsFinalPass(st.CurReport));
  else if (name == "PAGEHEIGHT") value = TvlValue(run.CursorBottom(st.CurPage));
  else if (name == "PAGEWIDTH") value = TvlValue(PageWidth(st.CurPage));
  if (!value.IsEmpty()) return;
  const TvlPropertyRef ref = vlFindObjectProperty(name);
  if (ref.Object && ref.Object->FindProperty(ref.Property)) {
    value = ref.Object->GetProperty(ref.Property);
    return;
  }
  if (TvlGlobals* g = vlGlobals())
    if (const TvlValue* c = g->Constants.Find(name)) value = *c;
}

// Clears ResolvingName however the evaluation ends.
struct TvlResolvingGuard {
  explicit TvlResolvingGuard(std::string_view name) { vlValueContext().ResolvingName = std::string(name); }
  ~TvlResolvingGuard() { vlValueContext().ResolvingName.clear(); }
  TvlResolvingGuard(const TvlResolvingGuard&) = delete;
  TvlResolvingGuard& operator=(const TvlResolvingGuard&) = delete;
};

TvlValue EvaluateText(const TvlValue& text) { return Globals().Parser.Evaluate(vlValueToText(text)); }

std::string ArgumentName(const TvlValue& p) { return vlTrim(vlValueToText(p)); }

void AssignThroughInterpreter(const std::string& name, const TvlValue& value) {
  TvlGlobals& g = Globals();
  if (g.Interpreter) g.Interpreter->AssignValue(name, value);
  else g.ScriptVariables.Set(name, value);
}

}  // namespace

TvlValueContext& vlValueContext() { return vlRunContext().Values; }

std::string vlUndefinedSymbolMessage(std::string_view name) {
  std::string message = vlLoadStr(str::kUndefinedSymbol);
  message += " \"";
  message += name;
  message += '"';
  return message;
}

std::string vlArrayElementName(std::string_view array, const TvlValue& index) {
  std::string name = "Arr_";
  name += array;
  name += '_';
  if (index.IsString()) name += index.Str();
  else name += std::to_string(vlValueToInteger(index));
  return name;
}

TvlPropertyRef vlFindObjectProperty(std::string_view name) {
  TvlEngineState& st = vlState();
  TvlPropertyRef ref;
  const std::size_t dot = name.find('.');
  if (dot == std::string_view::npos) {
    ref.Object = st.CurView;
    ref.Property = std::string(name);
  } else {
    const std::string first(name.substr(0, dot));
    ref.Property = std::string(name.substr(dot + 1));
    TvlReport* report = st.CurReport;
    const std::string upper = vlUpperCase(first);
    if (upper.size() >= 5 && upper.compare(0, 4, "PAGE") == 0 &&
        std::isdigit(static_cast<unsigned char>(upper[4]))) {
      std::int64_t n = 0;
      for (std::size_t k = 4; k < upper.size() && std::isdigit(static_cast<unsigned char>(upper[k])) && n < 1000000; ++k)
        n = n * 10 + (upper[k] - '0');
      if (report && n >= 1 && n <= report->Pages.Count()) ref.Object = report->Pages[static_cast<int>(n - 1)];
    } else if (TvlView* view = report ? report->FindObject(first) : nullptr) {
      ref.Object = view;
    } else if (st.CurView) {
      st.CurView->EnsureProperties();
      if (st.CurView->FindProperty(first)) {
        ref.Object = st.CurView;
        ref.Property = std::string(name);
      }
    }
  }
  if (ref.Object) ref.Object->EnsureProperties();
  return ref;
}

void vlResolveValue(std::string_view name, TvlValue& value) {
  value = TvlValue();
  TvlReport* report = vlState().CurReport;
  if (report && report->OnGetValue) report->OnGetValue(std::string(name), value);
  if (!value.IsEmpty()) return;
  value = TvlValue(0);
  if (report) {
    const std::string key(name);
    if (report->Dictionary.IsVariable(key)) {
      value = report->Dictionary.GetValue(key);
      return;
    }
  }
  if (SystemValue(name, value)) return;
  value = TvlValue();
  ExtraValue(name, value);
  if (!value.IsEmpty()) return;
  TvlValueContext& ctx = vlValueContext();
  if (name != ctx.ResolvingName) {
    TvlResolvingGuard guard(name);
    value = Globals().Parser.Evaluate(name);
  } else if (!ctx.RegistrationMode) {
    throw TvlError(vlUndefinedSymbolMessage(name));
  }
}

TvlValue vlResolveValue(std::string_view name) {
  TvlValue value;
  vlResolveValue(name, value);
  return value;
}

void vlCallFunction(std::string_view name, const TvlValue& p1, const TvlValue& p2, const TvlValue& p3,
                    TvlValue& val) {
  val = TvlValue("0");
  if (vlOfferCallToLibraries(name, p1, p2, p3, val)) return;
  vlRunProcedure(name, p1, p2, p3, val);
  TvlReport* report = vlState().CurReport;
  if (report && report->OnUserFunction) report->OnUserFunction(name, p1, p2, p3, val);
}

void vlRunProcedure(std::string_view name, const TvlValue& p1, const TvlValue& p2, const TvlValue& p3,
                    TvlValue& val) {
  TvlEngineState& st = vlState();
  TvlRunAccess& run = vlRunAccess();
  if (name == "STOPREPORT") {
    run.RequestStop(st.CurReport);
  } else if (name == "NEWPAGE") {
    if (st.CurBand) run.RequestNewPage(st.CurBand);
  } else if (name == "NEWCOLUMN") {
    if (st.CurBand) run.RequestNewColumn(st.CurBand);
  } else if (name == "SHOWBAND") {
    run.ShowBand(st.CurPage, ArgumentName(p1));
  } else if (name == "INC" || name == "DEC") {
    const std::string target = ArgumentName(p1);
    TvlValue v = vlResolveValue(target);
    if (name == "INC") vlValueAdd(v, TvlValue(1));
    else vlValueSubtract(v, TvlValue(1));
    AssignThroughInterpreter(target, v);
  } else if (name == "SETARRAY" || name == "GETARRAY") {
    const std::string array = ArgumentName(p1);
    const bool set = name == "SETARRAY";
    if (array.find('.') != std::string::npos) {
      const TvlPropertyRef ref = vlFindObjectProperty(array);
      if (ref.Object) {
        const std::string property = vlUpperCase(ref.Property);
        const TvlValue index = EvaluateText(p2);
        if (set) ref.Object->CallMethod("SETINDEXPROPERTY", TvlValue(property), index, EvaluateText(p3));
        else val = ref.Object->CallMethod("GETINDEXPROPERTY", TvlValue(property), index, TvlValue::Null());
        return;
      }
    }
    const TvlValue index = EvaluateText(p2);
    TvlGlobals& g = Globals();
    if (set) {
      const TvlValue value = EvaluateText(p3);
      g.ScriptVariables.Set(vlArrayElementName(array, index), value);
    } else {
      const TvlValue* element = g.ScriptVariables.Find(vlArrayElementName(array, index));
      val = element ? *element : TvlValue::Null();
    }
  } else {
    const TvlPropertyRef ref = vlFindObjectProperty(name);
    if (ref.Object) val = ref.Object->CallMethod(ref.Property, p1, p2, p3);
  }
}

std::string vlBracketText(std::string_view text) {
  TvlValueContext& ctx = vlValueContext();
  ctx.ResolvingName.clear();
  TvlView* view = vlState().CurView;
  std::int32_t code = view ? view->Format : 0;
  std::string formatText = view ? view->FormatText : std::string();
  std::string expression, suffix;
  if (vlSplitFormatSuffix(text, expression, suffix)) vlApplyFormatSuffix(suffix, code, formatText);
  ctx.CurrentExpression = expression;
  ctx.CurrentValue = TvlValue(0);
  TvlValue value;
  vlResolveValue(expression, value);
  ctx.CurrentValue = value;
  if (view && (view->Flags & flHideZeros) && !ctx.CurrentValue.IsString()) {
    try {
      if (vlValueCompare(ctx.CurrentValue, TvlValue(0)) == 0) ctx.CurrentValue = TvlValue("");
    } catch (const TvlError&) {
      // A value that does not compare with 0 is printed as it is.
    }
  }
  if (ctx.RegistrationMode) return {};
  return vlFormatDisplayValue(ctx.CurrentValue, code, formatText);
}

}  // namespace vl
