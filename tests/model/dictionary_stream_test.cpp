#include <gtest/gtest.h>

#include <filesystem>

#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/model/data_dictionary.h"
#include "engine/model/stream_reader.h"
#include "engine/model/stream_writer.h"
#include "tests/model/template_fixture.h"

namespace vl::testing {
namespace {

std::vector<std::string> Names(const TvlVariables& v) {
  std::vector<std::string> out;
  for (const auto& e : v.Entries()) out.push_back(e.Name);
  return out;
}

TvlDataDictionary Read(const std::string& bytes) {
  TvlDataDictionary d;
  TvlStreamReader r(bytes);
  d.LoadFromStream(r);
  EXPECT_TRUE(r.AtEnd());
  return d;
}

TEST_F(TemplateTest, DictionaryCurrentLayoutRoundTrips) {
  TvlDataDictionary d;
  d.Variables.Set(" Address", TvlValue(""));
  d.Variables.Set("City", TvlValue("Customers.\"City\""));
  d.Variables.Set("Count", TvlValue(3));  // written as its text
  d.FieldAliases.Set("Customers", TvlValue("Clients"));
  d.BandDataSources.Set("vlDataSet1", TvlValue(""));
  TvlStreamWriter w;
  d.SaveToStream(w);
  EXPECT_EQ(w.Bytes().substr(0, 6), std::string("\xFE\xFF\x03\0\0\0", 6));

  TvlDataDictionary back = Read(w.Bytes());
  EXPECT_EQ(Names(back.Variables), (std::vector<std::string>{" Address", "City", "Count"}));
  EXPECT_EQ(back.Variables.Get("Count").Str(), "3");
  EXPECT_EQ(back.FieldAliases.Get("Customers").Str(), "Clients");
  EXPECT_EQ(back.BandDataSources.Count(), 1);  // kept: the current layout drops nothing
}

TEST_F(TemplateTest, DictionaryStartingWithAVariableSwapsItsBlanks) {
  TvlDataDictionary d;
  d.Variables.Set("Total", TvlValue("1"));
  d.Variables.Set(" Sums", TvlValue(""));
  TvlStreamWriter w;
  d.SaveToStream(w);
  EXPECT_EQ(Names(Read(w.Bytes()).Variables), (std::vector<std::string>{" Total", "Sums"}));
}

TEST_F(TemplateTest, DictionaryPreviousLayoutDropsStaleAliases) {
  TvlStreamWriter w;
  w.WriteU16(0xFFFF);
  w.WriteI32(0);
  w.WriteI32(3);
  for (const char* name : {"Orders.\"Gone\"", "Orders.\"Kept\"", "Orders.\"Named\""}) {
    w.WriteString(name);
    w.WriteString(std::string(name) == "Orders.\"Named\"" ? "Label" : "");
  }
  w.WriteI32(2);
  w.WriteString("vlDataSet1");
  w.WriteString("");
  w.WriteString("vlDataSet2");
  w.WriteString("Customers");
  TvlStreamReader r(w.Bytes());
  TvlDataDictionary d;
  d.FieldExists = [](const std::string& name) { return name != "Orders.\"Gone\""; };
  d.LoadFromStream(r);
  EXPECT_EQ(Names(d.FieldAliases), (std::vector<std::string>{"Orders.\"Kept\"", "Orders.\"Named\""}));
  EXPECT_EQ(Names(d.BandDataSources), std::vector<std::string>{"vlDataSet2"});
}

TEST_F(TemplateTest, DictionaryOldestLayoutBuildsVariablesFromItsRecords) {
  for (int version : {25, 22}) {
    SCOPED_TRACE(version);
    vlState().StreamVersion = version;
    StreamBuilder s(version);
    s.I32(4);
    auto record = [&](int kind, int index, const std::string& ds, const std::string& field,
                      const std::string& name) {
      s.U8(kind).I32(index).U8(static_cast<int>(ds.size())).Raw(ds);
      s.U8(static_cast<int>(field.size())).Raw(field).U8(static_cast<int>(name.size())).Raw(name);
    };
    record(1, 0, "Customers", "Name", "Who");
    record(2, 1, "", "1+2", "Sum");
    record(2, 8, "", "", "Pages");
    record(7, 0, "", "", "Odd");
    s.List({"People", " Who", " Sum", "System", " Pages", " Odd", " Unknown"});
    TvlDataDictionary d = Read(s.Bytes());
    // Lines with a blank were variables in the old convention: the blanks are swapped.
    EXPECT_EQ(Names(d.Variables), (std::vector<std::string>{" People", "Who", "Sum", " System",
                                                             "Pages", "Odd", "Unknown"}));
    EXPECT_EQ(d.Variables.Get("Who").Str(), "Customers.\"Name\"");
    EXPECT_EQ(d.Variables.Get("Sum").Str(), "1+2");
    EXPECT_EQ(d.Variables.Get("Pages").Str(), "TOTALPAGES");
    EXPECT_EQ(d.Variables.Get("Odd").Str(), "");
    EXPECT_EQ(d.Variables.Get("Unknown").Str(), "");
  }
}

TEST_F(TemplateTest, DictionaryFileHasAVersionByteAndRefusesDamage) {
  char tmpl[] = "/tmp/vl_dict_XXXXXX";
  const std::string dir = mkdtemp(tmpl);
  TvlDataDictionary d;
  d.Variables.Set(" Cat", TvlValue(""));
  d.Variables.Set("V", TvlValue("1"));
  d.SaveToFile(dir + "/d.vld");
  TvlDataDictionary back;
  EXPECT_FALSE(back.LoadFromFile(dir + "/missing.vld"));
  ASSERT_TRUE(back.LoadFromFile(dir + "/d.vld"));
  EXPECT_EQ(Names(back.Variables), Names(d.Variables));

  std::string bytes;
  ASSERT_TRUE(vlReadFile(dir + "/d.vld", bytes));
  EXPECT_EQ(bytes[0], 25);
  // A list count far beyond the bytes ends in a read error, not a huge allocation.
  TvlStreamWriter w;
  w.WriteByte(25);
  w.WriteU16(0xFFFE);
  w.WriteI32(0x7FFFFFFF);
  vlWriteFileAtomically(dir + "/bad.vld", w.Bytes());
  EXPECT_THROW(back.LoadFromFile(dir + "/bad.vld"), TvlStreamError);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace vl::testing
