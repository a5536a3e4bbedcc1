#pragma once
// The engine-wide run state. Only one report prepares at a time, so the
// engine keeps one set of it.

#include <cstdint>
#include <string>

namespace vl {

class TvlReport;
class TvlPage;
class TvlBand;
class TvlView;
class TvlExpressionEvaluator;
class TvlVariables;

enum class TvlDocMode : std::uint8_t { dmDesign, dmPrinting };

inline constexpr int kCurrentStreamVersion = 25;

struct TvlEngineState {
  TvlReport* CurReport = nullptr;
  TvlPage* CurPage = nullptr;
  TvlBand* CurBand = nullptr;
  TvlView* CurView = nullptr;
  TvlDocMode DocMode = TvlDocMode::dmDesign;
  std::int32_t PageNo = 0;
  std::int32_t TotalPages = 0;
  bool FirstPassOnly = false;
  bool AppendToPrevious = false;
  bool ErrorFlag = false;
  std::string ErrorText;
  int StreamVersion = kCurrentStreamVersion;  // version of the stream being read
  std::int32_t LastViewId = 0;                // the object factory's counter
  TvlExpressionEvaluator* Evaluator = nullptr;  // the shared evaluator
  TvlVariables* ScriptVariables = nullptr;      // the scripts' variables, owned by the globals

  void ClearError() {
    ErrorFlag = false;
    ErrorText.clear();
  }
};

TvlEngineState& vlState();

}  // namespace vl
