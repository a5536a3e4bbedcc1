// The windows speak the language the environment asks for. The suite runs
// this once under the tests' C locale (English) and once more under
// LANG=zh_CN.UTF-8 (Chinese, VL_EXPECT_LANGUAGE=zh), a locale this machine
// need not have installed.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <memory>

#include "app/recipient_form.h"
#include "designer/design_surface.h"
#include "designer/designer_form.h"
#include "designer/page_edits.h"
#include "engine/core/language.h"
#include "engine/model/report.h"
#include "platform/memory_settings_store.h"
#include "platform/platform.h"
#include "tests/qt_application.h"
#include "viewer/engine_windows.h"
#include "viewer/help_window.h"
#include "viewer/preview_form.h"
#include "viewer/print_form.h"

namespace vl {
namespace {

class InterfaceLanguage : public ::testing::Test {
 protected:
  InterfaceLanguage() : previous_(vlPlatform()) {
    vlInstallEngineWindows();
    vlInstallPlatform(TvlPlatform{nullptr, &settings_});
    vlSetLanguage(vlApplyLanguageChoice());
  }
  ~InterfaceLanguage() override {
    vlSetLanguage(TvlLanguage::English);
    vlInstallPlatform(previous_);
  }

  // The caption expected in the language in force.
  static QString Expected(const char* english, const char* chinese) {
    return vlLanguage() == TvlLanguage::Chinese ? QString::fromUtf8(chinese) : QString::fromUtf8(english);
  }

 private:
  TvlPlatform previous_;
  TvlMemorySettingsStore settings_;
};

TEST_F(InterfaceLanguage, FollowsTheEnvironment) {
  const char* expect = std::getenv("VL_EXPECT_LANGUAGE");
  const bool chinese = expect && std::string(expect) == "zh";
  EXPECT_EQ(vlLanguage(), chinese ? TvlLanguage::Chinese : TvlLanguage::English);
}

TEST_F(InterfaceLanguage, PrintDialog) {
  TvlPrintForm form;
  EXPECT_EQ(form.windowTitle(), Expected("Print", "打印"));
  EXPECT_EQ(form.Label4()->text(), Expected("&Name:", "名称(&N)："));
}

TEST_F(InterfaceLanguage, Preview) {
  TvlReport report;
  TvlPreviewForm form;
  form.Connect(report);
  form.SetUp();
  EXPECT_EQ(form.LoadBtn()->toolTip(), Expected("Open report", "打开报表"));
}

TEST_F(InterfaceLanguage, Designer) {
  TvlReport report;
  report.Pages.Add();
  TvlDesignerForm form(report, true);
  QMenuBar* bar = form.findChild<QMenuBar*>();
  ASSERT_NE(bar, nullptr);
  ASSERT_FALSE(bar->actions().isEmpty());
  EXPECT_EQ(bar->actions().front()->text(), Expected("&File", "文件(&F)"));
  // Band objects keep English names, which scripts refer to.
  EXPECT_EQ(vlBandBaseName(2), "PageHeader");
}

TEST_F(InterfaceLanguage, RecipientForm) {
  TRecipientForm form(TRecipient{}, {}, true, nullptr);
  EXPECT_EQ(form.windowTitle(), Expected("Recipient", "收件人"));
  auto* ask = form.findChild<QWidget*>(QStringLiteral("AskForRecipient"));
  ASSERT_NE(ask, nullptr);
  EXPECT_EQ(static_cast<QAbstractButton*>(ask)->text(), Expected("As&k for the recipient", "询问收件人(&K)"));
}

// Context help opens a section by its anchor, so both guides have the same ones.
TEST(UserGuides, TheChineseGuideHasEveryAnchorOfTheEnglishOne) {
  const auto anchors = [](const char* name) {
    std::ifstream in(std::string(VL_SOURCE_DIR) + "/app/data/help/" + name);
    std::stringstream text;
    text << in.rdbuf();
    std::set<std::string> found;
    const std::regex id("id=\"([^\"]+)\"");
    const std::string s = text.str();
    for (auto it = std::sregex_iterator(s.begin(), s.end(), id); it != std::sregex_iterator(); ++it)
      found.insert((*it)[1]);
    return found;
  };
  const std::set<std::string> english = anchors("vluser.html");
  EXPECT_GT(english.size(), 40u);
  EXPECT_EQ(anchors("vluser.zh_CN.html"), english);
}

TEST_F(InterfaceLanguage, HelpOpensTheGuideOfTheLanguage) {
  const QString path = vlFindHelpFile(kPreviewHelpFile);
  ASSERT_FALSE(path.isEmpty());
  EXPECT_TRUE(path.endsWith(Expected("/vluser.html", "/vluser.zh_CN.html"))) << path.toStdString();
}

}  // namespace
}  // namespace vl
