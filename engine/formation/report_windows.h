#pragma once
// The windows the report's run opens: the preview of the prepared pages,
// the designer on one prepared page and the designer on the template. They
// are built above the engine, so the program installs them at start-up;
// while a member is unset, that entry point shows nothing.

#include <functional>
#include <string>

namespace vl {

class TvlReport;

struct TvlReportWindows {
  // Shows the report's prepared pages (modally when the report's
  // ModalPreview is set).
  std::function<void(TvlReport& report, const std::string& caption)> ShowPreview;
  // Opens the designer on prepared page index; returns whether the user
  // wrote the edited page back.
  std::function<bool(TvlReport& report, int index)> EditPage;
  // Opens the designer on the report's template; returns its modal result.
  std::function<int(TvlReport& report)> DesignReport;
};
TvlReportWindows& vlReportWindows();

}  // namespace vl
