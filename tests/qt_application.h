#pragma once
// The application object of a GUI test program: made before the first test
// and destroyed after the last, inside main, clear of Qt's own exit-time
// cleanup. Include it once in every test program that needs widgets.

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

namespace vl {

class TQtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "gui_tests";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
  }
  void TearDown() override { app_.reset(); }

 private:
  std::unique_ptr<QApplication> app_;
};

inline ::testing::Environment* const kQtEnvironment = ::testing::AddGlobalTestEnvironment(new TQtEnvironment);

}  // namespace vl
