#include "controls/placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "controls/dock.h"
#include "controls/float_window.h"
#include "controls/tool_bar.h"
#include "platform/platform.h"
#include "platform/qt/qt_text.h"

namespace vl {
namespace {

std::string& Root() {
  static std::string root = "Software\\Vellora";
  return root;
}

std::string ToolBarKey(const TvlToolBar& toolbar) {
  return Root() + "\\ToolBar\\" + vlFromQt(toolbar.objectName());
}
std::string FormKey(const std::string& className) { return Root() + "\\Form\\" + className; }

void WriteNumber(const std::string& key, const char* name, int value) {
  vlPlatform().Settings->WriteString(key, name, std::to_string(value));
}
void WriteFlag(const std::string& key, const char* name, bool value) {
  vlPlatform().Settings->WriteString(key, name, value ? "1" : "0");
}
int ReadNumber(const std::string& key, const char* name, int fallback) {
  return vlPlatform().Settings->ReadInteger(key, name, fallback);
}
bool ReadFlag(const std::string& key, const char* name, bool fallback) {
  return ReadNumber(key, name, fallback ? 1 : 0) != 0;
}

}  // namespace

QRect vlPulledOnScreen(QRect bounds) {
  const QList<QScreen*> screens = QGuiApplication::screens();
  if (screens.isEmpty()) return bounds;
  // The screen showing most of the rectangle; the primary one when none does.
  QScreen* screen = QGuiApplication::primaryScreen();
  long long shown = 0;
  for (QScreen* s : screens) {
    const QRect common = s->availableGeometry() & bounds;
    const long long area = static_cast<long long>(common.width()) * common.height();
    if (area > shown) {
      shown = area;
      screen = s;
    }
  }
  const QRect area = screen->availableGeometry();
  // A window on the screen keeps its place exactly.
  if (area.contains(bounds)) return bounds;
  // Pulled in, it leaves room for the frame the window manager adds around
  // the client rectangle (the title bar above).
  constexpr int kSide = 8, kTitle = 32;
  const QRect room = area.adjusted(kSide, kTitle, -kSide, -kSide);
  bounds.setWidth(std::clamp(bounds.width(), 1, std::max(1, room.width())));
  bounds.setHeight(std::clamp(bounds.height(), 1, std::max(1, room.height())));
  if (bounds.right() > room.right()) bounds.moveRight(room.right());
  if (bounds.bottom() > room.bottom()) bounds.moveBottom(room.bottom());
  if (bounds.left() < room.left()) bounds.moveLeft(room.left());
  if (bounds.top() < room.top()) bounds.moveTop(room.top());
  return bounds;
}

const std::string& vlPlacementRoot() { return Root(); }
void vlSetPlacementRoot(std::string root) { Root() = std::move(root); }

void SaveToolbarPlacement(const TvlToolBar& toolbar) {
  const std::string key = ToolBarKey(toolbar);
  const bool floating = toolbar.Floating() && toolbar.FloatWindow();
  WriteFlag(key, "isFloat", toolbar.Floating());
  WriteFlag(key, "isVisible", toolbar.IsShown());
  const QPoint at = floating ? toolbar.FloatWindow()->pos() : toolbar.pos();
  WriteNumber(key, "XPosition", at.x());
  WriteNumber(key, "YPosition", at.y());
  WriteNumber(key, "Width", toolbar.width());
  WriteNumber(key, "Height", toolbar.height());
  if (const TvlDock* dock = toolbar.Dock())
    vlPlatform().Settings->WriteString(key, "DockName", vlFromQt(dock->objectName()));
}

void RestoreToolbarPlacement(TvlToolBar& toolbar) {
  const std::string key = ToolBarKey(toolbar);
  toolbar.SetShown(false);
  const int x = ReadNumber(key, "XPosition", toolbar.x());
  const int y = ReadNumber(key, "YPosition", toolbar.y());
  toolbar.resize(ReadNumber(key, "Width", toolbar.width()), ReadNumber(key, "Height", toolbar.height()));
  if (ReadFlag(key, "isFloat", false)) {
    toolbar.FloatAt(x, y);
  } else {
    TvlDock* current = toolbar.Dock();
    const std::string fallback = current ? vlFromQt(current->objectName()) : std::string();
    const std::string dockName = vlPlatform().Settings->ReadString(key, "DockName", fallback);
    TvlDock* dock = nullptr;
    if (QWidget* owner = toolbar.Owner()) dock = vlFindDock(owner, vlToQt(dockName));
    // A floating toolbar whose saved dock is gone keeps floating where it is.
    if (current || dock) toolbar.move(x, y);
    if (dock && dock != current) toolbar.DockInto(dock, x, y);
    toolbar.AdjustSize();
  }
  toolbar.SetShown(ReadFlag(key, "isVisible", true));
}

void SaveFormPlacement(const QWidget& window, const std::string& className) {
  const std::string key = FormKey(className);
  // The client rectangle (without the frame the window manager adds), and
  // for a maximised window the one it returns to: restoring sets exactly it.
  const bool maximised = window.isMaximized() || window.isFullScreen();
  const QRect bounds = maximised ? window.normalGeometry() : window.geometry();
  // A window maximised before it was ever shown normal has no normal
  // rectangle: the one saved before stays.
  if (bounds.isValid()) {
    WriteNumber(key, "XPosition", bounds.x());
    WriteNumber(key, "YPosition", bounds.y());
    WriteNumber(key, "Width", bounds.width());
    WriteNumber(key, "Height", bounds.height());
  }
  WriteFlag(key, "Maximized", window.isMaximized());
}

bool RestoreFormPlacement(QWidget& window, const std::string& className) {
  const std::string key = FormKey(className);
  const Qt::WindowStates state = ReadFlag(key, "Maximized", true) ? window.windowState()
                                                                   : window.windowState() & ~Qt::WindowMaximized;
  QRect current = window.normalGeometry();
  if (!window.isMaximized() || !current.isValid()) current = window.geometry();
  const QSize size(ReadNumber(key, "Width", current.width()), ReadNumber(key, "Height", current.height()));
  TvlSettingsStore& store = *vlPlatform().Settings;
  const bool placed = store.ValueExists(key, "XPosition") || store.ValueExists(key, "YPosition");
  // Maximising keeps the bounds as the ones the window returns to.
  if (window.isMaximized()) window.setWindowState(window.windowState() & ~Qt::WindowMaximized);
  if (placed) {
    const QPoint at(ReadNumber(key, "XPosition", current.x()), ReadNumber(key, "YPosition", current.y()));
    window.setGeometry(vlPulledOnScreen(QRect(at, size)));
  } else {
    // Never placed: the window keeps the place it would take by default (a
    // dialog centred on its owner), not the screen's corner.
    window.resize(size);
  }
  if (window.windowState() != state) window.setWindowState(state);
  return placed;
}

}  // namespace vl
