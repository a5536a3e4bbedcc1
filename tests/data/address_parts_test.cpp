// Addresses split over several columns: which columns join into the
// recipient's address, how the parts read on an envelope, and the joined
// field a binding gives the envelope variable.

#include <gtest/gtest.h>

#include "engine/data/address_binding.h"
#include "engine/data/address_fields.h"
#include "engine/data/address_parts.h"
#include "engine/data/db_dataset.h"
#include "engine/data/open_data_source.h"
#include "platform/memory_settings_store.h"
#include "tests/data/fixtures.h"

namespace vl {
namespace {

using Columns = std::vector<std::string>;

TEST(AddressParts, ListHeadersGiveTheirFieldsOrNoRecipient) {
  struct Case {
    Columns header;
    Columns name, address, postcode;  // the columns of each field, in order
  } cases[] = {
      // A Chinese shop export: province, city, district and street, in that order.
      {{"收货人", "省份", "城市", "区县", "详细地址", "邮编"},
       {"收货人"}, {"省份", "城市", "区县", "详细地址"}, {"邮编"}},
      // The same columns in another order still read from the largest place down.
      {{"详细地址", "城市", "收货人", "省份", "邮编"}, {"收货人"}, {"省份", "城市", "详细地址"}, {"邮编"}},
      // Latin street lines, then city, state, ZIP and country; the ZIP also fills the boxes.
      {{"Name", "Street", "Street 2", "City", "State", "ZIP", "Country"},
       {"Name"}, {"Street", "Street 2", "City", "State", "ZIP", "Country"}, {"ZIP"}},
      // "Address" beside City is the street line.
      {{"Full Name", "Country", "Address", "Address 2", "City", "Zip"},
       {"Full Name"}, {"Address", "Address 2", "City", "Zip", "Country"}, {"Zip"}},
      // A vCard has its whole address beside the parts: the whole one is taken.
      {{"FN", "N_Family", "ADR", "ADR_Street", "ADR_Locality", "ADR_Region", "ADR_PostalCode", "ADR_Country"},
       {"FN"}, {"ADR"}, {"ADR_PostalCode"}},
      // One address column: nothing to join.
      {{"姓名", "地址", "邮编"}, {"姓名"}, {"地址"}, {"邮编"}},
      {{"Name", "Street Address", "ZIP Code"}, {"Name"}, {"Street Address"}, {"ZIP Code"}},
      // Columns that name nothing give no recipient.
      {{"a", "b", "c"}, {}, {}, {}},
  };
  for (const Case& c : cases) {
    const TvlAddressMapping m = vlMatchAddressColumns(c.header);
    EXPECT_EQ(m.ColumnsOf(efRecipientName), c.name) << c.header[0];
    EXPECT_EQ(m.ColumnsOf(efRecipientAddress), c.address) << c.header[0];
    EXPECT_EQ(m.ColumnsOf(efRecipientPostcode), c.postcode) << c.header[0];
    EXPECT_EQ(vlMappingGivesNoRecipient(m), c.name.empty() && c.address.empty()) << c.header[0];
  }
}

TEST(AddressParts, PartsJoinAsTheScriptOfTheirTextReads) {
  using K = TvlAddressPartKind;
  struct Case {
    std::vector<TvlAddressPart> parts;
    std::string joined;
  } cases[] = {
      {{{K::apState, "浙江省"}, {K::apCity, "杭州市"}, {K::apDistrict, "西湖区"}, {K::apStreet, "文三路90号"}},
       "浙江省杭州市西湖区文三路90号"},
      // Blanks and empty parts go; a postcode has its boxes on a Chinese envelope.
      {{{K::apState, " 浙江省 "}, {K::apCity, ""}, {K::apStreet, "文三路90号"}, {K::apPostcode, "310012"}},
       "浙江省文三路90号"},
      {{{K::apStreet, "100 Main St"}, {K::apStreet2, "Apt 4"}, {K::apCity, "Springfield"}, {K::apState, "IL"},
        {K::apPostcode, "62701"}, {K::apCountry, "USA"}},
       "100 Main St\r\nApt 4\r\nSpringfield, IL 62701\r\nUSA"},
      {{{K::apStreet, "10 Downing St"}, {K::apStreet2, ""}, {K::apCity, "London"}, {K::apPostcode, "SW1A 2AA"},
        {K::apCountry, "United Kingdom"}},
       "10 Downing St\r\nLondon SW1A 2AA\r\nUnited Kingdom"},
      {{{K::apStreet, "1 Elm Rd"}, {K::apState, "NY"}, {K::apPostcode, "10001"}}, "1 Elm Rd\r\nNY 10001"},
      // Columns the names do not tell keep their order, one line each.
      {{{K::apOther, "c/o Ann"}, {K::apOther, "Elm Rd 1"}}, "c/o Ann\r\nElm Rd 1"},
      {{{K::apCity, ""}, {K::apStreet, " "}}, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(vlJoinAddressParts(c.parts), c.joined) << c.joined;
  EXPECT_TRUE(vlIsCjkText("文三路90号"));
  EXPECT_FALSE(vlIsCjkText("Münchner Straße 1"));
}

TEST(AddressParts, SeveralColumnsAreRememberedInOrder) {
  TvlMemorySettingsStore settings;
  const Columns columns = {"Who", "Town", "Road"};
  TvlAddressMapping m;
  m.SetColumns(efRecipientName, {"Who"});
  m.SetColumns(efRecipientAddress, {"Town", "Road"});
  vlRememberAddressMapping(settings, columns, m);
  TvlAddressMapping back;
  ASSERT_TRUE(vlRecallAddressMapping(settings, columns, back));
  EXPECT_EQ(back, m);
  EXPECT_EQ(back.ColumnsOf(efRecipientAddress), (Columns{"Town", "Road"}));
}

// The variable reads one field that joins the columns, record by record;
// afterwards the dataset has its own source again.
TEST(AddressParts, ABindingJoinsTheColumnsOfAField) {
  test::TempFolder folder;
  const std::string list = folder.Write("shop.csv",
                                        "收货人,省份,城市,区县,详细地址,邮编\n"
                                        "张三,浙江省,杭州市,西湖区,文三路90号,310012\n"
                                        "李四,北京市,北京市,朝阳区,建国路88号,100022\n");
  std::unique_ptr<TvlDataSource> source = vlOpenDataSource(list);
  TvlReport report;
  TvlVariables& vars = report.Dictionary.Variables;
  for (int f = 0; f < kEnvelopeFieldCount; ++f) vars.Set(vlEnvelopeVariable(f), TvlValue(std::string()));
  TvlDBDataSet dataset(kAddressDataset);
  dataset.SetDataSet(source.get());
  const TvlAddressMapping m = vlMatchAddressColumns(source->FieldNames());
  {
    TvlAddressBinding binding(report, dataset, m);
    EXPECT_EQ(vars.Get("RecipientAddress").Str(), "Addresses.\"Joined RecipientAddress\"");
    EXPECT_EQ(vars.Get("RecipientName").Str(), "Addresses.\"收货人\"");
    TvlDataSource* joined = dataset.GetDataSet();
    ASSERT_NE(joined, source.get());
    joined->First();
    EXPECT_EQ(vlReadField(*joined, "Joined RecipientAddress").Str(), "浙江省杭州市西湖区文三路90号");
    EXPECT_EQ(binding.Text(efRecipientAddress), "浙江省杭州市西湖区文三路90号");
    EXPECT_EQ(vlReadField(*joined, "城市").Str(), "杭州市");
    joined->Next();
    EXPECT_EQ(binding.Text(efRecipientAddress), "北京市北京市朝阳区建国路88号");
    EXPECT_EQ(binding.Text(efRecipientPostcode), "100022");
  }
  EXPECT_EQ(dataset.GetDataSet(), source.get());
  EXPECT_EQ(vars.Get("RecipientAddress").Str(), "");
}

}  // namespace
}  // namespace vl
