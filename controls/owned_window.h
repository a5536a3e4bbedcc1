#pragma once
// Tool windows kept above the window that owns them. A stacking window
// manager keeps a window above its owner only when the owner was already on
// screen when the window appeared (X11 window managers look the owner up
// once, when the window maps): a window shown while its owner is still being
// shown waits until the owner is exposed.

class QWidget;

namespace vl {

// Shows window (a Qt::Tool or Qt::Window child of its owner) and raises it,
// now or as soon as its owner is exposed.
void vlShowAboveOwner(QWidget& window);

}  // namespace vl
