#pragma once
// A launcher window for GUI tests, with the application object made first.

#include <gtest/gtest.h>

#include "app/main_form.h"
#include "tests/qt_application.h"

namespace vl {

class LauncherWindow : public ::testing::Test {
 protected:
  TFormMain form;
};

}  // namespace vl
