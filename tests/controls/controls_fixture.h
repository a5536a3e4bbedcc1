#pragma once
// Helpers of the controls' widget tests: mouse and key events sent as the
// platform sends them, and an in-memory settings store in force for a test.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include "platform/memory_settings_store.h"
#include "platform/platform.h"
#include "tests/qt_application.h"

namespace vl {

inline void SendMouse(QWidget* widget, QEvent::Type type, QPoint local, Qt::MouseButtons held = Qt::NoButton) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  if (type == QEvent::MouseButtonPress) held = Qt::LeftButton;
  QMouseEvent event(type, QPointF(local), QPointF(widget->mapToGlobal(local)), button, held, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}
inline void Press(QWidget* widget, QPoint local) { SendMouse(widget, QEvent::MouseButtonPress, local); }
inline void Drag(QWidget* widget, QPoint local) { SendMouse(widget, QEvent::MouseMove, local, Qt::LeftButton); }
inline void Release(QWidget* widget, QPoint local) { SendMouse(widget, QEvent::MouseButtonRelease, local); }
inline void ClickAt(QWidget* widget, QPoint local) {
  Press(widget, local);
  Release(widget, local);
}
inline void Click(QWidget* widget) { ClickAt(widget, widget->rect().center()); }

// The same with screen positions (drags that leave the widget they began on).
inline void DragTo(QWidget* receiver, QPoint screen) { Drag(receiver, receiver->mapFromGlobal(screen)); }
inline void ReleaseAt(QWidget* receiver, QPoint screen) { Release(receiver, receiver->mapFromGlobal(screen)); }

inline void SendKey(QWidget* widget, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
}

// A settings store of its own for the test's lifetime.
class TvlScopedSettings {
 public:
  TvlScopedSettings() : previous_(vlPlatform().Settings) { vlInstallPlatform(TvlPlatform{nullptr, &Store}); }
  ~TvlScopedSettings() { vlInstallPlatform(TvlPlatform{nullptr, previous_}); }
  TvlMemorySettingsStore Store;

 private:
  TvlSettingsStore* previous_;
};

}  // namespace vl
