#pragma once
// The state of a run (what it is at: report, page, band, view, page
// numbers, error), kept in the run's context (run_context.h), and what the
// whole program shares whatever run is in progress.

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
  // Appending the next template page to the last prepared page: where that
  // page's cursor and bottom stood and whether its footer already printed.
  bool AppendToPrevious = false;
  std::int32_t PreviousCursorY = 0, PreviousBottom = 0;
  bool PreviousFooterDone = false;
  bool ErrorFlag = false;
  std::string ErrorText;
  int StreamVersion = kCurrentStreamVersion;  // version of the stream being read

  void ClearError() {
    ErrorFlag = false;
    ErrorText.clear();
  }
};

// The state of the run in progress, or the program's own outside runs.
TvlEngineState& vlState();

struct TvlSharedState {
  std::int32_t LastViewId = 0;                  // the object factory's counter
  TvlExpressionEvaluator* Evaluator = nullptr;  // the shared evaluator
  TvlVariables* ScriptVariables = nullptr;      // the scripts' variables, owned by the globals
};
TvlSharedState& vlShared();

}  // namespace vl
