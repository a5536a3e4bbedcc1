// Address labels from the launcher's menu: the labels window over the list
// in force, a partly used sheet, the choice remembered, return labels that
// need the sender, and an own sheet that does not fit its paper.

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <filesystem>
#include <fstream>

#include "app/own_sheet_dialog.h"
#include "app/recipient.h"
#include "engine/labels/sheet_catalogue.h"
#include "platform/memory_settings_store.h"
#include "platform/platform.h"
#include "platform/recording_message_box.h"
#include "tests/app_gui/launcher_fixture.h"

namespace vl {
namespace {

namespace fs = std::filesystem;

class LauncherLabels : public ::testing::Test {
 protected:
  LauncherLabels() {
    previous_ = vlPlatform();
    vlInstallPlatform(TvlPlatform{&messages, &settings, nullptr, nullptr});
    fs::create_directories(folder_);
    fs::current_path(fs::path(VL_SOURCE_DIR) / "app" / "data");
    form = std::make_unique<TFormMain>();
  }
  ~LauncherLabels() override {
    form.reset();
    fs::current_path(start_);
    fs::remove_all(folder_);
    vlInstallPlatform(TvlPlatform{previous_.MessageBox, previous_.Settings, nullptr, nullptr});
  }
  // Every text a named view printed, page by page, in print order (empty
  // ones too when asked).
  std::vector<std::vector<std::string>> Printed(const std::string& view, bool empty = false) {
    std::vector<std::vector<std::string>> pages;
    TvlEMFPages& store = form->vlReport1.EMFPages;
    for (int i = 0; i < store.Count(); ++i) {
      TvlStreamReader r(store[i].Stream.Bytes(), true);
      vlState().StreamVersion = r.ReadByte();
      pages.emplace_back();
      while (!r.AtEnd()) {
        const std::unique_ptr<TvlView> v = vlReadPrintedView(r);
        const std::string text = v->Memo.empty() ? std::string() : v->Memo[0];
        if (v->Name == view && (empty || !text.empty())) pages.back().push_back(text);
      }
    }
    return pages;
  }

  TvlRecordingMessageBox messages;
  TvlMemorySettingsStore settings;
  std::unique_ptr<TFormMain> form;
  fs::path folder_ = fs::temp_directory_path() / ("vl_launcher_labels_" + std::to_string(::getpid()));

 private:
  TvlPlatform previous_;
  fs::path start_ = fs::current_path();
};

TEST_F(LauncherLabels, ThirtyAddressesFromLabelThreeFillPageOneAndGoOnToPageTwo) {
  std::string csv = "姓名,地址,邮编\r\n";
  for (int k = 1; k <= 30; ++k) csv += "N" + std::to_string(k) + ",Street " + std::to_string(k) + ",10000\r\n";
  const std::string list = (folder_ / "list.csv").string();
  std::ofstream(list, std::ios::binary) << csv;
  ASSERT_TRUE(form->SetAddressList(list));
  bool asked = false;
  form->ExecLabelsWindow = [&](TLabelsWindow& window) {
    asked = true;
    window.SheetBox->setCurrentText(QStringLiteral("Avery L7159 (A4, 3 x 8)"));
    window.LayoutBox->setCurrentIndex(0);
    window.StartBox->setValue(3);
    EXPECT_EQ(window.StartBox->maximum(), 24);
    EXPECT_TRUE(window.PreviewButton->isEnabled());
    EXPECT_TRUE(window.SourceText->text().contains(QStringLiteral("list.csv (30)")));
    return true;
  };
  form->ActionLabels->trigger();
  ASSERT_TRUE(asked);
  ASSERT_TRUE(messages.Messages.empty()) << messages.Messages[0].Text;
  const auto pages = Printed("RecipientName1");
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0].size(), 22u);
  EXPECT_EQ(pages[1].size(), 8u);
  EXPECT_EQ(pages[0].front(), "N1");
  EXPECT_EQ(pages[1].back(), "N30");
  // Every label of the first sheet shows its outline on screen, the skipped ones too.
  EXPECT_EQ(Printed("LabelOutline", true)[0].size(), 24u);
  // The list leaves the report's type as it was; the choice is remembered.
  EXPECT_EQ(form->vlReport1.ReportType, rtSimple);
  const TLabelChoice kept = vlLoadLabelChoice();
  EXPECT_EQ(kept.Sheet, "Avery L7159 (A4, 3 x 8)");
  EXPECT_EQ(kept.Start, 3);
}

TEST_F(LauncherLabels, ReturnLabelsWaitForTheSenderAndThenFillTheSheet) {
  form->ExecLabelsWindow = [](TLabelsWindow& window) {
    window.SheetBox->setCurrentText(QStringLiteral("Avery L7163 (A4, 2 x 7)"));
    window.LayoutBox->setCurrentIndex(static_cast<int>(TvlLabelLayout::Return));
    EXPECT_FALSE(window.PreviewButton->isEnabled());
    EXPECT_TRUE(window.SourceText->text().startsWith(QStringLiteral("No sender yet")));
    return false;
  };
  form->ActionLabels->trigger();
  EXPECT_EQ(form->vlReport1.EMFPages.Count(), 0);

  form->Recipient[efSenderAddress] = QStringLiteral("北京市海淀区中关村大街1号");
  form->ExecLabelsWindow = [](TLabelsWindow& window) {
    window.SheetBox->setCurrentText(QStringLiteral("Avery L7163 (A4, 2 x 7)"));
    window.LayoutBox->setCurrentIndex(static_cast<int>(TvlLabelLayout::Return));
    window.StartBox->setValue(1);
    return window.PreviewButton->isEnabled();
  };
  form->ActionLabels->trigger();
  const auto pages = Printed("SenderAddress1");
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0], std::vector<std::string>(14, "北京市海淀区中关村大街1号"));
}

TEST_F(LauncherLabels, AnOwnSheetThatOverflowsItsPaperIsRefusedAndNotKept) {
  TvlLabelSheet start;
  start.Name = "Mine";
  ASSERT_EQ(vlReadSheetFields("A4 | 70 | 37 | 3 | 8 | 0.5 | 0 | 70 | 37 | 0", start), "");
  TOwnSheetDialog dialog(start);
  dialog.Columns->setValue(4);
  EXPECT_FALSE(dialog.Keep());
  EXPECT_TRUE(dialog.Problem->text().contains(QStringLiteral("overflow the paper's right edge by 70 mm")));
  EXPECT_TRUE(vlUserSheets(settings).empty());
  dialog.Columns->setValue(3);
  EXPECT_TRUE(dialog.Keep());
  ASSERT_EQ(vlUserSheets(settings).size(), 1u);
  EXPECT_EQ(vlUserSheets(settings)[0].Name, "Mine");
}

}  // namespace
}  // namespace vl
