// The six template buttons load "Vlf/N.vlf" from the current folder into the
// window's report; without the folder nothing changes and nothing is said.

#include <unistd.h>

#include <QMouseEvent>
#include <filesystem>
#include <string>

#include "engine/data/csv_data_source.h"
#include "engine/data/dataset_names.h"
#include "engine/model/stream_writer.h"
#include "platform/platform.h"
#include "platform/recording_message_box.h"
#include "tests/app_gui/launcher_fixture.h"
#include "tools/envelope_layouts.h"

namespace vl {
namespace {

namespace fs = std::filesystem;

// A template as bytes without its save date (the last 8 bytes).
std::string TemplateBytes(TvlReport& report) {
  TvlStreamWriter w;
  report.SaveToStream(w);
  std::string bytes = w.TakeBytes();
  bytes.resize(bytes.size() - 8);
  return bytes;
}

std::string EnvelopeBytes(int n) {
  TvlReport expected;
  vlBuildEnvelope(n, expected);
  return TemplateBytes(expected);
}

class LauncherTemplates : public LauncherWindow {
 protected:
  LauncherTemplates() {
    previousBox_ = vlPlatform().MessageBox;
    vlInstallPlatform(TvlPlatform{&messages, nullptr, nullptr, nullptr});
    fs::create_directories(emptyFolder_);
  }
  ~LauncherTemplates() override {
    vlInstallPlatform(TvlPlatform{previousBox_, nullptr, nullptr, nullptr});
    fs::remove_all(emptyFolder_);
  }

  // Presses and releases the mouse on template button n, as the user does.
  void ClickButton(int n) {
    TvlSpeedButton* buttons[] = {form.SpeedButton1, form.SpeedButton2, form.SpeedButton3,
                                 form.SpeedButton4, form.SpeedButton5, form.SpeedButton6};
    TvlSpeedButton* button = buttons[n - 1];
    const QPointF at(button->width() / 2, button->height() / 2);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QMouseEvent event(type, at, button->mapToGlobal(at), Qt::LeftButton,
                        type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(button, &event);
    }
  }

  const fs::path dataFolder_ = fs::path(VL_SOURCE_DIR) / "app" / "data";
  const fs::path emptyFolder_ = fs::temp_directory_path() / ("vl_launcher_empty_" + std::to_string(::getpid()));
  TvlRecordingMessageBox messages;

 private:
  TvlMessageBox* previousBox_ = nullptr;
};

TEST_F(LauncherTemplates, EachButtonLoadsItsEnvelopeIntoTheReport) {
  InFolder in(dataFolder_);
  for (int n : {1, 2, 3, 4, 5, 6, 2}) {  // and once more out of order
    SCOPED_TRACE(n);
    ClickButton(n);
    EXPECT_EQ(form.vlReport1.FileName, "Vlf/" + std::to_string(n) + ".vlf");
    EXPECT_EQ(form.vlReport1.ReportName, vlEnvelopeName(n));
    EXPECT_EQ(TemplateBytes(form.vlReport1), EnvelopeBytes(n));
  }
  EXPECT_TRUE(messages.Messages.empty());
}

TEST_F(LauncherTemplates, WithoutTheVlfFolderTheReportKeepsWhatItHeld) {
  {
    InFolder in(emptyFolder_);
    ClickButton(3);
    EXPECT_EQ(form.vlReport1.Pages.Count(), 0) << "at start the report holds no template";
  }
  {
    InFolder in(dataFolder_);
    ClickButton(2);
  }
  const std::string held = TemplateBytes(form.vlReport1);
  InFolder in(emptyFolder_);
  for (int n = 1; n <= 6; ++n) ClickButton(n);
  EXPECT_EQ(form.vlReport1.FileName, "Vlf/2.vlf");
  EXPECT_EQ(TemplateBytes(form.vlReport1), held);
  EXPECT_TRUE(messages.Messages.empty()) << "a missing template is silent";
}

TEST_F(LauncherTemplates, ComponentsCarryTheSettingsStoredWithTheWindow) {
  EXPECT_EQ(form.vlReport1.Pages.Count(), 0);
  EXPECT_FALSE(form.vlReport1.StoreInDFM);
  EXPECT_EQ(form.vlReport1.InitialZoom, pzDefault);
  EXPECT_EQ(form.vlReport1.PreviewButtons, pbZoom | pbLoad | pbSave | pbPrint | pbFind | pbHelp | pbExit);
  EXPECT_FALSE(form.vlReport1.RebuildPrinter);
  EXPECT_EQ(form.vlDesigner1.OpenDir, "Vlf");
  EXPECT_EQ(form.vlDesigner1.SaveDir, "Vlf");
  // The window's stored "ReportForm" holds only the format level.
  TvlStreamWriter w;
  form.vlReport1.WriteReportForm(w);
  EXPECT_EQ(w.Bytes(), std::string("\x19\0\0\0", 4));
}

TEST_F(LauncherTemplates, TheWindowIsAFormWhoseComponentsTemplatesCanName) {
  ASSERT_EQ(vlForms().Find("formmain"), &form.Components);
  auto& source = form.Components.Add<TvlCsvDataSource>("Addresses");
  EXPECT_EQ(&vlFindComponentPath("FormMain.Addresses", nullptr), &source);
  EXPECT_EQ(&vlFindComponentPath("Addresses", &form.Components), &source);
}

}  // namespace
}  // namespace vl
