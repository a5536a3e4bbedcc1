#include "engine/binding/globals.h"

#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/core/string_table.h"
#include "engine/binding/report_interpretator.h"
#include "engine/binding/value_resolution.h"

namespace vl {
namespace {

TvlGlobals* gGlobals = nullptr;

constexpr int kBandTypeCount = 23;
constexpr std::uint32_t kPatternWhite = 0xFFFFFF;
constexpr std::uint32_t kPatternSilver = 0xC0C0C0;

}  // namespace

TvlGlobals* vlGlobals() { return gGlobals; }

TvlGlobals::TvlGlobals() {
  if (gGlobals) throw TvlError("The engine's globals exist already");
  FontCharset = vlLoadStr(str::kDefaultCharset);
  for (int k = 0; k < kBandTypeCount; ++k) BandNames.push_back(vlLoadStr(str::kFirstBandName + k));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      PatternBitmap[static_cast<std::size_t>(y * 8 + x)] = (x + y) % 2 == 0 ? kPatternWhite : kPatternSilver;
  Parser.OnGetValue = [](std::string_view name, TvlValue& value) { vlResolveValue(name, value); };
  Parser.OnFunction = [](std::string_view name, const TvlValue& p1, const TvlValue& p2, const TvlValue& p3,
                         TvlValue& val) { vlCallFunction(name, p1, p2, p3, val); };
  Interpreter = std::make_unique<TInterpretator>();
  ScriptVariables.SetSorted(true);
  Constants.SetSorted(true);
  vlAddNamedConstants(Constants);
  gGlobals = this;
  TvlSharedState& st = vlShared();
  st.Evaluator = &Parser;
  st.ScriptVariables = &ScriptVariables;
}

TvlGlobals::~TvlGlobals() {
  TvlSharedState& st = vlShared();
  if (st.Evaluator == &Parser) st.Evaluator = nullptr;
  if (st.ScriptVariables == &ScriptVariables) st.ScriptVariables = nullptr;
  gGlobals = nullptr;
}

}  // namespace vl
