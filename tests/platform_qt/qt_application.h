#pragma once
// The one application object the dialog tests of this program share. It is
// made on first use and destroyed when the tests end, still inside main:
// left to static destruction it would outlive Qt's own exit-time state (the
// input devices that synthetic mouse events create) and crash on its way out.

#include <gtest/gtest.h>

#include <QApplication>

namespace vl::test {

class TQtAppEnvironment : public ::testing::Environment {
 public:
  static QApplication*& App() {
    static QApplication* app = nullptr;
    return app;
  }
  void TearDown() override {
    delete App();
    App() = nullptr;
  }
};

inline QApplication& QtApp() {
  if (!TQtAppEnvironment::App()) {
    static int argc = 1;
    static char name[] = "qt_tests";
    static char* argv[] = {name, nullptr};
    TQtAppEnvironment::App() = new QApplication(argc, argv);
    ::testing::AddGlobalTestEnvironment(new TQtAppEnvironment);
  }
  return *TQtAppEnvironment::App();
}

}  // namespace vl::test
