#pragma once
// Where toolbars and windows were left, kept in the user settings store
// under one program-wide root key. Values are texts: integers in decimal,
// booleans "0" or "1"; a missing value or one that is not a number reads as
// the default.
//
//   root\ToolBar\<toolbar name>: isFloat, isVisible, XPosition, YPosition,
//     Width, Height, DockName (the dock's name, only while docked)
//   root\Form\<window class name>: XPosition, YPosition, Width, Height (the
//     client rectangle, without the window manager's frame; of a maximised
//     window the rectangle it returns to), Maximized

#include <QRect>
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
// way its saved bounds are applied (as the bounds a maximised window returns
// to), pulled onto the screens when they lie outside them. Without a saved
// position only the size is applied; returns whether a position was.
bool RestoreFormPlacement(QWidget& window, const std::string& className);
// A client rectangle not wholly on a screen, moved (and shrunk when larger)
// into the available area of the screen showing most of it, or of the
// primary screen when none does, with room for the window's frame; one on a
// screen is returned as it is.
QRect vlPulledOnScreen(QRect bounds);

}  // namespace vl
