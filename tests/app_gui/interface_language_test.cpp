// The windows speak the language the environment asks for. The suite runs
// this once under the tests' C locale (English) and once more under
// LANG=zh_CN.UTF-8 (Chinese, VL_EXPECT_LANGUAGE=zh), a locale this machine
// need not have installed.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <memory>

#include "app/labels_window.h"
#include "app/own_sheet_dialog.h"
#include "app/recipient_form.h"
#include "designer/design_surface.h"
#include "designer/designer_form.h"
#include "designer/page_edits.h"
#include "engine/core/language.h"
#include "engine/labels/sheet_catalogue.h"
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

TEST_F(InterfaceLanguage, LabelsWindow) {
  TvlLabelSheet sheet;
  sheet.Name = "Avery L7160 (A4, 3 x 7)";
  ASSERT_EQ(vlReadSheetFields("A4 | 63.5 | 38.1 | 3 | 7 | 15.15 | 7.25 | 66 | 38.1 | 2.5", sheet), "");
  TLabelsWindow window({sheet}, TLabelChoice{}, QString(), QString());
  EXPECT_EQ(window.windowTitle(), Expected("Address labels", "地址标签"));
  auto* form = window.findChild<QFormLayout*>();
  ASSERT_NE(form, nullptr);
  auto* caption = qobject_cast<QLabel*>(form->labelForField(window.StartBox));
  ASSERT_NE(caption, nullptr);
  EXPECT_EQ(caption->text(), Expected("Start at label:", "从第几张标签开始："));
  EXPECT_EQ(window.LayoutBox->itemText(1),
            Expected("Recipient with the postcode as a barcode", "收件人，邮编印成条形码"));
  EXPECT_EQ(window.SourceText->text(), Expected("No address list is in force: choose one with Address list… first.",
                                                "未使用地址列表：请先用“地址列表…”选择一个。"));
  EXPECT_EQ(window.PreviewButton->text(), Expected("Preview", "预览"));
  // The product name is the sheet's name in either language.
  EXPECT_EQ(window.SheetBox->currentText(), QStringLiteral("Avery L7160 (A4, 3 x 7)"));
}

TEST_F(InterfaceLanguage, AnOwnSheetIsRefusedWithItsFiguresInPlace) {
  TvlLabelSheet sheet;
  sheet.Name = "Mine";
  ASSERT_EQ(vlReadSheetFields("A4 | 70 | 37 | 3 | 8 | 0.5 | 0 | 70 | 37 | 0", sheet), "");
  TOwnSheetDialog dialog(sheet);
  EXPECT_EQ(dialog.windowTitle(), Expected("Own label sheet", "自定义标签纸"));
  dialog.Columns->setValue(4);
  EXPECT_FALSE(dialog.Keep());
  EXPECT_EQ(dialog.Problem->text(),
            Expected("The labels overflow the paper's right edge by 70 mm: 4 columns end at 280 mm on A4 paper 210 mm wide",
                     "标签超出纸张右边缘 70 mm：4 列标签止于 280 mm，而 A4 纸张宽 210 mm"));
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
