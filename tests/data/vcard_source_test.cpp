#include <gtest/gtest.h>

#include <map>

#include "engine/data/vcard_data_source.h"
#include "engine/core/error.h"
#include "tests/data/fixtures.h"

namespace vl {
namespace {

// Every non-null field of every card, as "FIELD=value" lines per card.
std::vector<std::map<std::string, std::string>> Cards(TvlVCardDataSource& s) {
  std::vector<std::map<std::string, std::string>> cards;
  for (s.First(); !s.Eof(); s.Next()) {
    auto& card = cards.emplace_back();
    for (int k = 0; k < static_cast<int>(s.FieldDefs().size()); ++k)
      if (!s.IsNull(k)) card[s.FieldDefs()[static_cast<std::size_t>(k)].Name] = std::string(s.DisplayText(k));
  }
  return cards;
}

TEST(VCardSource, Version3FoldingEscapesGroupsAndSeveralAddresses) {
  TvlVCardDataSource s("Cards");
  s.OpenText(
      "BEGIN:VCARD\r\n"
      "VERSION:3.0\r\n"
      "N:Smith;John;Q.;Dr.;Jr.\r\n"
      "FN:Dr. John Q. Smith\\, Jr.\r\n"
      "ORG:Acme\\, Inc.;Sales\r\n"
      "TEL;TYPE=work,voice:+1 555 0100\r\n"
      "TEL;TYPE=cell,pref:+1 555 0199\r\n"
      "ADR;TYPE=work:;Suite 5;100 Main St\\, Bldg\r\n"
      " . 2;Springfield;IL;62701;USA\r\n"
      "item1.ADR;TYPE=home,pref:;;1 Elm Rd;Shelbyville;IL;62565;\r\n"
      "item1.X-ABLabel:home\r\n"
      "NOTE:first line\\nsecond line\r\n"
      "END:VCARD\r\n"
      "\r\n"
      "BEGIN:VCARD\r\n"
      "VERSION:3.0\r\n"
      "FN:张三\r\n"
      "ADR:;;科技园路1号;深圳市;广东省;518057;中国\r\n"
      "EMAIL:zhang@example.cn\r\n"
      "END:VCARD\r\n",
      "book.vcf");
  ASSERT_EQ(s.RecordCount(), 2u);
  // Two addresses and two telephones in the fullest card give ADR2 and TEL2.
  EXPECT_GE(s.FieldIndex("ADR2_Street"), 0);
  EXPECT_GE(s.FieldIndex("TEL2_Type"), 0);
  EXPECT_LT(s.FieldIndex("ADR3"), 0);
  EXPECT_LT(s.FieldIndex("EMAIL2"), 0);

  const auto cards = Cards(s);
  const std::map<std::string, std::string> first = {
      {"FN", "Dr. John Q. Smith, Jr."}, {"N_Family", "Smith"}, {"N_Given", "John"}, {"N_Middle", "Q."},
      {"N_Prefix", "Dr."}, {"N_Suffix", "Jr."}, {"ORG", "Acme, Inc. Sales"},
      // The preferred address and telephone come first, whatever their place in the card.
      {"ADR", "1 Elm Rd\r\nShelbyville, IL 62565"}, {"ADR_Type", "home,pref"}, {"ADR_Street", "1 Elm Rd"},
      {"ADR_Locality", "Shelbyville"}, {"ADR_Region", "IL"}, {"ADR_PostalCode", "62565"},
      {"ADR2", "Suite 5\r\n100 Main St, Bldg. 2\r\nSpringfield, IL 62701\r\nUSA"}, {"ADR2_Type", "work"},
      {"ADR2_Extended", "Suite 5"}, {"ADR2_Street", "100 Main St, Bldg. 2"}, {"ADR2_Locality", "Springfield"},
      {"ADR2_Region", "IL"}, {"ADR2_PostalCode", "62701"}, {"ADR2_Country", "USA"},
      {"TEL", "+1 555 0199"}, {"TEL_Type", "cell,pref"}, {"TEL2", "+1 555 0100"}, {"TEL2_Type", "work,voice"},
      {"NOTE", "first line\r\nsecond line"}};
  EXPECT_EQ(cards[0], first);
  // A Chinese address runs from the country down to the street, without the postcode.
  const std::map<std::string, std::string> second = {
      {"FN", "张三"}, {"ADR", "中国广东省深圳市科技园路1号"}, {"ADR_Street", "科技园路1号"},
      {"ADR_Locality", "深圳市"}, {"ADR_Region", "广东省"}, {"ADR_PostalCode", "518057"},
      {"ADR_Country", "中国"}, {"EMAIL", "zhang@example.cn"}};
  EXPECT_EQ(cards[1], second);
  EXPECT_TRUE(s.IsNull("ORG"));
  EXPECT_EQ(vlReadField(s, "ORG").Str(), "");
}

TEST(VCardSource, Version21QuotedPrintableCharsetsAndPictures) {
  TvlVCardDataSource s;
  s.OpenText(
      "BEGIN:VCARD\n"
      "VERSION:2.1\n"
      // No FN: the name is made from N, family name first for Chinese.
      "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=E6=9D=8E;=E5=9B=9B;;;\n"
      "TEL;HOME;VOICE:010-12345678\n"
      // A soft line break inside the quoted-printable value.
      "ADR;HOME;CHARSET=UTF-8;QUOTED-PRINTABLE:;;=E6=9C=9D=E9=98=B3=E8=B7=AF=31=\n"
      "=E5=8F=B7;=E5=8C=97=E4=BA=AC=E5=B8=82;;100020;\n"
      "PHOTO;ENCODING=BASE64;TYPE=JPEG:/9j/4AAQSkZJRgABAQ\n"
      "AAAQABAAD/2wBDAAgGBgcGBQgHBwcJCQgKDBQNDAsLDBkSEw8U\n"
      "\n"
      "AGENT:\n"
      "BEGIN:VCARD\n"
      "VERSION:2.1\n"
      "FN:Assistant\n"
      "END:VCARD\n"
      "END:VCARD\n"
      "BEGIN:VCARD\n"
      "VERSION:2.1\n"
      "FN;CHARSET=GB2312:\xD5\xC5\xC8\xFD\n"
      "N:Doe;Jane\n"
      "END:VCARD\n",
      "phone.vcf");
  const auto cards = Cards(s);
  ASSERT_EQ(cards.size(), 2u);
  EXPECT_EQ(cards[0].at("FN"), "李四");
  EXPECT_EQ(cards[0].at("TEL_Type"), "home,voice");
  EXPECT_EQ(cards[0].at("ADR_Street"), "朝阳路1号");
  EXPECT_EQ(cards[0].at("ADR"), "北京市朝阳路1号");
  EXPECT_EQ(cards[0].at("ADR_PostalCode"), "100020");
  EXPECT_EQ(cards[0].count("NOTE"), 0u);  // the agent's card stays its own
  EXPECT_EQ(cards[1].at("FN"), "张三");
  EXPECT_EQ(cards[1].at("N_Given"), "Jane");
}

TEST(VCardSource, Version4QuotedParametersAndNamesFromOrganisations) {
  TvlVCardDataSource s;
  s.OpenText(
      "BEGIN:VCARD\r\nVERSION:4.0\r\n"
      "ORG:Example Ltd\r\n"
      "ADR;TYPE=\"home,work\";LABEL=\"1 High St;\\nLondon: UK\";PREF=1:;;1 High St;London;;SW1A 1AA;UK\r\n"
      "EMAIL;TYPE=work:info@example.co.uk\r\n"
      "END:VCARD\r\n",
      "v4.vcf");
  const auto cards = Cards(s);
  ASSERT_EQ(cards.size(), 1u);
  EXPECT_EQ(cards[0].at("FN"), "Example Ltd");
  EXPECT_EQ(cards[0].at("ADR_Type"), "home,work");
  EXPECT_EQ(cards[0].at("ADR"), "1 High St\r\nLondon SW1A 1AA\r\nUK");
  EXPECT_EQ(cards[0].at("EMAIL_Type"), "work");
}

TEST(VCardSource, DamagedFilesNameTheFileAndTheLine) {
  const std::string deep = [] {
    std::string t;
    for (int i = 0; i < 9; ++i) t += "BEGIN:VCARD\n";
    return t;
  }();
  struct Case {
    std::string text, expected;
  } cases[] = {
      {"BEGIN:VCARD\nVERSION:3.0\nFN Ann\nEND:VCARD\n",
       "Malformed vCard file f.vcf, line 3: the line has no \":\" between name and value"},
      {"FN:Ann\n", "Malformed vCard file f.vcf, line 1: a property outside BEGIN:VCARD and END:VCARD"},
      {"BEGIN:VCARD\nFN:Ann\nEND:VCARD\n\nBEGIN:VCARD\nFN:Bob\n",
       "Malformed vCard file f.vcf, line 5: the card that begins here has no END:VCARD"},
      {"END:VCARD\n", "Malformed vCard file f.vcf, line 1: END:VCARD without BEGIN:VCARD"},
      {"BEGIN:VCARD\nVERSION:5.0\nEND:VCARD\n", "Malformed vCard file f.vcf, line 2: unsupported vCard version 5.0"},
      {"BEGIN:VCARD\nFN;CHARSET=X-NONE:a\nEND:VCARD\n",
       "Malformed vCard file f.vcf, line 2: unknown character set X-NONE"},
      {"\n\n", "Malformed vCard file f.vcf, line 1: the file holds no BEGIN:VCARD"},
      {deep, "Malformed vCard file f.vcf, line 9: cards are nested too deeply"},
      {"\xFE\xFF\0B", "Cannot open data file f.vcf: UTF-16 files are not read; save the file as UTF-8"},
  };
  for (const Case& c : cases) {
    TvlVCardDataSource s;
    try {
      s.OpenText(c.text, "f.vcf");
      ADD_FAILURE() << "opened: " << c.text;
    } catch (const TvlError& e) {
      EXPECT_EQ(std::string(e.what()), c.expected);
    }
    EXPECT_FALSE(s.Active());
  }
  test::TempFolder dir;
  TvlVCardDataSource missing;
  missing.FileName = dir.File("none.vcf");
  EXPECT_THROW(missing.Open(), TvlError);
}

}  // namespace
}  // namespace vl
