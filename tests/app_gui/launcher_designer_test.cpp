// The launcher's picture and its frame open the designer modally on the
// template the report holds; closing it returns to the launcher.

#include <QApplication>
#include <QTimer>
#include <filesystem>

#include "designer/designer_form.h"
#include "platform/memory_settings_store.h"
#include "platform/platform.h"
#include "tests/app_gui/launcher_fixture.h"

namespace vl {
namespace {

// Runs check on the designer once its modal loop runs, then closes it.
void WhenDesignerOpens(const std::function<void(TvlDesignerForm&)>& check) {
  QTimer::singleShot(0, [check] {
    auto* designer = static_cast<TvlDesignerForm*>(vlCurrentDesigner());
    ASSERT_NE(designer, nullptr);
    check(*designer);
    designer->close();
  });
}

TEST_F(LauncherWindow, PictureOpensTheDesignerOnTheCurrentEnvelope) {
  TvlMemorySettingsStore settings;
  TvlSettingsStore* previous = vlPlatform().Settings;
  vlInstallPlatform(TvlPlatform{nullptr, &settings});
  const std::string envelope = std::string(VL_SOURCE_DIR) + "/app/data/Vlf/1.vlf";
  ASSERT_TRUE(form.vlReport1.LoadFromFile(envelope));
  bool seen = false;
  WhenDesignerOpens([&](TvlDesignerForm& designer) {
    seen = true;
    EXPECT_TRUE(designer.isModal());
    EXPECT_TRUE(designer.FirstInstance);
    EXPECT_EQ(&designer.Report, &form.vlReport1);
    EXPECT_EQ(designer.DocumentName, envelope);
    EXPECT_EQ(designer.windowTitle(), QStringLiteral("Designer - 1.vlf"));
    EXPECT_EQ(designer.Page, form.vlReport1.Pages[0]);
  });
  form.Image1Click();
  EXPECT_TRUE(seen);
  EXPECT_EQ(vlCurrentDesigner(), nullptr) << "the designer is gone after closing";

  // Before any template: a new report of one page; the frame opens it too.
  TvlReport fresh;
  seen = false;
  WhenDesignerOpens([&](TvlDesignerForm& designer) {
    seen = true;
    EXPECT_EQ(designer.Report.Pages.Count(), 1);
    EXPECT_EQ(designer.DocumentName, "Untitled");
  });
  form.vlReport1.Clear();
  form.vlReport1.FileName = "Untitled";
  form.Shape1MouseDown(Qt::RightButton);
  EXPECT_TRUE(seen);
  vlInstallPlatform(TvlPlatform{nullptr, previous});
}

}  // namespace
}  // namespace vl
