// A report prepared inside the Qt progress window, driven offscreen: the
// window shows the stage texts of a two-pass run and goes away afterwards,
// and Cancel, clicked while a band script would run for ever, stops the run
// without an error.

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/progress_form.h"
#include "tests/formation/formation_fixture.h"
#include "tests/platform_qt/qt_application.h"

namespace vl::testing {
namespace {

class PrepareInProgressForm : public FormationTest {
 protected:
  void SetUp() override {
    test::QtApp();
    FormationTest::SetUp();
    form = std::make_unique<TvlProgressForm>();
    vlInstallPlatform(TvlPlatform{nullptr, nullptr, nullptr, nullptr, form.get()});
    report.ShowProgress = true;
  }
  void TearDown() override {
    vlInstallPlatform(TvlPlatform{nullptr, nullptr, nullptr, nullptr, &progress});
    FormationTest::TearDown();
    form.reset();
  }
  std::unique_ptr<TvlProgressForm> form;
};

TEST_F(PrepareInProgressForm, TwoPassRunShowsItsStagesAndCloses) {
  report.TwoPassReport = true;
  report.Title = "Envelopes";
  Band(btMasterData, 0, 400, "M", "5");
  Memo("m", 20, 0, "Page [PAGE#] of [TOTALPAGES]");
  std::vector<std::string> labels;
  std::string caption;
  QSize size;
  // Each record's band: the label as it stands once the band is drawn.
  report.OnEndBand = [&](TvlBand*) {
    const std::string label = form->Label1()->text().toStdString();
    if (labels.empty() || labels.back() != label) labels.push_back(label);
    caption = form->windowTitle().toStdString();
    size = form->size();
    EXPECT_TRUE(form->isVisible());
  };
  ASSERT_TRUE(report.Prepare()) << vlState().ErrorText;
  EXPECT_EQ(report.EMFPages.Count(), 3);
  EXPECT_EQ(caption, "Preparing report - Envelopes");
  EXPECT_EQ(size, QSize(278, 106));
  std::string seen;
  for (const std::string& l : labels) seen += l + "|";
  // The label counts the pages done as each new page begins.
  EXPECT_EQ(seen, "Performing 1st pass:  1|Performing 1st pass:  2|Processing page:  1 from 3|Processing page:  2 from 3|");
  EXPECT_EQ(form->Label1()->text().toStdString(), "Processing page:  3 from 3");
  EXPECT_EQ(form->CancelButton()->text(), "Cancel");
  EXPECT_FALSE(form->isVisible());
  EXPECT_FALSE(form->Running());
}

TEST_F(PrepareInProgressForm, CancelStopsAScriptThatNeverEnds) {
  Band(btMasterData, 0, 20, "M", "3");
  Memo("m", 20, 0, "never");
  report.FindObject("M")->Script = {"begin while 1 do x := 1 end"};
  QTimer::singleShot(200, form.get(), [this] { form->CancelButton()->click(); });
  EXPECT_FALSE(report.Prepare());
  EXPECT_FALSE(vlState().ErrorFlag);
  EXPECT_TRUE(box.Messages.empty());
  EXPECT_FALSE(form->isVisible());
  EXPECT_FALSE(form->Running());
}

}  // namespace
}  // namespace vl::testing
