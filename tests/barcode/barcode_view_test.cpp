// The barcode view as a template object: its own record through the
// template file, its properties, its registration, and templates opened
// where the class is missing.

#include <gtest/gtest.h>

#include <cstring>

#include "engine/addins/barcode/barcode_addin.h"
#include "engine/core/value_convert.h"
#include "engine/model/print_sink.h"
#include "platform/bitmap_codec.h"
#include "tests/barcode/barcode_fixture.h"
#include "tests/model/template_fixture.h"

namespace vl {
namespace {

using test::BarCodeTest;

class BarCodeTemplate : public testing::TemplateTest {
 protected:
  void SetUp() override {
    TemplateTest::SetUp();
    registered_ = vlAddIns().Find(kBarCodeClassName) != nullptr;
    if (!registered_) vlRegisterBarCodeView();
  }
  void TearDown() override {
    if (!registered_) vlAddIns().Unregister(kBarCodeClassName);
  }
  bool registered_ = false;
};

TvlBarCodeView& BarCode(TvlReport& report, const std::string& name) {
  auto* v = dynamic_cast<TvlBarCodeView*>(report.FindObject(name));
  EXPECT_TRUE(v) << name;
  return *v;
}

TEST_F(BarCodeTemplate, EveryFieldSurvivesTheTemplateFileByteForByte) {
  auto report = test::BarCodeEnvelope();
  TvlBarCodeView& qr = BarCode(*report, "AddressQR");
  qr.Rotation = 270;
  qr.FitToView = false;
  qr.ModuleWidth = 2.125;
  qr.FrameTyp = vlftLeft | vlftTop;
  TvlBarCodeView& code = BarCode(*report, "PostCode");
  code.Symbology = bcCode39;
  code.CheckDigit = true;
  code.ShowText = false;
  code.Tag = "[Zip]";

  const std::string bytes = Save(*report);
  TvlReport back;
  Load(back, bytes);
  EXPECT_TRUE(messages->Messages.empty());
  ASSERT_EQ(back.Pages.Count(), 1);
  ASSERT_EQ(back.Pages[0]->Objects.size(), 5u);
  TvlBarCodeView& qr2 = BarCode(back, "AddressQR");
  EXPECT_EQ(qr2.Typ, otAddIn);
  EXPECT_EQ(qr2.ClassName, kBarCodeClassName);
  EXPECT_EQ(qr2.Symbology, bcQRCode);
  EXPECT_EQ(qr2.Code, "[Name]\r\n[Street]\r\n[Zip] [City]");
  EXPECT_EQ(qr2.Rotation, 270);
  EXPECT_FALSE(qr2.FitToView);
  EXPECT_DOUBLE_EQ(qr2.ModuleWidth, 2.125);
  EXPECT_EQ(std::vector<int>({qr2.Left, qr2.Top, qr2.Width, qr2.Height, qr2.FrameTyp}),
            std::vector<int>({400, 140, 110, 110, vlftLeft | vlftTop}));
  TvlBarCodeView& code2 = BarCode(back, "PostCode");
  EXPECT_EQ(code2.Symbology, bcCode39);
  EXPECT_TRUE(code2.CheckDigit);
  EXPECT_FALSE(code2.ShowText);
  EXPECT_EQ(code2.Tag, "[Zip]");
  EXPECT_EQ(BarCode(back, "Routing").Symbology, bcIntelligentMail);

  // Saved again: the same bytes, up to the save time at the very end.
  const std::string again = Save(back);
  ASSERT_EQ(again.size(), bytes.size());
  EXPECT_EQ(again.substr(0, again.size() - 8), bytes.substr(0, bytes.size() - 8));
}

// The view data of a barcode view split at its own record: the common
// view data, the record's version and its fields.
struct Record {
  std::string Common;
  std::uint8_t Version = 0;
  std::string Fields;
  std::string Bytes() const { return Bytes(static_cast<std::uint32_t>(Fields.size())); }
  std::string Bytes(std::uint32_t count) const {
    std::string out = Common;
    out += static_cast<char>(Version);
    out.append(reinterpret_cast<const char*>(&count), 4);
    return out + Fields;
  }
};

Record Split(TvlBarCodeView& view) {
  TvlStreamWriter whole, common;
  view.SaveToStream(whole);
  view.TvlView::SaveToStream(common);
  const std::string& bytes = whole.Bytes();
  const std::size_t at = common.Bytes().size();
  EXPECT_EQ(bytes.substr(0, at), common.Bytes());
  std::uint32_t count = 0;
  std::memcpy(&count, bytes.data() + at + 1, 4);
  EXPECT_EQ(count, bytes.size() - at - 5);
  return {common.Bytes(), static_cast<std::uint8_t>(bytes[at]), bytes.substr(at + 5)};
}

TEST_F(BarCodeTemplate, ARecordOfALaterVersionIsReadAsFarAsKnownAndADamagedOneIsRefused) {
  TvlBarCodeView view;
  view.Symbology = bcDataMatrix;
  view.Code = "ABC";
  view.Rotation = 90;
  const Record record = Split(view);
  EXPECT_EQ(record.Version, kBarCodeRecordFirstVersion);  // its later options keep their defaults

  // A later version appends fields after this one's; it reads its own and
  // skips the rest.
  Record later = record;
  later.Version = kBarCodeRecordVersion + 1;
  later.Fields += std::string("\x01\x1E\x00", 3) + "later fields";
  const std::string laterBytes = later.Bytes() + "next";
  TvlStreamReader r(laterBytes);
  TvlBarCodeView back;
  back.LoadFromStream(r);
  EXPECT_EQ(back.Symbology, bcDataMatrix);
  EXPECT_EQ(back.Code, "ABC");
  EXPECT_EQ(back.Rotation, 90);
  EXPECT_TRUE(back.UpperCase);
  EXPECT_DOUBLE_EQ(back.WideRatio, 3.0);
  EXPECT_FALSE(back.Utf8Eci);
  EXPECT_EQ(r.ReadBytes(4), "next");

  // A count beyond the stream, fields cut short, a version 0 and a record
  // that ends early raise a stream error instead of reading past the record.
  Record cut = record;
  cut.Fields.resize(cut.Fields.size() - 3);
  Record zero = record;
  zero.Version = 0;
  const std::string whole = record.Bytes();
  for (const std::string& bad : {record.Bytes(1000), cut.Bytes(), zero.Bytes(), whole.substr(0, whole.size() - 1)}) {
    TvlStreamReader rb(bad);
    TvlBarCodeView damaged;
    EXPECT_THROW(damaged.LoadFromStream(rb), TvlStreamError);
  }
}

TEST_F(BarCodeTemplate, TheFirstVersionRecordStaysByteForByteAndLaterOptionsWriteTheSecond) {
  // A version 1 record as files hold it: Data Matrix, "ABC", no check
  // digit, text shown, turned 90 degrees, fitted, module width 1.2.
  TvlBarCodeView view;
  const std::string v1Fields("\x04\x03\x00" "ABC" "\x00\x00\x01\x5A\x00\x01\xB0\x04\x00\x00", 16);
  Record v1{Split(view).Common, 1, v1Fields};
  const std::string v1Bytes = v1.Bytes();
  TvlStreamReader r(v1Bytes);
  view.LoadFromStream(r);
  EXPECT_EQ(view.Code, "ABC");
  EXPECT_EQ(view.Rotation, 90);
  EXPECT_FALSE(view.UpperCase);
  EXPECT_DOUBLE_EQ(view.WideRatio, 2.0);
  EXPECT_TRUE(view.Utf8Eci);
  TvlStreamWriter again;
  view.SaveToStream(again);
  EXPECT_EQ(again.Bytes(), v1Bytes);

  // Any later option away from its default writes version 2: the first
  // version's fields, then the three options.
  const struct {
    bool upperCase;
    double wideRatio;
    bool utf8Eci;
    const char* appended;
  } cases[] = {
      {true, 2.0, true, "\x01\x14\x01"},
      {false, 3.0, true, "\x00\x1E\x01"},
      {false, 2.5, true, "\x00\x19\x01"},
      {false, 2.0, false, "\x00\x14\x00"},
  };
  for (const auto& c : cases) {
    view.UpperCase = c.upperCase, view.WideRatio = c.wideRatio, view.Utf8Eci = c.utf8Eci;
    const Record v2 = Split(view);
    EXPECT_EQ(v2.Version, kBarCodeRecordVersion);
    EXPECT_EQ(v2.Fields, v1Fields + std::string(c.appended, 3));
    const std::string v2Bytes = v2.Bytes();
    TvlStreamReader rv(v2Bytes);
    TvlBarCodeView back;
    back.LoadFromStream(rv);
    EXPECT_EQ(back.UpperCase, c.upperCase);
    EXPECT_DOUBLE_EQ(back.WideRatio, c.wideRatio);
    EXPECT_EQ(back.Utf8Eci, c.utf8Eci);
    EXPECT_EQ(back.Code, "ABC");
  }

  // A version 2 record cut before its options is damaged.
  Record cut{v1.Common, kBarCodeRecordVersion, v1Fields + std::string("\x01", 1)};
  const std::string cutBytes = cut.Bytes();
  TvlStreamReader rc(cutBytes);
  TvlBarCodeView damaged;
  EXPECT_THROW(damaged.LoadFromStream(rc), TvlStreamError);
}

TEST_F(BarCodeTemplate, WithoutTheAddInOneMessageNamesTheClassAndEverythingElseLoads) {
  auto report = test::BarCodeEnvelope();
  report->Pages.Add()->Name = "Back";
  auto sender = std::make_unique<TvlMemoView>();
  sender->Name = "Sender";
  sender->Memo = {"From: us"};
  report->Pages[1]->Objects.push_back(std::move(sender));
  const std::string bytes = Save(*report);

  vlAddIns().Unregister(kBarCodeClassName);  // a build without the add-in
  TvlReport back;
  Load(back, bytes);
  if (registered_) vlRegisterBarCodeView();
  else registered_ = true;  // TearDown must not unregister it again

  ASSERT_EQ(messages->Messages.size(), 1u);
  EXPECT_EQ(messages->Messages[0].Text,
            "Report contains the following non-plugged components:\rTvlBarCodeView\r"
            "You must include these components into your project.");
  EXPECT_EQ(back.LastLoadStatus, TvlLoadStatus::MissingClasses);
  ASSERT_EQ(back.Pages.Count(), 2);
  ASSERT_EQ(back.Pages[0]->Objects.size(), 2u);
  EXPECT_EQ(back.Pages[0]->Objects[0]->Name, "Title");
  EXPECT_EQ(back.Pages[0]->Objects[1]->Name, "Address");
  EXPECT_EQ(back.Pages[0]->Objects[1]->Memo, std::vector<std::string>({"[Name]", "[Street]", "[Zip] [City]"}));
  ASSERT_EQ(back.Pages[1]->Objects.size(), 1u);
  EXPECT_EQ(back.Pages[1]->Objects[0]->Name, "Sender");
  EXPECT_EQ(vlValueToText(back.Dictionary.Variables.Get("PostCode")), "Zip + '-' + Plus4");
}

TEST_F(BarCodeTest, PropertiesForScriptsAndTheInspector) {
  TvlBarCodeView v;
  v.EnsureProperties();
  const TvlPropRec* symbology = v.FindProperty("symbology");
  ASSERT_TRUE(symbology);
  EXPECT_EQ(symbology->Kind, ptEnum);
  ASSERT_EQ(symbology->EnumNames.size(), static_cast<std::size_t>(bcSymbologyCount));
  EXPECT_EQ(symbology->EnumNames[bcQRCode], "bcQRCode");
  EXPECT_EQ(symbology->EnumNames[bcIntelligentMail], "bcIntelligentMail");
  EXPECT_EQ(v.FindProperty("Rotation")->EnumNames, std::vector<std::string>({"0", "90", "180", "270"}));
  EXPECT_EQ(v.FindProperty("ModuleWidth")->Kind, ptSize | ptFloat);
  EXPECT_EQ(v.FindProperty("UpperCase")->Kind, ptBoolean);
  EXPECT_EQ(v.FindProperty("WideRatio")->Kind, ptFloat);
  EXPECT_EQ(v.FindProperty("Utf8Eci")->Kind, ptBoolean);
  EXPECT_TRUE(v.FindProperty("FrameColor"));  // the views' shared properties come first

  const struct {
    const char* name;
    TvlValue value;
    const char* expected;  // GetProperty afterwards, as text
  } cases[] = {
      {"Symbology", TvlValue(bcEAN13), "2"},
      {"SYMBOLOGY", TvlValue("bcaustpost"), "2"},  // no such name: unchanged
      {"Symbology", TvlValue("bcAusPost"), "7"},
      {"Symbology", TvlValue("4"), "4"},
      {"Symbology", TvlValue(99), "4"},
      {"Code", TvlValue("[Zip]"), "[Zip]"},
      {"CheckDigit", TvlValue(true), "True"},
      {"ShowText", TvlValue(false), "False"},
      {"Rotation", TvlValue(-90), "270"},
      {"Rotation", TvlValue(45), "270"},  // not a quarter turn: unchanged
      {"FitToView", TvlValue(false), "False"},
      {"ModuleWidth", TvlValue(1.5), "1.5"},
      {"ModuleWidth", TvlValue(-3), "0"},
      {"UpperCase", TvlValue(true), "True"},
      {"WideRatio", TvlValue(2.54), "2.5"},  // kept in tenths, as stored
      {"WideRatio", TvlValue(7), "3"},
      {"WideRatio", TvlValue(1), "2"},
      {"Utf8Eci", TvlValue(false), "False"},
  };
  for (const auto& c : cases) {
    v.SetProperty(c.name, c.value);
    EXPECT_EQ(vlValueToText(v.GetProperty(c.name)), c.expected) << c.name << " " << vlValueToText(c.value);
  }
  EXPECT_TRUE(v.GetProperty("NoSuchProperty").IsNull());
}

TEST(BarCodeAddIn, RegistersOnceWithItsToolbarPicture) {
  const bool before = vlAddIns().Find(kBarCodeClassName) != nullptr;
  if (!before) {
    EXPECT_TRUE(vlRegisterBarCodeView());
  }
  EXPECT_FALSE(vlRegisterBarCodeView());
  const TvlAddInClass* cls = vlAddIns().Find(kBarCodeClassName);
  ASSERT_TRUE(cls);
  EXPECT_EQ(cls->Presentation.Hint, "Barcode");
  const std::string bmp(cls->Presentation.Picture.begin(), cls->Presentation.Picture.end());
  vlWriteFileAtomically(::testing::TempDir() + "barcode_glyph.bmp", bmp);  // to look at
  TvlRaster picture;
  ASSERT_TRUE(vlDecodeBmp(bmp, picture));
  EXPECT_EQ(picture.Width, 24);
  EXPECT_EQ(picture.Height, 24);
  EXPECT_EQ(picture.At(4, 10) & 0xFFFFFF, 0x000000u);  // a bar
  EXPECT_EQ(picture.At(2, 10) & 0xFFFFFF, 0xFFFFFFu);
  auto v = vlCreateView(otAddIn, kBarCodeClassName);
  ASSERT_TRUE(dynamic_cast<TvlBarCodeView*>(v.get()));
  v->CreateUniqueName([](const std::string& n) { return n == "BarCode1"; });
  EXPECT_EQ(v->Name, "BarCode2");
  if (!before) vlAddIns().Unregister(kBarCodeClassName);
}

}  // namespace
}  // namespace vl
