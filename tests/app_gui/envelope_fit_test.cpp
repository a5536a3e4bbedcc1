// Addresses fit their boxes on every shipped envelope: the recipient's
// address has room for four lines, and a longer one shrinks its font and
// wraps (down to the stated floor) rather than running out of its box.

#include <filesystem>
#include <string>

#include "engine/data/envelope_fit.h"
#include "engine/data/envelope_record.h"
#include "engine/model/memo_fit.h"
#include "engine/model/views.h"
#include "platform/qt/qt_text.h"
#include "tests/app_gui/launcher_fixture.h"

namespace vl {
namespace {

class EnvelopeFit : public LauncherWindow {
 protected:
  EnvelopeFit() : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(std::filesystem::path(VL_SOURCE_DIR) / "app" / "data");
  }
  ~EnvelopeFit() override { std::filesystem::current_path(previous_); }

  // The prepared envelope's text view of that name.
  TvlMemoView* Prepared(const std::string& view) {
    TvlPage* page = form.vlReport1.EMFPages.Expand(0);
    if (!page) return nullptr;
    for (const auto& v : page->Objects)
      if (v->Name == view) return dynamic_cast<TvlMemoView*>(v.get());
    return nullptr;
  }

 private:
  std::filesystem::path previous_;
};

TEST_F(EnvelopeFit, LongAddressesStayInsideTheirBoxOnEverySixTemplates) {
  struct Address {
    const char* what;
    std::string name, text;
    int lines;
  } addresses[] = {
      {"five Latin lines", "John Smith", "Flat 4, Rosebery House\r\n100 Main Street\r\nSpringfield, IL 62701\r\n"
                                         "Attn: Accounts Payable\r\nUnited States of America",
       5},
      {"four Chinese lines", "张三", "浙江省杭州市\r\n西湖区文三路90号\r\n东部软件园科技大厦\r\nA座1201室", 4},
      {"one long Chinese line", "欧阳建国先生（收发室转交）",
       "浙江省杭州市西湖区文三路90号东部软件园科技大厦A座1201室浙江省杭州市西湖区文三路90号东部软件园科技大厦",
       1},
  };
  for (int n = 1; n <= 6; ++n)
    for (const Address& a : addresses) {
      SCOPED_TRACE(std::to_string(n) + ": " + a.what);
      ASSERT_TRUE(form.vlReport1.LoadFromFile(vlTemplatePath(n)));
      TvlEnvelopeValues values;
      values[efRecipientName] = vlFromQt(QString::fromUtf8(a.name.c_str()));
      values[efRecipientAddress] = vlFromQt(QString::fromUtf8(a.text.c_str()));
      {
        TvlEnvelopeRecord record(form.Components, form.vlReport1, values);
        ASSERT_TRUE(form.vlReport1.Prepare());
      }
      for (const char* view : {"RecipientAddress", "RecipientName"}) {
        TvlMemoView* memo = Prepared(view);
        ASSERT_NE(memo, nullptr) << view;
        // Every line is there, and the measured text lies inside the view.
        if (std::string(view) == "RecipientAddress") {
          EXPECT_EQ(static_cast<int>(memo->Memo.size()), a.lines);
        }
        memo->PrintedMemo = memo->Memo;
        EXPECT_TRUE(vlMemoTextFits(*memo)) << view << ": " << memo->TextHeight << " > " << memo->Height;
        EXPECT_GE(memo->Font.Size, kEnvelopeFloorSize) << view;
      }
      form.vlReport1.EMFPages.Clear();
    }
}

// A text that fits keeps the template's size; the template itself is not changed.
TEST_F(EnvelopeFit, AShortAddressKeepsItsSize) {
  ASSERT_TRUE(form.vlReport1.LoadFromFile(vlTemplatePath(1)));
  const auto* design = dynamic_cast<TvlMemoView*>(form.vlReport1.Pages[0]->FindObject("RecipientAddress"));
  ASSERT_NE(design, nullptr);
  const std::int32_t size = design->Font.Size;
  TvlEnvelopeValues values;
  values[efRecipientAddress] = "Elm Rd 1\r\nTown";
  {
    TvlEnvelopeRecord record(form.Components, form.vlReport1, values);
    ASSERT_TRUE(form.vlReport1.Prepare());
  }
  TvlMemoView* memo = Prepared("RecipientAddress");
  ASSERT_NE(memo, nullptr);
  EXPECT_EQ(memo->Font.Size, size);
  const auto* after = dynamic_cast<TvlMemoView*>(form.vlReport1.Pages[0]->FindObject("RecipientAddress"));
  ASSERT_NE(after, nullptr);
  EXPECT_EQ(after->Font.Size, size);
  EXPECT_FALSE(form.vlReport1.OnBeforePrint);
}

}  // namespace
}  // namespace vl
