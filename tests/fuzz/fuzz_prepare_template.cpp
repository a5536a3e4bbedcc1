// Preparing a template: any bytes that load as a template must prepare into
// pages or end in the run's error message, never in a crash, undefined
// behaviour, a hang or runaway allocation. Work per input is bounded by the
// run's own budgets, set small, and by stopping after a few hundred views.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/engine_state.h"
#include "engine/formation/formation.h"
#include "engine/model/report.h"
#include "engine/model/stream_reader.h"
#include "engine/model/stream_writer.h"
#include "engine/model/views.h"
#include "engine/printer/printer.h"
#include "engine/binding/globals.h"
#include "engine/binding/standard_library.h"
#include "engine/script/function_library.h"
#include "platform/memory_printer.h"
#include "platform/platform.h"
#include "platform/recording_message_box.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/model/sample_template.h"

using namespace vl;

namespace {

constexpr int kMaxViewsPrinted = 400;

TvlRecordingMessageBox& Box() {
  static TvlRecordingMessageBox box;
  return box;
}

std::string Saved(TvlReport& r) {
  TvlStreamWriter w;
  r.SaveToStream(w);
  return w.TakeBytes();
}

template <typename T>
T* Add(TvlPage& page, const std::string& name, std::int32_t top, std::int32_t height) {
  auto v = std::make_unique<T>();
  v->Name = name;
  v->Left = 20;
  v->Top = top;
  v->Width = 200;
  v->Height = height;
  T* raw = v.get();
  page.Objects.push_back(std::move(v));
  return raw;
}

// A page of bands and texts that exercise columns, spacing, scripts and
// dictionary variables: the fields the fuzzer should bend.
std::string BandedTemplate() {
  TvlReport r;
  TvlPage& page = *r.Pages.Add();
  page.Margins = {20, 20, 20, 20};
  page.Columns = 2;
  page.ColumnGap = 10;
  page.Script = {"begin n := n + 1 end"};
  Add<TvlBandView>(page, "Title", 0, 30)->FrameTyp = btReportTitle;
  TvlBandView* master = Add<TvlBandView>(page, "M", 40, 30);
  master->FrameTyp = btMasterData;
  master->FormatText = "5";
  master->Columns = 2;
  master->ColumnWidth = 100;
  master->ColumnGap = 10;
  TvlMemoView* text = Add<TvlMemoView>(page, "Memo1", 40, 20);
  text->Memo = {"[LINE#] [V0] a long line of words that wraps inside the view"};
  text->Flags = flWordWrap | flStretched;
  text->LineSpacing = 2;
  text->CharSpacing = 1;
  text->Alignment = vltaMiddle;
  text->Script = {"begin i := 0; while i < 3 do i := i + 1; S := 'x' + S end"};
  Add<TvlBandView>(page, "F", 80, 20)->FrameTyp = btPageFooter;
  Add<TvlMemoView>(page, "Memo2", 80, 20)->Memo = {"[PAGE#] of [TOTALPAGES]"};
  r.Dictionary.Variables.Set(" Values", "");
  r.Dictionary.Variables.Set("V0", "V1 + V1");
  r.Dictionary.Variables.Set("V1", "2");
  return Saved(r);
}

std::vector<std::string> Seeds() {
  std::vector<std::string> seeds{BandedTemplate()};
  TvlReport r;
  sample::Fill(r);
  seeds.push_back(Saved(r));
  return seeds;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  static TvlMemoryPrinter noPrinters;
  vlResetPrinter(&noPrinters);
  Box().EchoToStderr = false;
  vlInstallPlatform(TvlPlatform{&Box(), nullptr, nullptr, &noPrinters});
  static TvlGlobals globals;
  vlRegisterFunctionLibrary<TvlStdFunctionLibrary>();
  TvlRunSettings& run = vlRunSettings();
  run.ScriptStepBudget = 20'000;
  run.PreparationStepBudget = 100'000;
  run.PreparationTimeBudget = std::chrono::seconds(2);
  run.MaxPagesWithoutProgress = 20;
  vl::fuzz::WriteSeedsIfAsked(Seeds());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Box().Messages.clear();
  TvlEngineState& st = vlState();
  st.ClearError();
  st.StreamVersion = kCurrentStreamVersion;
  TvlReport report;
  {
    TvlStreamReader r(data, size);
    report.LoadFromStream(r);  // never throws
  }
  if (report.LastLoadStatus != TvlLoadStatus::Loaded) return 0;
  report.ShowProgress = false;
  report.TwoPassReport = false;  // one pass is enough to reach every sum
  int printed = 0;
  report.OnBeforePrint = [&](std::vector<std::string>&, TvlView*) {
    if (++printed > kMaxViewsPrinted) report.StopRequested = true;
  };
  report.Prepare();
  if (Box().Messages.size() > 1) __builtin_trap();  // one run, at most one error
  st.ClearError();
  return 0;
}
