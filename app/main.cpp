// The envelope printer's entry: engine start-up first, then the launcher
// window, then the event loop until the window closes.

#include <QApplication>
#include <QWidget>

#include "app/engine_startup.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_text.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  vl::vlInstallQtPlatform();
  vl::vlStartEngine();

  QWidget window;
  window.setWindowTitle(vl::vlToQt("翎盒信封打印软件"));
  window.setFixedSize(601, 227);
  window.show();
  return app.exec();
}
