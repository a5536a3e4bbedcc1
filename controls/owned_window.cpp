#include "controls/owned_window.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace vl {
namespace {

constexpr const char* kPending = "vlShowAboveOwnerPending";

void ShowNow(QWidget& window) {
  window.setProperty(kPending, false);
  window.show();
  window.raise();
}

// Waits for the owner's first exposure, then shows the window once.
class TvlShowWhenExposed : public QObject {
 public:
  TvlShowWhenExposed(QWindow& owner, QWidget& window) : QObject(&owner), window_(&window) {
    owner.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
      watched->removeEventFilter(this);
      if (window_ && window_->property(kPending).toBool()) ShowNow(*window_);
      deleteLater();
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QPointer<QWidget> window_;
};

}  // namespace

void vlShowAboveOwner(QWidget& window) {
  QWidget* owner = window.parentWidget() ? window.parentWidget()->window() : nullptr;
  QWindow* ownerHandle = owner ? owner->windowHandle() : nullptr;
  // Only an X11 window manager reads the owner once, when the window maps.
  const bool waits = QGuiApplication::platformName() == QLatin1String("xcb") && owner && owner->isVisible() &&
                     ownerHandle && !ownerHandle->isExposed();
  if (!waits) {
    ShowNow(window);
    return;
  }
  if (window.property(kPending).toBool()) return;
  window.setProperty(kPending, true);
  new TvlShowWhenExposed(*ownerHandle, window);
}

}  // namespace vl
