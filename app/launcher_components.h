#pragma once
// The settings the launcher stores for its designer component, which the
// engine's designer class does not carry yet.

#include <cstdint>
#include <string>

namespace vl {

// The designer host component: the folders its Open and Save-as dialogs
// start in. The designer window itself is not built yet.
struct TvlDesigner {
  std::string OpenDir, SaveDir, TemplateDir;
  bool CloseQuery = true;
  bool HideDisabledButtons = true;
};

}  // namespace vl
