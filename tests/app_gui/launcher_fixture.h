#pragma once
// A launcher window for GUI tests, with the application object made first.

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

#include "app/main_form.h"

namespace vl {

// The application object lives from before the first test to after the
// last; destroying it inside main keeps it clear of Qt's own exit-time cleanup.
class TQtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "app_gui_tests";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
  }
  void TearDown() override { app_.reset(); }

 private:
  std::unique_ptr<QApplication> app_;
};

inline ::testing::Environment* const kQtEnvironment = ::testing::AddGlobalTestEnvironment(new TQtEnvironment);

class LauncherWindow : public ::testing::Test {
 protected:
  TFormMain form;
};

}  // namespace vl
