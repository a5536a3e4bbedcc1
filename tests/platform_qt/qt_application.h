#pragma once
// The one application object the dialog tests of this program share.

#include <QApplication>

namespace vl::test {

inline QApplication& QtApp() {
  static int argc = 1;
  static char name[] = "platform_qt_tests";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
  return app;
}

}  // namespace vl::test
