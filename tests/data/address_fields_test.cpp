#include <gtest/gtest.h>

#include "engine/data/address_binding.h"
#include "engine/data/address_fields.h"
#include "engine/data/db_dataset.h"
#include "engine/data/envelope_record.h"
#include "engine/core/error.h"
#include "platform/memory_settings_store.h"

namespace vl {
namespace {

using Columns = std::vector<std::string>;

TEST(AddressFields, ColumnsMatchByTheirUsualNamesInChineseAndEnglish) {
  struct Case {
    Columns columns;
    std::array<std::string, kEnvelopeFieldCount> expected;  // name, address, postcode, sender address, sender postcode
  } cases[] = {
      {{"序号", "姓名", "电话", "地址", "邮编"}, {"姓名", "地址", "邮编", "", ""}},
      {{"收件人", "收件人 地址", "邮政编码", "寄件人地址", "寄件人邮编"},
       {"收件人", "收件人 地址", "邮政编码", "寄件人地址", "寄件人邮编"}},
      {{"Company Name", "NAME", "E-Mail Address", "Street Address", "ZIP Code"},
       {"NAME", "Street Address", "ZIP Code", "", ""}},
      {{"Post-Code", "Full_Name", "Mailing address", "Return Address"},
       {"Full_Name", "Mailing address", "Post-Code", "Return Address", ""}},
      // Longer names that hold a telling word, when no usual name is there.
      {{"收件人姓名（必填）", "收件人详细地址", "收件人邮编号码", "寄件人的地址"},
       {"收件人姓名（必填）", "收件人详细地址", "收件人邮编号码", "寄件人的地址", ""}},
      // vCard fields, by meaning.
      {{"FN", "N_Family", "ORG", "ADR", "ADR_Street", "ADR_PostalCode", "TEL", "EMAIL"},
       {"FN", "ADR", "ADR_PostalCode", "", ""}},
      // The first of two candidates wins; a column with a double quote cannot be named.
      {{"name", "Name", "\"address\"", "Adresse"}, {"name", "", "", "", ""}},
      {{"a", "b"}, {"", "", "", "", ""}},
  };
  for (const Case& c : cases) {
    const TvlAddressMapping m = vlMatchAddressColumns(c.columns);
    EXPECT_EQ(m.Columns, c.expected) << c.columns[0];
  }
  EXPECT_FALSE(vlMappingIncomplete(vlMatchAddressColumns(cases[0].columns)));
  EXPECT_TRUE(vlMappingIncomplete(vlMatchAddressColumns({"姓名", "地址"})));
}

TEST(AddressFields, MappingsAreRememberedPerSetOfColumns) {
  TvlMemorySettingsStore settings;
  const Columns columns = {"Who", "Where", "Code"};
  TvlAddressMapping m;
  EXPECT_FALSE(vlRecallAddressMapping(settings, columns, m));
  m.Columns = {"Who", "Where", "Code", "", ""};
  vlRememberAddressMapping(settings, columns, m);
  TvlAddressMapping back;
  ASSERT_TRUE(vlRecallAddressMapping(settings, columns, back));
  EXPECT_EQ(back, m);
  // Another order is another set of columns.
  EXPECT_FALSE(vlRecallAddressMapping(settings, {"Where", "Who", "Code"}, back));
  EXPECT_NE(vlAddressMappingKey(columns), vlAddressMappingKey({"Where", "Who", "Code"}));
  EXPECT_EQ(vlAddressMappingKey(columns).rfind("Software\\Vellora\\Envelope\\AddressMappings\\", 0), 0u);
}

TEST(AddressBinding, VariablesReadTheColumnsForOneRunAndComeBackAfter) {
  TvlReport report;
  TvlVariables& vars = report.Dictionary.Variables;
  vars.Set(std::string(" ") + kEnvelopeCategory, TvlValue(std::string()));
  vars.Set("RecipientName", TvlValue(std::string()));
  vars.Set("RecipientPostcode", TvlValue(std::string("'000000'")));
  TvlDBDataSet dataset(kAddressDataset);
  TvlAddressMapping m;
  m.Columns = {"姓名", "地址", "Zip.Code", "", ""};
  {
    TvlAddressBinding binding(report, dataset, m);
    EXPECT_EQ(report.Dataset, &dataset);
    EXPECT_EQ(report.ReportType, rtMultiple);
    EXPECT_EQ(vars.Get("RecipientName").Str(), "Addresses.\"姓名\"");
    EXPECT_EQ(vars.Get("RecipientPostcode").Str(), "Addresses.\"Zip.Code\"");
    // The template has no RecipientAddress: none is added.
    EXPECT_EQ(vars.IndexOf("RecipientAddress"), -1);
    EXPECT_EQ(binding.Bound(), (std::vector<std::string>{"RecipientName", "RecipientPostcode"}));
  }
  EXPECT_EQ(report.Dataset, nullptr);
  EXPECT_EQ(report.ReportType, rtSimple);
  EXPECT_EQ(vars.Get("RecipientName").Str(), "");
  EXPECT_EQ(vars.Get("RecipientPostcode").Str(), "'000000'");
}

// One envelope's values: only the fields given are bound, the report keeps
// its own loop, and form, variables and report are as they were afterwards.
TEST(EnvelopeRecord, BindsTheGivenFieldsBesideTheReportsLoop) {
  TvlForm form("EnvelopeForm");
  TvlReport report;
  report.Owner = &form;
  TvlVariables& vars = report.Dictionary.Variables;
  for (int f = 0; f < kEnvelopeFieldCount; ++f) vars.Set(vlEnvelopeVariable(f), TvlValue(std::string()));
  TvlEnvelopeValues values;
  values[efRecipientName] = "Ann \"A\", Lee";
  values[efSenderPostcode] = "062701";
  {
    TvlEnvelopeRecord record(form, report, values);
    EXPECT_EQ(report.Dataset, nullptr);
    EXPECT_EQ(report.ReportType, rtSimple);
    EXPECT_EQ(vars.Get("RecipientName").Str(), "Recipient.\"RecipientName\"");
    EXPECT_EQ(vars.Get("SenderPostcode").Str(), "Recipient.\"SenderPostcode\"");
    EXPECT_EQ(vars.Get("RecipientAddress").Str(), "");
    auto* dataset = dynamic_cast<TvlDBDataSet*>(form.FindComponent(TvlEnvelopeRecord::kDataset));
    ASSERT_NE(dataset, nullptr);
    ASSERT_NE(dataset->GetDataSet(), nullptr);
    EXPECT_EQ(vlReadField(*dataset->GetDataSet(), "RecipientName").Str(), "Ann \"A\", Lee");
    EXPECT_EQ(vlReadField(*dataset->GetDataSet(), "SenderPostcode").Str(), "062701");
    // A second record on the same form would leave the names ambiguous.
    EXPECT_THROW(TvlEnvelopeRecord(form, report, values), TvlError);
  }
  EXPECT_EQ(vars.Get("RecipientName").Str(), "");
  EXPECT_EQ(vars.Get("SenderPostcode").Str(), "");
  EXPECT_TRUE(form.Components().empty());
  EXPECT_EQ(vlEnvelopeFieldOf("recipientPOSTCODE"), efRecipientPostcode);
  EXPECT_EQ(vlEnvelopeFieldOf("Recipient"), -1);
}

}  // namespace
}  // namespace vl
