#pragma once
// The settings the launcher stores for its report and designer components
// that the engine's classes do not carry yet. Preview and designer read them
// once they exist; until then they are plain values kept with the window.

#include <cstdint>
#include <string>

namespace vl {

// The report's published preview settings.
struct TvlReportPreviewSettings {
  enum TvlPreviewZoom : std::uint8_t { pzDefault, pzPageWidth, pzOnePage, pzTwoPages };
  // Members of the set of preview toolbar buttons.
  enum TvlPreviewButton : std::uint8_t {
    pbZoom = 1 << 0, pbLoad = 1 << 1, pbSave = 1 << 2, pbPrint = 1 << 3,
    pbFind = 1 << 4, pbHelp = 1 << 5, pbExit = 1 << 6, pbPageSetup = 1 << 7,
  };
  TvlPreviewZoom InitialZoom = pzDefault;
  std::uint8_t PreviewButtons = pbZoom | pbLoad | pbSave | pbPrint | pbFind | pbHelp | pbExit | pbPageSetup;
  bool RebuildPrinter = false;
};

// The designer host component: the folders its Open and Save-as dialogs
// start in. The designer window itself is not built yet.
struct TvlDesigner {
  std::string OpenDir, SaveDir, TemplateDir;
  bool CloseQuery = true;
  bool HideDisabledButtons = true;
};

}  // namespace vl
