#include "controls/drag_tracker.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>

namespace vl {
namespace {

// Lives as a child of the application object, so it goes with it.
class TvlDragTracker : public QObject {
 public:
  explicit TvlDragTracker(QObject* parent) : QObject(parent) {}

  TvlDragHandlers Handlers;
  bool Active = false;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    // Only events on their way to a widget: the window below has done its
    // own bookkeeping of the press by then.
    if (!Active || !watched->isWidgetType()) return false;
    if (event->type() == QEvent::MouseMove) {
      const auto handlers = Handlers;  // a handler may begin another drag
      if (handlers.Move) handlers.Move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
      return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
      const auto handlers = Handlers;
      Active = false;
      Handlers = {};
      if (handlers.Release) handlers.Release(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
      return true;
    }
    return false;
  }
};

TvlDragTracker* Tracker() {
  static QPointer<TvlDragTracker> tracker;
  if (!tracker && qApp) {
    tracker = new TvlDragTracker(qApp);
    qApp->installEventFilter(tracker);
  }
  return tracker;
}

}  // namespace

void vlBeginDrag(TvlDragHandlers handlers) {
  if (TvlDragTracker* tracker = Tracker()) {
    tracker->Handlers = std::move(handlers);
    tracker->Active = true;
  }
}

void vlEndDrag() {
  if (TvlDragTracker* tracker = Tracker()) {
    tracker->Active = false;
    tracker->Handlers = {};
  }
}

bool vlDragging() {
  TvlDragTracker* tracker = Tracker();
  return tracker && tracker->Active;
}

}  // namespace vl
