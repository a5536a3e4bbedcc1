#include "controls/owned_window.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace vl {
namespace {

void ShowNow(QWidget& window) {
  window.show();
  // The owner is on screen now: name it again, so that a window manager that
  // saw the window before its owner learns whose it is.
  QWidget* owner = window.parentWidget() ? window.parentWidget()->window() : nullptr;
  if (QWindow* handle = window.windowHandle(); handle && owner && owner->windowHandle()) {
    handle->setTransientParent(nullptr);
    handle->setTransientParent(owner->windowHandle());
  }
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
      if (window_ && window_->property(kPending).toBool()) {
        window_->setProperty(kPending, false);
        ShowNow(*window_);
      }
      deleteLater();
    }
    return QObject::eventFilter(watched, event);
  }

 public:
  static constexpr const char* kPending = "vlShowAboveOwnerPending";

 private:
  QPointer<QWidget> window_;
};

}  // namespace

void vlShowAboveOwner(QWidget& window) {
  QWidget* owner = window.parentWidget() ? window.parentWidget()->window() : nullptr;
  QWindow* ownerHandle = owner ? owner->windowHandle() : nullptr;
  if (!owner || !owner->isVisible() || !ownerHandle || ownerHandle->isExposed()) {
    window.setProperty(TvlShowWhenExposed::kPending, false);
    ShowNow(window);
    return;
  }
  if (window.property(TvlShowWhenExposed::kPending).toBool()) return;
  window.setProperty(TvlShowWhenExposed::kPending, true);
  new TvlShowWhenExposed(*ownerHandle, window);
}

}  // namespace vl
