#include "engine/binding/report_interpretator.h"

#include "engine/core/engine_state.h"
#include "engine/core/text.h"
#include "engine/core/value_convert.h"
#include "engine/model/page.h"
#include "engine/model/report.h"
#include "engine/binding/globals.h"
#include "engine/binding/run_access.h"
#include "engine/binding/value_resolution.h"

namespace vl {

void TInterpretator::ReadValue(std::string_view name, TvlValue& value) { vlResolveValue(name, value); }

void TInterpretator::CallFunction(std::string_view name, const TvlValue& p1, const TvlValue& p2,
                                  const TvlValue& p3, TvlValue& value) {
  vlCallFunction(name, p1, p2, p3, value);
}

void TInterpretator::AssignValue(std::string_view name, const TvlValue& value) {
  TvlGlobals* g = vlGlobals();
  TvlEngineState& st = vlState();
  TvlRunAccess& run = vlRunAccess();
  const std::string key(name);
  if (g) {
    if (TvlValue* v = g->ScriptVariables.Find(name)) {
      *v = value;
      return;
    }
  }
  if (st.CurReport && st.CurReport->Dictionary.IsVariable(key)) {
    // The variable now holds the value instead of its expression.
    st.CurReport->Dictionary.Variables.Set(key, value);
    return;
  }
  if (vlSameText(name, "MODALRESULT")) {
    if (st.CurPage && st.CurPage->PageType == ptDialog) run.SetModalResult(st.CurPage, vlValueToInteger(value));
    return;
  }
  if (vlSameText(name, "CURY")) {
    if (st.CurBand && run.HasBreakRequests(st.CurBand)) run.KeepCursorY(st.CurBand);
    run.SetCursorY(st.CurPage, vlValueToInteger(value));
    return;
  }
  if (vlSameText(name, "PROGRESS")) {
    run.ShowProgress(vlValueToText(value));
    return;
  }
  const TvlPropertyRef ref = vlFindObjectProperty(name);
  if (ref.Object && ref.Object->FindProperty(ref.Property)) {
    ref.Object->SetProperty(ref.Property, value);
    return;
  }
  if (g) g->ScriptVariables.Set(name, value);
}

}  // namespace vl
