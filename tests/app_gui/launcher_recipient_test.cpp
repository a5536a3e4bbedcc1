// One envelope addressed by hand: the recipient form, offered by a template
// button when no address list is in force, feeds the envelope's fields;
// the sender and the recent recipients are remembered across runs.

#include <QCheckBox>
#include <QCompleter>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringListModel>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "app/recipient_form.h"
#include "engine/data/components.h"
#include "platform/memory_settings_store.h"
#include "platform/platform.h"
#include "platform/recording_message_box.h"
#include "tests/app_gui/launcher_fixture.h"

namespace vl {
namespace {

namespace fs = std::filesystem;

class LauncherRecipient : public ::testing::Test {
 protected:
  LauncherRecipient() {
    previous_ = vlPlatform();
    vlInstallPlatform(TvlPlatform{&messages, &settings, nullptr, nullptr});
    fs::current_path(fs::path(VL_SOURCE_DIR) / "app" / "data");
    Restart();
  }
  ~LauncherRecipient() override {
    form.reset();
    fs::current_path(start_);
    vlInstallPlatform(TvlPlatform{previous_.MessageBox, previous_.Settings, nullptr, nullptr});
  }

  // A fresh launcher, as at the next start of the program (one at a time:
  // it holds the program's only designer component). The form is answered
  // by answer; one offered without an answer fails the test.
  void Restart() {
    form.reset();
    form = std::make_unique<TFormMain>();
    offered = 0;
    form->ExecRecipientForm = [this](TRecipientForm& f) {
      ++offered;
      if (!answer) ADD_FAILURE() << "the recipient form was offered";
      return answer && answer(f);
    };
  }

  std::vector<std::string> Printed(const std::string& view) { return PrintedTexts(form->vlReport1.EMFPages, view); }
  // The six postcode boxes of a row, one character each.
  std::string Boxes(const std::string& prefix) {
    std::string digits;
    for (int i = 1; i <= 6; ++i) {
      const std::vector<std::string> box = Printed(prefix + std::to_string(i));
      digits += box.size() == 1 ? box[0] : "?";
    }
    return digits;
  }

  TvlRecordingMessageBox messages;
  TvlMemorySettingsStore settings;
  std::unique_ptr<TFormMain> form;
  std::function<bool(TRecipientForm&)> answer;
  int offered = 0;

 private:
  TvlPlatform previous_;
  const fs::path start_ = fs::current_path();
};

TRecipient Make(const char* name, const char* address, const char* postcode, const char* sender = "",
                const char* senderPostcode = "") {
  TRecipient r;
  r[efRecipientName] = QString::fromUtf8(name);
  r[efRecipientAddress] = QString::fromUtf8(address);
  r[efRecipientPostcode] = QString::fromUtf8(postcode);
  r[efSenderAddress] = QString::fromUtf8(sender);
  r[efSenderPostcode] = QString::fromUtf8(senderPostcode);
  return r;
}

TEST_F(LauncherRecipient, TheFormAddressesTheEnvelopeAndTheSenderSurvivesARestart) {
  answer = [](TRecipientForm& f) {
    EXPECT_TRUE(f.Values().Empty()) << "nothing is remembered yet";
    EXPECT_TRUE(f.AskForRecipient->isChecked());
    f.RecipientName->setText(QStringLiteral("张三"));
    f.RecipientAddress->setPlainText(QStringLiteral("广东省深圳市南山区\n科技园路1号"));
    f.RecipientPostcode->setText(QStringLiteral(" 518 057 "));
    f.SenderAddress->setText(QStringLiteral("北京市海淀区中关村大街1号"));
    f.SenderPostcode->setText(QStringLiteral("100080"));
    return true;
  };
  form->SpeedButton1->Click();
  EXPECT_EQ(offered, 1);
  EXPECT_TRUE(messages.Messages.empty());
  EXPECT_EQ(form->vlReport1.FileName, "Vlf/1.vlf");
  EXPECT_EQ(Printed("RecipientName"), std::vector<std::string>{"张三"});
  EXPECT_EQ(Printed("RecipientAddress"), std::vector<std::string>{"广东省深圳市南山区\n科技园路1号"});
  EXPECT_EQ(Boxes("PostCode"), "518057");
  EXPECT_EQ(Printed("SenderAddress"), std::vector<std::string>{"北京市海淀区中关村大街1号"});
  EXPECT_EQ(Boxes("SenderPostCode"), "100080");
  // Nothing of the recipient stays in the template or on the form.
  EXPECT_EQ(form->vlReport1.Dictionary.Variables.Get("RecipientName").Str(), "");
  EXPECT_EQ(form->vlReport1.Dataset, nullptr);
  EXPECT_EQ(form->vlReport1.ReportType, rtSimple);
  EXPECT_EQ(form->Components.FindComponent(TvlEnvelopeRecord::kDataset), nullptr);

  // The next start offers the sender, and the recipient for completion;
  // a Latin address prints the same way on the international envelope.
  Restart();
  answer = [](TRecipientForm& f) {
    EXPECT_EQ(f.SenderAddress->text(), QStringLiteral("北京市海淀区中关村大街1号"));
    EXPECT_EQ(f.SenderPostcode->text(), QStringLiteral("100080"));
    EXPECT_TRUE(f.RecipientName->text().isEmpty());
    const auto* names = qobject_cast<QStringListModel*>(f.Completer->model());
    EXPECT_EQ(names ? names->stringList() : QStringList(), QStringList{QStringLiteral("张三")});
    // Choosing the name from the completion list fills its address too.
    emit f.Completer->activated(QStringLiteral("张三"));
    EXPECT_EQ(f.RecipientAddress->toPlainText(), QStringLiteral("广东省深圳市南山区\n科技园路1号"));
    EXPECT_FALSE(f.TakeRecent(QStringLiteral("Nobody")));
    EXPECT_EQ(f.RecipientPostcode->text(), QStringLiteral("518057"));
    f.RecipientName->setText(QStringLiteral("John \"Jack\" Smith"));
    f.RecipientAddress->setPlainText(QStringLiteral("100 Main St, Apt 4\nSpringfield IL\nUSA"));
    f.RecipientPostcode->setText(QStringLiteral("62701"));
    return true;
  };
  form->SpeedButton4->Click();
  EXPECT_EQ(offered, 1);
  EXPECT_EQ(Printed("RecipientName"), std::vector<std::string>{"John \"Jack\" Smith"});
  EXPECT_EQ(Printed("RecipientAddress"), std::vector<std::string>{"100 Main St, Apt 4\nSpringfield IL\nUSA"});
  EXPECT_EQ(Boxes("PostCode"), "62701");
  EXPECT_EQ(Printed("SenderAddress"), std::vector<std::string>{"北京市海淀区中关村大街1号"});
  const std::vector<TRecipient> recent = vlRecentRecipients();
  ASSERT_EQ(recent.size(), 2u);
  EXPECT_EQ(recent[0][efRecipientName], QStringLiteral("John \"Jack\" Smith"));
  EXPECT_EQ(recent[1][efRecipientName], QStringLiteral("张三"));
}

TEST_F(LauncherRecipient, AnEmptyFormPrintsTheBlankTemplateAndCancelPrintsNothing) {
  answer = [](TRecipientForm&) { return false; };
  form->SpeedButton2->Click();
  EXPECT_EQ(form->vlReport1.Pages.Count(), 0) << "Cancel cancels the press: nothing is loaded";
  EXPECT_EQ(form->vlReport1.EMFPages.Count(), 0);

  answer = [](TRecipientForm&) { return true; };
  form->SpeedButton2->Click();
  ASSERT_EQ(form->vlReport1.EMFPages.Count(), 1);
  const std::string blank = form->vlReport1.EMFPages[0].Stream.Bytes();
  EXPECT_EQ(Printed("RecipientName"), std::vector<std::string>{""});
  EXPECT_EQ(Boxes("PostCode"), "");

  // The same page as the template prepared on its own.
  TvlReport plain;
  ASSERT_TRUE(plain.LoadFromFile("Vlf/2.vlf"));
  plain.ShowProgress = false;
  ASSERT_TRUE(plain.Prepare());
  ASSERT_EQ(plain.EMFPages.Count(), 1);
  EXPECT_EQ(plain.EMFPages[0].Stream.Bytes(), blank);
}

TEST_F(LauncherRecipient, WithAskingTurnedOffTheButtonPrintsWhatTheMenuSet) {
  // From the context menu: the recipient for the next envelopes, and no
  // more asking.
  answer = [](TRecipientForm& f) {
    f.SetValues(Make("Ann Lee", "Elm Rd 1", "SW1A 1AA", "Oak St 2", "N1 9GU"));
    f.AskForRecipient->setChecked(false);
    return true;
  };
  form->ActionRecipient->trigger();
  EXPECT_EQ(offered, 1);
  EXPECT_FALSE(vlAskForRecipient());
  answer = nullptr;
  form->SpeedButton5->Click();
  EXPECT_EQ(offered, 1);
  EXPECT_EQ(Printed("RecipientName"), std::vector<std::string>{"Ann Lee"});
  EXPECT_EQ(Boxes("PostCode"), "SW1A1A") << "blanks take no box; six boxes show six characters";

  // Cancel from the menu changes nothing.
  answer = [](TRecipientForm& f) {
    f.SetValues(TRecipient());
    return false;
  };
  form->ActionRecipient->trigger();
  EXPECT_EQ(form->Recipient[efRecipientName], QStringLiteral("Ann Lee"));

  // After a restart: still not asked, and only the sender is remembered.
  Restart();
  answer = nullptr;
  form->SpeedButton1->Click();
  EXPECT_EQ(offered, 0);
  EXPECT_EQ(Printed("RecipientName"), std::vector<std::string>{""});
  EXPECT_EQ(Printed("SenderAddress"), std::vector<std::string>{"Oak St 2"});
  EXPECT_EQ(Boxes("SenderPostCode"), "N19GU");
}

TEST_F(LauncherRecipient, AListsEnvelopesCarryTheRememberedSenderWhereTheListHasNone) {
  vlRememberRecipient(Make("", "", "", "Oak St 2", "100080"));
  const fs::path list = fs::temp_directory_path() / ("vl_recipient_" + std::to_string(::getpid()) + ".csv");
  std::ofstream(list) << "name,address,zip\nAnn,Elm Rd 1,518057\nBob,Ash Rd 3,62701\n";
  Restart();
  ASSERT_TRUE(form->SetAddressList(list.string()));
  form->SpeedButton1->Click();  // a list in force: no form
  fs::remove(list);
  EXPECT_EQ(offered, 0);
  EXPECT_EQ(Printed("RecipientName"), (std::vector<std::string>{"Ann", "Bob"}));
  EXPECT_EQ(Printed("SenderAddress"), (std::vector<std::string>{"Oak St 2", "Oak St 2"}));
  EXPECT_EQ(Printed("SenderPostCode1"), (std::vector<std::string>{"1", "1"}));
  EXPECT_EQ(form->Components.FindComponent(TvlEnvelopeRecord::kDataset), nullptr);
}

TEST(RecentRecipients, TheLastTenAreKeptLatestFirstWithoutRepeats) {
  TvlMemorySettingsStore settings;
  const TvlPlatform previous = vlPlatform();
  vlInstallPlatform(TvlPlatform{nullptr, &settings, nullptr, nullptr});
  for (int i = 1; i <= 12; ++i)
    vlRememberRecipient(Make(("Name " + std::to_string(i)).c_str(), "Street", "1"));
  vlRememberRecipient(Make("Name 5", "Street", "2"));
  // A sender-only form leaves the recent ones as they are.
  vlRememberRecipient(Make("", "", "", "Home", "9"));
  const std::vector<TRecipient> recent = vlRecentRecipients();
  ASSERT_EQ(recent.size(), 10u);
  QStringList names;
  for (const TRecipient& r : recent) names << r[efRecipientName];
  EXPECT_EQ(names.join(QStringLiteral(",")),
            QStringLiteral("Name 5,Name 12,Name 11,Name 10,Name 9,Name 8,Name 7,Name 6,Name 4,Name 3"));
  EXPECT_EQ(recent[0][efRecipientPostcode], QStringLiteral("2"));
  EXPECT_EQ(vlLoadSender()[efSenderAddress], QStringLiteral("Home"));
  vlInstallPlatform(TvlPlatform{previous.MessageBox, previous.Settings, nullptr, nullptr});
}

}  // namespace
}  // namespace vl
