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

#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QTableWidget>
#include <QToolButton>

#include "app/address_mapping_dialog.h"
#include "app/batch_check_dialog.h"
#include "engine/data/nothing_to_print.h"
#include "engine/formation/report_windows.h"
#include "app/main_form.h"
#include "engine/core/engine_state.h"
#include "engine/core/text.h"
#include "engine/data/open_data_source.h"
#include "engine/model/print_sink.h"
#include "engine/model/stream_reader.h"
#include "platform/memory_settings_store.h"
#include "platform/qt/qt_text.h"
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

// Nothing to print is refused with a message, never a blank envelope: a
// list without rows, and a mapping that gives neither name nor address.
TEST_F(LauncherAddresses, AListThatWouldPrintOnlyBlankEnvelopesIsRefused) {
  EXPECT_FALSE(form->SetAddressList(Write("empty.csv", "姓名,地址,邮编\n")));
  ASSERT_EQ(messages.Messages.size(), 1u);
  EXPECT_EQ(messages.Messages[0].Text, kNoAddresses);
  EXPECT_FALSE(form->AddressList.InForce());

  // A list emptied after it was taken prints nothing.
  const std::string list = Write("list.csv", "姓名,地址,邮编\nAnn,Elm Rd 1,100080\n");
  ASSERT_TRUE(form->SetAddressList(list));
  Write("list.csv", "姓名,地址,邮编\n");
  ClickButton(form->SpeedButton1);
  EXPECT_EQ(messages.Messages.back().Text, kNoAddresses);
  EXPECT_EQ(form->vlReport1.EMFPages.Count(), 0);

  // A mapping answered with every field "(none)" is not taken.
  form->AddressList.AskMapping = [](TvlDataSource&, TvlAddressMapping& mapping) {
    mapping = TvlAddressMapping();
    return true;
  };
  EXPECT_FALSE(form->SetAddressList(Write("phones.csv", "Phone,Note\n555,x\n")));
  EXPECT_EQ(messages.Messages.back().Text.rfind(kNoRecipientColumn, 0), 0u) << messages.Messages.back().Text;
  EXPECT_EQ(form->AddressList.Spec(), list);
}

TEST_F(LauncherAddresses, TheMappingDialogJoinsColumnsAndRefusesAMappingWithoutRecipient) {
  const std::string list = Write("shop.csv", "Who,Province,Town,Road\nAnn,浙江省,杭州市,文三路90号\n");
  auto source = vlOpenDataSource(list);
  TAddressMappingDialog dialog("shop.csv", *source, TvlAddressMapping());
  EXPECT_EQ(dialog.Envelope->text(), QStringLiteral("(blank)"));
  // OK with every field "(none)" stays in the dialog and says why.
  dialog.accept();
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(dialog.Refusal->isHidden());
  EXPECT_TRUE(dialog.Refusal->text().startsWith(QString::fromUtf8(kNoRecipientColumn)));

  // Three columns joined in order make the address, shown as it will print.
  dialog.Columns[efRecipientAddress]->setCurrentIndex(2);
  EXPECT_TRUE(dialog.Refusal->isHidden());
  dialog.AddButtons[efRecipientAddress]->click();
  ASSERT_EQ(dialog.MoreColumns[efRecipientAddress].size(), 1u);
  dialog.MoreColumns[efRecipientAddress][0]->setCurrentIndex(3);
  dialog.AddColumn(efRecipientAddress, 3);
  dialog.Columns[efRecipientName]->setCurrentIndex(1);
  EXPECT_EQ(dialog.Samples[efRecipientAddress]->text(), QStringLiteral("e.g. 浙江省杭州市文三路90号"));
  EXPECT_EQ(dialog.Envelope->text(), QStringLiteral("Ann\n浙江省杭州市文三路90号"));
  const TvlAddressMapping chosen = dialog.Mapping();
  EXPECT_EQ(chosen.ColumnsOf(efRecipientAddress), (std::vector<std::string>{"Province", "Town", "Road"}));
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);

  // A mapping with several columns starts the dialog with all of them.
  TAddressMappingDialog again("shop.csv", *source, chosen);
  ASSERT_EQ(again.MoreColumns[efRecipientAddress].size(), 2u);
  EXPECT_EQ(again.MoreColumns[efRecipientAddress][1]->currentText(), QStringLiteral("Road"));
  EXPECT_EQ(again.Mapping(), chosen);
}

// Before a batch prints, its envelopes are checked: the summary names the
// bad ones, and the user prints all, only the good ones, or nothing.
TEST_F(LauncherAddresses, ABatchWithBadEnvelopesAsksBeforeItPrints) {
  const std::string list = Write("list.csv", "姓名,地址,邮编\nAnn,Elm Rd 1,100080\n,,\nBob,Oak St 2,1000801\nCy,Ash Rd,200000\n");
  ASSERT_TRUE(form->SetAddressList(list));
  std::vector<TvlEnvelopeProblem> asked;
  TBatchChoice answer = TBatchChoice::Cancel;
  form->AskBatch = [&](const std::vector<TvlEnvelopeProblem>& problems, int envelopes) {
    asked = problems;
    EXPECT_EQ(envelopes, 4);
    return answer;
  };
  std::vector<std::string> shown;
  vlReportWindows().ShowPreview = [&shown](TvlReport& report, const std::string&) { shown.push_back(report.Title); };
  struct Unset {
    ~Unset() { vlReportWindows().ShowPreview = nullptr; }
  } unset;

  ClickButton(form->SpeedButton1);
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0], (TvlEnvelopeProblem{2, "", "No recipient name and no address"}));
  EXPECT_EQ(asked[1], (TvlEnvelopeProblem{3, "Bob", "The postcode 1000801 has more characters than its 6 boxes"}));
  EXPECT_TRUE(shown.empty());  // Cancel: nothing is shown or printed

  answer = TBatchChoice::PrintGood;
  ClickButton(form->SpeedButton1);
  EXPECT_EQ(Printed("RecipientName"), (std::vector<std::string>{"Ann", "Cy"}));
  // The job is titled with the template's caption and the list; the template keeps no title.
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], vlFromQt(QStringLiteral("信封模板（一） – list.csv (4)")));
  EXPECT_EQ(form->vlReport1.Title, "");

  answer = TBatchChoice::PrintAll;
  ClickButton(form->SpeedButton2);
  EXPECT_EQ(Printed("RecipientName"), (std::vector<std::string>{"Ann", "", "Bob", "Cy"}));
  EXPECT_EQ(shown.back(), vlFromQt(QStringLiteral("信封模板（二） – list.csv (4)")));

  // A batch without problems is not asked about.
  asked.clear();
  form->AskBatch = [](const std::vector<TvlEnvelopeProblem>&, int) {
    ADD_FAILURE() << "a good batch was asked about";
    return TBatchChoice::Cancel;
  };
  ASSERT_TRUE(form->SetAddressList(Write("good.csv", "姓名,地址,邮编\nAnn,Elm Rd 1,100080\n")));
  ClickButton(form->SpeedButton3);
  EXPECT_EQ(Printed("RecipientName"), std::vector<std::string>{"Ann"});
}

TEST_F(LauncherAddresses, TheSummaryListsEachProblemWithItsRow) {
  const std::vector<TvlEnvelopeProblem> problems = {{2, "", "No recipient name and no address"},
                                                    {3, "Bob", "The address does not fit its box"}};
  TBatchCheckDialog dialog(problems, 2);
  ASSERT_EQ(dialog.Problems->rowCount(), 2);
  EXPECT_EQ(dialog.Problems->item(1, 0)->text(), QStringLiteral("3"));
  EXPECT_EQ(dialog.Problems->item(1, 1)->text(), QStringLiteral("Bob"));
  EXPECT_EQ(dialog.Problems->item(1, 2)->text(), QStringLiteral("The address does not fit its box"));
  EXPECT_EQ(dialog.PrintAll->text(), QStringLiteral("Print all"));
  EXPECT_EQ(dialog.Cancel->text(), QStringLiteral("Cancel"));
  // Every envelope bad: there are no good ones to print.
  EXPECT_FALSE(dialog.PrintGood->isEnabled());
  dialog.PrintAll->click();
  EXPECT_EQ(dialog.Choice(), TBatchChoice::PrintAll);
}

// A list restored at start-up shows the count it had when last read.
TEST_F(LauncherAddresses, ARestoredListKeepsItsCountInTheCaption) {
  const std::string list = Write("list.csv", "姓名,地址,邮编\nAnn,Elm Rd 1,1\nBob,Oak St 2,2\nCy,Ash Rd,3\n");
  ASSERT_TRUE(form->SetAddressList(list));
  form.reset();
  TFormMain next;
  EXPECT_EQ(next.windowTitle(), QStringLiteral("翎盒信封打印软件 - list.csv (3)"));
  EXPECT_TRUE(next.toolTip().contains(QStringLiteral("3 addresses")));
}

// A long list is read while the window goes on answering; after a moment a
// progress window offers Cancel, which leaves the list out of force.
TEST_F(LauncherAddresses, ALongListIsReadWhileTheWindowAnswersAndCanBeCancelled) {
  std::string bytes = "姓名,地址,邮编\n";
  for (int i = 0; i < 100000; ++i)
    bytes += "收件人" + std::to_string(i) + ",广东省深圳市南山区科技园路" + std::to_string(i) +
             "号科技大厦东座一单元二楼,518057\n";
  const std::string list = Write("long.csv", bytes);
  int ticks = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
  timer.start(1);
  ASSERT_TRUE(form->SetAddressList(list));
  timer.stop();
  EXPECT_GT(ticks, 0) << "the window's events waited for the whole list";
  EXPECT_EQ(form->AddressList.Count(), 100000);

  // Cancel in the progress window: the list is not taken, and nothing is said.
  form->ClearAddressList();
  form->AddressList.Reader.ShowAfter = 0;
  bool sawProgress = false;
  form->AddressList.Reader.OnWaiting = [&] {
    if (auto* progress = form->findChild<QProgressDialog*>(QStringLiteral("ListReadingProgress"))) {
      sawProgress = progress->isVisible();
      progress->cancel();
    }
  };
  EXPECT_FALSE(form->SetAddressList(list));
  EXPECT_TRUE(sawProgress);
  EXPECT_FALSE(form->AddressList.InForce());
  EXPECT_TRUE(messages.Messages.empty());
  form->AddressList.Reader.OnWaiting = nullptr;
}

}  // namespace
}  // namespace vl
