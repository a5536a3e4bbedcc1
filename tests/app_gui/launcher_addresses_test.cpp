// An address list in the launcher: dropped on the window, named on the
// command line or chosen from the context menu; with it a template button
// prepares one envelope per address, without it exactly one envelope.

#include <unistd.h>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sqlite3.h>

#include <QComboBox>
#include <QLabel>

#include "app/address_mapping_dialog.h"
#include "app/main_form.h"
#include "engine/core/engine_state.h"
#include "engine/core/text.h"
#include "engine/data/open_data_source.h"
#include "engine/model/print_sink.h"
#include "engine/model/stream_reader.h"
#include "platform/memory_settings_store.h"
#include "platform/platform.h"
#include "platform/recording_message_box.h"
#include "tests/app_gui/launcher_fixture.h"

namespace vl {
namespace {

namespace fs = std::filesystem;

class LauncherAddresses : public ::testing::Test {
 protected:
  LauncherAddresses() {
    previous_ = vlPlatform();
    vlInstallPlatform(TvlPlatform{&messages, &settings, nullptr, nullptr});
    fs::create_directories(folder_);
    fs::current_path(fs::path(VL_SOURCE_DIR) / "app" / "data");
    // Without a list a template button would offer the recipient form first.
    vlSetAskForRecipient(false);
    form = std::make_unique<TFormMain>();
    // A dialog nobody answers would stop the test: tests that expect one answer it.
    form->AddressList.AskMapping = [](TvlDataSource&, TvlAddressMapping&) {
      ADD_FAILURE() << "the mapping was asked";
      return false;
    };
    form->AddressList.AskTable = [](const std::string&, const std::vector<std::string>&) {
      ADD_FAILURE() << "a table was asked";
      return std::string();
    };
  }
  ~LauncherAddresses() override {
    form.reset();
    fs::current_path(start_);
    fs::remove_all(folder_);
    vlInstallPlatform(TvlPlatform{previous_.MessageBox, previous_.Settings, nullptr, nullptr});
  }

  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = (folder_ / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  void ClickButton(TvlSpeedButton* button) {
    const QPointF at(button->width() / 2, button->height() / 2);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QMouseEvent event(type, at, button->mapToGlobal(at), Qt::LeftButton,
                        type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(button, &event);
    }
  }

  void Drop(const std::string& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    // A drop goes to the widget that accepted the drag's entry.
    QDragEnterEvent enter(QPoint(20, 210), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(20, 210), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &drop);
  }

  std::vector<std::string> Printed(const std::string& view) { return PrintedTexts(form->vlReport1.EMFPages, view); }

  TvlRecordingMessageBox messages;
  TvlMemorySettingsStore settings;
  std::unique_ptr<TFormMain> form;

 private:
  TvlPlatform previous_;
  const fs::path start_ = fs::current_path();

 protected:
  const fs::path folder_ = fs::temp_directory_path() / ("vl_addresses_" + std::to_string(::getpid()));
};

TEST_F(LauncherAddresses, ADroppedListPrintsOneEnvelopePerAddressInListOrder) {
  const std::string list = Write("list.csv", "姓名,地址,邮编\r\n张三,广东省深圳市科技园路1号,518057\r\n"
                                             "\"Smith, John\",\"100 Main St\nSpringfield\",62701\r\n");
  Drop(list);
  ASSERT_TRUE(form->AddressList.InForce()) << (messages.Messages.empty() ? "" : messages.Messages[0].Text);
  EXPECT_EQ(form->windowTitle(), QStringLiteral("翎盒信封打印软件 - list.csv (2)"));
  EXPECT_TRUE(form->SpeedButton1->toolTip().contains(QString::fromStdString(list)));
  EXPECT_TRUE(form->toolTip().contains(QStringLiteral("2 addresses")));
  EXPECT_TRUE(form->ActionClearAddressList->isEnabled());
  EXPECT_EQ(settings.ReadString(TAddressList::kSettingsKey, TAddressList::kSettingsName, ""), list);

  ClickButton(form->SpeedButton1);
  EXPECT_TRUE(messages.Messages.empty());
  EXPECT_EQ(Printed("RecipientName"), (std::vector<std::string>{"张三", "Smith, John"}));
  EXPECT_EQ(Printed("RecipientAddress"),
            (std::vector<std::string>{"广东省深圳市科技园路1号", "100 Main St\nSpringfield"}));
  EXPECT_EQ(Printed("PostCode6"), (std::vector<std::string>{"7", ""}));
  // Nothing of the list stays in the template.
  EXPECT_EQ(form->vlReport1.Dictionary.Variables.Get("RecipientName").Str(), "");
  EXPECT_EQ(form->vlReport1.Dataset, nullptr);
  EXPECT_EQ(form->vlReport1.ReportType, rtSimple);

  // The list is remembered for the next run, and cleared from the menu (one
  // launcher at a time: it holds the program's only designer component).
  form.reset();
  TFormMain next;
  EXPECT_EQ(next.AddressList.Spec(), list);
  next.ActionClearAddressList->trigger();
  EXPECT_EQ(next.windowTitle(), QStringLiteral("翎盒信封打印软件"));
  EXPECT_TRUE(next.toolTip().isEmpty());
  EXPECT_FALSE(next.ActionClearAddressList->isEnabled());
  EXPECT_EQ(settings.ReadString(TAddressList::kSettingsKey, TAddressList::kSettingsName, "-"), "");

  // Without a list the template prepares one envelope, its fields empty.
  ClickButton(next.SpeedButton3);
  EXPECT_EQ(next.vlReport1.EMFPages.Count(), 1);
}

TEST_F(LauncherAddresses, ADamagedListSaysWhereAndPrintsNothing) {
  const std::string list = Write("list.csv", "name,address,zip\nAnn,Elm Rd 1,1\n");
  ASSERT_TRUE(form->SetAddressList(list));
  Write("list.csv", "name,address,zip\nAnn,Elm Rd 1,1\nBob,\"unclosed,2\n");
  ClickButton(form->SpeedButton2);
  ASSERT_EQ(messages.Messages.size(), 1u);
  EXPECT_EQ(messages.Messages[0].Text, "Malformed CSV file " + list + ", line 3: a quoted field is not closed");
  EXPECT_EQ(messages.Messages[0].Caption, "Error");
  EXPECT_EQ(form->vlReport1.EMFPages.Count(), 0);

  // A list that cannot be read is not taken; the one in force stays.
  Write("list.csv", "name,address,zip\nAnn,Elm Rd 1,1\n");
  EXPECT_FALSE(form->SetAddressList(Write("book.vcf", "BEGIN:VCARD\nFN:Ann\n")));
  EXPECT_EQ(messages.Messages.back().Text,
            "Malformed vCard file " + (fs::path(list).parent_path() / "book.vcf").string() +
                ", line 1: the card that begins here has no END:VCARD");
  EXPECT_EQ(form->AddressList.Spec(), list);
}

TEST_F(LauncherAddresses, ColumnsWithoutUsualNamesAreAskedOncePerSetOfColumns) {
  int asked = 0;
  form->AddressList.AskMapping = [&asked](TvlDataSource& source, TvlAddressMapping& mapping) {
    ++asked;
    EXPECT_EQ(source.DisplayText(0), "Ann");  // the first address is there to see
    mapping.Columns = {"Who", "Where", "", "", ""};
    return true;
  };
  const std::string list = Write("people.csv", "Who,Where\nAnn,Elm Rd 1\nBob,Oak St 2\n");
  ASSERT_TRUE(form->SetAddressList(list));
  ClickButton(form->SpeedButton4);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(Printed("RecipientName"), (std::vector<std::string>{"Ann", "Bob"}));
  // Another list with the same columns is not asked about again.
  ASSERT_TRUE(form->SetAddressList(Write("more.csv", "Who,Where\nCy,Ash Rd\n")));
  EXPECT_EQ(asked, 1);

  // Cancel leaves the list out of force.
  form->AddressList.AskMapping = [](TvlDataSource&, TvlAddressMapping&) { return false; };
  EXPECT_FALSE(form->SetAddressList(Write("other.csv", "a,b\n1,2\n")));
  EXPECT_EQ(form->AddressList.Spec(), folder_.string() + "/more.csv");
}

TEST_F(LauncherAddresses, ASQLiteFileWithSeveralTablesAsksForOne) {
  const std::string db = (folder_ / "book.db").string();
  sqlite3* handle = nullptr;
  ASSERT_EQ(sqlite3_open(db.c_str(), &handle), SQLITE_OK);
  sqlite3_exec(handle,
               "CREATE TABLE notes(x); CREATE TABLE people(name TEXT, address TEXT, zip TEXT);"
               "INSERT INTO people VALUES('Ann', 'Elm Rd 1', '100080');",
               nullptr, nullptr, nullptr);
  sqlite3_close(handle);
  std::vector<std::string> offered;
  form->AddressList.AskTable = [&offered](const std::string&, const std::vector<std::string>& tables) {
    offered = tables;
    return std::string("people");
  };
  ASSERT_TRUE(form->SetAddressList(db));
  EXPECT_EQ(offered, (std::vector<std::string>{"notes", "people"}));
  EXPECT_EQ(form->AddressList.Spec(), db + "#people");
  ClickButton(form->SpeedButton5);
  EXPECT_EQ(Printed("PostCode1"), std::vector<std::string>{"1"});
}

TEST_F(LauncherAddresses, TheMappingDialogShowsTheColumnsAndTheFirstAddress) {
  const std::string list = Write("x.csv", "Who,Where,Code\nAnn,\"Elm Rd 1\nTown\",100080\n");
  auto source = vlOpenDataSource(list);
  TvlAddressMapping start;
  start.Columns = {"Who", "", "", "", ""};
  TAddressMappingDialog dialog("x.csv", *source, start);
  EXPECT_EQ(dialog.Columns[efRecipientName]->currentText(), QStringLiteral("Who"));
  EXPECT_EQ(dialog.Samples[efRecipientName]->text(), QStringLiteral("e.g. Ann"));
  EXPECT_EQ(dialog.Columns[efRecipientAddress]->currentIndex(), 0);
  dialog.Columns[efRecipientAddress]->setCurrentIndex(2);
  EXPECT_EQ(dialog.Samples[efRecipientAddress]->text(), QStringLiteral("e.g. Elm Rd 1 / Town"));
  const TvlAddressMapping chosen = dialog.Mapping();
  EXPECT_EQ(chosen.Columns, (std::array<std::string, kEnvelopeFieldCount>{"Who", "Where", "", "", ""}));
}

}  // namespace
}  // namespace vl
