#include "controls/placement.h"

#include <QWidget>

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
  WriteNumber(key, "XPosition", window.x());
  WriteNumber(key, "YPosition", window.y());
  WriteNumber(key, "Width", window.width());
  WriteNumber(key, "Height", window.height());
  WriteFlag(key, "Maximized", window.isMaximized());
}

void RestoreFormPlacement(QWidget& window, const std::string& className) {
  const std::string key = FormKey(className);
  if (!ReadFlag(key, "Maximized", true)) window.setWindowState(window.windowState() & ~Qt::WindowMaximized);
  // Setting the bounds would end a maximised state; they become the bounds
  // the window returns to.
  const Qt::WindowStates state = window.windowState();
  window.move(ReadNumber(key, "XPosition", window.x()), ReadNumber(key, "YPosition", window.y()));
  window.resize(ReadNumber(key, "Width", window.width()), ReadNumber(key, "Height", window.height()));
  if (window.windowState() != state) window.setWindowState(state);
}

}  // namespace vl
