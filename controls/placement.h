#pragma once
// Where toolbars and windows were left, kept in the user settings store
// under one program-wide root key. Values are texts: integers in decimal,
// booleans "0" or "1"; a missing value or one that is not a number reads as
// the default.
//
//   root\ToolBar\<toolbar name>: isFloat, isVisible, XPosition, YPosition,
//     Width, Height, DockName (the dock's name, only while docked)
//   root\Form\<window class name>: XPosition, YPosition, Width, Height, Maximized

#include <string>

class QWidget;

namespace vl {

class TvlToolBar;

// The root key, "Software\Vellora" until the designer puts its own
// ("Software\Vellora\" and the application title).
const std::string& vlPlacementRoot();
void vlSetPlacementRoot(std::string root);

void SaveToolbarPlacement(const TvlToolBar& toolbar);
// Hides the toolbar, applies the saved size and position, floats it or docks
// it into the saved dock of its window (a dock name that names nothing
// leaves it where it is), then shows it as saved.
void RestoreToolbarPlacement(TvlToolBar& toolbar);
// className names the window's section ("TvlPreviewForm", "TvlDesignerForm").
void SaveFormPlacement(const QWidget& window, const std::string& className);
// A window saved while not maximised comes back in the normal state; either
// way its saved bounds are applied.
void RestoreFormPlacement(QWidget& window, const std::string& className);

}  // namespace vl
