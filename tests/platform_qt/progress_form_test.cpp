#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "platform/qt/progress_form.h"
#include "tests/platform_qt/qt_application.h"

namespace vl {
namespace {

class ProgressForm : public ::testing::Test {
 protected:
  QApplication& app = test::QtApp();  // before the window
  TvlProgressForm form;
};

TEST_F(ProgressForm, RunsTheWorkInsideItsModalLoop) {
  EXPECT_EQ(form.size(), QSize(278, 106));
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  EXPECT_TRUE(form.Label1()->alignment() & Qt::AlignHCenter);
  EXPECT_TRUE(form.Label2()->alignment() & Qt::AlignHCenter);
  form.Label2()->setText("left over");
  form.SetCancelCaption("Abbrechen");
  bool ran = false;
  const bool ok = form.Run(
      "Preparing report - Envelopes", "Printing page:",
      [&] {
        ran = true;
        EXPECT_TRUE(form.Running());
        EXPECT_TRUE(form.isVisible());
        EXPECT_TRUE(form.isModal());
        EXPECT_EQ(form.windowTitle(), "Preparing report - Envelopes");
        EXPECT_EQ(form.Label1()->text(), "Printing page:");
        EXPECT_TRUE(form.Label2()->text().isEmpty());
        EXPECT_EQ(form.CancelButton()->text(), "Abbrechen");
        form.SetFirstLabel("Printing page:  2");
        EXPECT_EQ(form.Label1()->text(), "Printing page:  2");
        // A run inside the run does its work at once.
        bool inner = false;
        EXPECT_TRUE(form.Run("other", "other", [&] { inner = true; }, {}));
        EXPECT_TRUE(inner);
        EXPECT_EQ(form.windowTitle(), "Preparing report - Envelopes");
        form.Close(true);
      },
      [] { ADD_FAILURE() << "not cancelled"; });
  EXPECT_TRUE(ran);
  EXPECT_TRUE(ok);
  EXPECT_FALSE(form.isVisible());
  EXPECT_FALSE(form.Running());
}

TEST_F(ProgressForm, CancelIsNoticedWhenEventsAreLetThrough) {
  bool stop = false;
  int steps = 0;
  const bool ok = form.Run(
      "Preparing report", "Processing page:",
      [&] {
        QTimer::singleShot(0, form.CancelButton(), &QPushButton::click);
        while (!stop && steps < 1000) {
          ++steps;
          form.ProcessEvents();
        }
        form.Close(!stop);
      },
      [&] { stop = true; });
  EXPECT_TRUE(stop);
  EXPECT_LT(steps, 1000);
  EXPECT_FALSE(ok);
}

TEST_F(ProgressForm, StaysInItsLoopWhileHiddenForADialogPage) {
  int afterHiding = 0;
  const bool ok = form.Run(
      "Preparing report", "Processing page:",
      [&] {
        form.SetShown(false);
        EXPECT_FALSE(form.IsShown());
        form.ProcessEvents();
        EXPECT_TRUE(form.Running());
        form.SetShown(true);
        EXPECT_TRUE(form.IsShown());
        ++afterHiding;
      },
      {});
  // A work that does not close the window still ends the run, with OK.
  EXPECT_EQ(afterHiding, 1);
  EXPECT_TRUE(ok);
}

TEST_F(ProgressForm, EscapeCountsAsCancel) {
  bool cancelled = false;
  const bool ok = form.Run(
      "Preparing report", "Processing page:",
      [&] {
        form.reject();
        form.ProcessEvents();
      },
      [&] { cancelled = true; });
  EXPECT_TRUE(cancelled);
  EXPECT_FALSE(ok);
}

}  // namespace
}  // namespace vl
