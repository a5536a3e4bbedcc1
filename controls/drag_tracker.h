#pragma once
// Follows one mouse drag wherever the events go: a toolbar's drag moves it
// from its dock into a float window and back, hiding and re-parenting the
// widget that took the press. While a drag runs, every mouse move and the
// release reach its handlers with the cursor's screen position, whichever
// widget the platform sends them to.

#include <QPoint>
#include <QPointer>
#include <functional>

namespace vl {

struct TvlDragHandlers {
  std::function<void(QPoint screen)> Move;
  std::function<void(QPoint screen)> Release;
};

// Starts following a drag; a drag already running is replaced without its
// release.
void vlBeginDrag(TvlDragHandlers handlers);
// Stops following without a release.
void vlEndDrag();
bool vlDragging();

// Follows a drag for a widget with DragMove(QPoint) and DragRelease(); the
// drag ends quietly if the widget goes first.
template <class TWidget>
void vlBeginDragFor(TWidget* widget) {
  QPointer<TWidget> self(widget);
  vlBeginDrag({[self](QPoint screen) {
                 if (self) self->DragMove(screen);
               },
               [self](QPoint) {
                 if (self) self->DragRelease();
               }});
}

}  // namespace vl
