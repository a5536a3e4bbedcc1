// The data dictionary over real data: a SQLite database and a CSV file made
// here, found through the components of a form and a data module, names
// resolved as value resolution does it (the dictionary first, then the
// evaluator with the dictionary behind its name handler).

#include <gtest/gtest.h>

#include "engine/data/csv_data_source.h"
#include "engine/data/db_dataset.h"
#include "engine/data/dictionary_fields.h"
#include "engine/data/sqlite_data_source.h"
#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/model/stream_reader.h"
#include "engine/model/stream_writer.h"
#include "engine/script/parser.h"
#include "tests/data/fixtures.h"

namespace vl {
namespace {

using Names = std::vector<std::string>;

class DictionaryTest : public ::testing::Test {
 protected:
  DictionaryTest() {
    people.FileName = folder.Database("people.db",
                                      "CREATE TABLE People(Name TEXT, Zip TEXT, Age INTEGER, Secret TEXT);"
                                      "INSERT INTO People VALUES('Ann','1010',41,'a'),('Bob',NULL,NULL,'b');");
    people.TableName = "People";
    orders.FileName = folder.Write("orders.csv", "Id,\"Item.Code\",Amount\n1,X-1,10\n2,Y-2,20\n");
    set.SetDataSet(&people);
    parser.OnGetValue = [this](std::string_view name, TvlValue& value) {
      const std::string n(name);
      if (dict.IsVariable(n)) value = dict.GetValue(n);
    };
    vlShared().Evaluator = &parser;
  }
  ~DictionaryTest() override {
    vlShared().Evaluator = nullptr;
    vlShared().ScriptVariables = nullptr;
  }

  bool Known(const std::string& name) { return dict.IsVariable(name); }
  TvlValue Value(const std::string& name) {
    EXPECT_TRUE(dict.IsVariable(name)) << name;
    return dict.GetValue(name);
  }
  std::string Text(const std::string& name) {
    const TvlValue v = Value(name);
    return v.IsString() ? v.Str() : "(not a text)";
  }

  test::TempFolder folder;
  TvlForm form{"FormMain"};
  TvlDataModule module{"Data"};
  TvlSQLiteDataSource& people = form.Add<TvlSQLiteDataSource>("People");
  TvlDBDataSet& set = form.Add<TvlDBDataSet>("PeopleSet");
  TvlCsvDataSource& orders = module.Add<TvlCsvDataSource>("Orders");
  TvlParser parser;
  TvlDataDictionary dict;
  TvlDictionaryFields fields{dict, &form};
};

TEST_F(DictionaryTest, VariableHoldingAFieldReferenceReadsTheCurrentRecordFromTheCache) {
  dict.Variables.Set(" Main", "");
  dict.Variables.Set("Who", "People.\"Name\"");
  dict.Variables.Set("Code", "Data.Orders.\"Item.Code\"");
  EXPECT_EQ(Text("Who"), "Ann");
  EXPECT_EQ(dict.FieldCache.Count(), 1);
  ASSERT_NE(dict.FieldCache.Find("WHO"), nullptr);  // found without regard to case
  people.Next();
  EXPECT_EQ(Text("who"), "Bob");
  EXPECT_EQ(Text("Code"), "X-1");
  EXPECT_EQ(parser.Evaluate("Who + '/' + Code").Str(), "Bob/X-1");

  // A script gives the variable a number: the binding no longer holds.
  dict.Variables.Set("Who", 7);
  const TvlValue seven = Value("Who");
  ASSERT_EQ(seven.Kind(), TvlValueKind::Integer);
  EXPECT_EQ(seven.Int(), 7);
  EXPECT_EQ(dict.FieldCache.Find("Who"), nullptr);

  dict.ClearCache();
  EXPECT_EQ(dict.FieldCache.Count(), 0);
  EXPECT_EQ(Text("Code"), "X-1");  // bound again
}

TEST_F(DictionaryTest, VariableValues) {
  TvlVariables script;
  script.SetSorted(true);
  script.Set("Total", 99);
  vlShared().ScriptVariables = &script;
  dict.Variables.Set(" Values", "");
  dict.Variables.Set("Empty", "");
  dict.Variables.Set("Sum", "1+2");
  dict.Variables.Set("Total", "1+1");
  dict.Variables.Set("Greeting", "'Dear ' + People.\"Name\"");

  EXPECT_EQ(Text("Empty"), "");
  EXPECT_EQ(Value("Sum").Float(), 3.0);  // the evaluator's numbers are floating
  EXPECT_EQ(Value("Total").Int(), 99);  // the script variable of the same name wins
  EXPECT_EQ(Text("Greeting"), "Dear Ann");
  // Greeting is no field, but the reference inside it was bound on the way.
  EXPECT_EQ(dict.FieldCache.Find("Greeting"), nullptr);
  EXPECT_NE(dict.FieldCache.Find("People.\"Name\""), nullptr);

  EXPECT_FALSE(Known("Nothing"));
  EXPECT_TRUE(dict.GetValue("Nothing").IsNull());
  EXPECT_FALSE(Known(" Values"));  // a category is no variable
  dict.Variables.Set("Loop", "Loop + 1");  // refers to itself: the evaluator's nesting limit stops it
  EXPECT_THROW(Value("Loop"), TvlError);

  vlShared().Evaluator = nullptr;
  EXPECT_THROW(dict.GetValue("Sum"), TvlError);
}

TEST_F(DictionaryTest, VariablesReachedTwiceAreEvaluatedOnce) {
  // V0 = V1 + V1, V1 = V2 + V2, ...: evaluated afresh at every reference the
  // chain costs 2^n evaluations; each variable is evaluated once per
  // outermost evaluation instead.
  constexpr int kLevels = 16;
  for (int k = 0; k < kLevels; ++k)
    dict.Variables.Set("V" + std::to_string(k), "V" + std::to_string(k + 1) + " + v" + std::to_string(k + 1));
  dict.Variables.Set("V" + std::to_string(kLevels), "1");
  int reads = 0;
  parser.OnGetValue = [&](std::string_view name, TvlValue& value) {
    ++reads;
    const std::string n(name);
    if (dict.IsVariable(n)) value = dict.GetValue(n);
  };
  EXPECT_EQ(Value("V0").Float(), 65536.0);
  EXPECT_LE(reads, 2 * kLevels + 2);
  // The next outermost evaluation reads afresh: a changed variable counts.
  dict.Variables.Set("V" + std::to_string(kLevels), "2");
  EXPECT_EQ(Value("V0").Float(), 131072.0);
}

TEST_F(DictionaryTest, FieldsOfTheDefaultDatasetAndNullRules) {
  EXPECT_FALSE(Known("Name"));  // no band prints: no default dataset
  fields.DefaultDataSet = [this] { return set.GetDataSet(); };
  EXPECT_EQ(Text("Name"), "Ann");
  EXPECT_EQ(Value("AGE").Int(), 41);
  people.Next();
  EXPECT_EQ(Text("Zip"), "");    // null text field: empty text
  EXPECT_EQ(Value("Age").Int(), 0);  // null number: 0
  EXPECT_FALSE(Known("Height"));
  EXPECT_FALSE(Known("Font.Name"));
  EXPECT_EQ(dict.FieldCache.Count(), 3);

  people.Close();  // a closed source opens again when read
  EXPECT_EQ(Text("Name"), "Ann");
}

TEST_F(DictionaryTest, AliasesResolveAndShapeTheDesignerLists) {
  // Nothing aliased: every source shows by its path.
  EXPECT_EQ(dict.GetDataSetList(), (Names{"Data.Orders", "People"}));
  EXPECT_EQ(dict.GetBandDataSourceList(), (Names{"PeopleSet"}));
  EXPECT_EQ(dict.GetFieldList("People"), (Names{"Name", "Zip", "Age", "Secret"}));

  form.Add<TvlCsvDataSource>("Hidden").FileName = folder.File("none.csv");
  dict.FieldAliases.Set("People", "Persons");
  dict.FieldAliases.Set(vlFieldAliasKey("People", "Name"), "Full name");
  dict.FieldAliases.Set(vlFieldAliasKey("People", "Secret"), "");
  dict.FieldAliases.Set("Data.Orders", "");
  dict.FieldAliases.Set(vlFieldAliasKey("Data.Orders", "Item.Code"), "Code");
  dict.BandDataSources.Set("PeopleSet", "Everybody");

  const std::pair<const char*, const char*> resolved[] = {
      {"Persons.\"Full name\"", "Ann"},
      {"persons.full name", "Ann"},
      {"Persons.Zip", "1010"},
      {"People.\"Name\"", "Ann"},
      {"People.Secret", "a"},  // hidden from the lists, still readable
      {"Data.Orders.Code", "X-1"},
      {"Data.Orders.\"Item.Code\"", "X-1"},
  };
  for (const auto& [name, value] : resolved) EXPECT_EQ(Text(name), value) << name;
  for (const char* unknown : {"Data.Orders.Full name", "Persons.Code", "Persons.", "Persons"})
    EXPECT_FALSE(Known(unknown)) << unknown;
  EXPECT_THROW(Known("Hidden.Id"), TvlError);  // a source that cannot open is an error, not an unknown name

  EXPECT_EQ(dict.GetDataSetList(), (Names{"Data.Orders", "Persons"}));  // Hidden has no entry
  EXPECT_EQ(dict.GetFieldList("Persons"), (Names{"Full name", "Zip", "Age"}));
  EXPECT_EQ(dict.GetFieldList("people"), (Names{"Full name", "Zip", "Age"}));
  EXPECT_EQ(dict.GetFieldList("Data.Orders"), (Names{"Id", "Code", "Amount"}));
  EXPECT_EQ(dict.GetFieldList("Hidden"), Names{});  // its file is missing
  EXPECT_EQ(dict.GetBandDataSourceList(), (Names{"Everybody"}));

  EXPECT_EQ(dict.RealDataSetName("PERSONS"), "People");
  EXPECT_EQ(dict.RealDataSetName("Full name"), "Full name");  // a field's alias names no dataset
  EXPECT_EQ(dict.RealFieldName("People", "full NAME"), "Name");
  EXPECT_EQ(dict.RealFieldName("Data.Orders", "Code"), "Item.Code");
  EXPECT_EQ(dict.RealFieldName("People", "Code"), "Code");
  EXPECT_EQ(dict.RealBandDataSourceName("everybody"), "PeopleSet");
  EXPECT_EQ(dict.GetAlias("People"), "Persons");
  EXPECT_EQ(dict.GetAlias("People.\"Name\""), "Full name");
  EXPECT_EQ(dict.GetAlias("PeopleSet"), "Everybody");
  EXPECT_EQ(dict.GetAlias("Data.Orders"), "Data.Orders");
}

TEST_F(DictionaryTest, CategoriesAndTheToggleRuleThroughADictionaryFile) {
  const std::string path = folder.File("dict.vld");
  struct Case {
    Names saved, loaded;
  };
  const Case cases[] = {
      {{" Address", "Who", "Zip", " Totals", "Sum"}, {" Address", "Who", "Zip", " Totals", "Sum"}},
      {{"Old", " Var1", " Var2", "Other", " Var3"}, {" Old", "Var1", "Var2", " Other", "Var3"}},
  };
  for (const Case& c : cases) {
    TvlDataDictionary d;
    for (const std::string& name : c.saved) d.Variables.Set(name, name == "Sum" ? "1+2" : "");
    d.SaveToFile(path);
    TvlDataDictionary back;
    ASSERT_TRUE(back.LoadFromFile(path));
    Names loaded;
    for (const auto& e : back.Variables.Entries()) loaded.push_back(e.Name);
    EXPECT_EQ(loaded, c.loaded);
  }
  TvlDataDictionary d;
  ASSERT_TRUE(d.LoadFromFile(path));
  EXPECT_EQ(d.GetCategoryList(), (Names{"Old", "Other"}));
  EXPECT_EQ(d.GetVariablesList("OLD"), (Names{"Var1", "Var2"}));
  EXPECT_EQ(d.GetVariablesList("Other"), (Names{"Var3"}));
  EXPECT_EQ(d.GetVariablesList("None"), Names{});
}

TEST_F(DictionaryTest, PreviousLayoutDropsAliasesOfFieldsThatAreGone) {
  const std::pair<const char*, const char*> aliases[] = {
      {"People.\"Name\"", ""},     // exists: kept
      {"People.\"Gone\"", ""},     // the field is gone
      {"Vanished.\"Id\"", ""},     // the dataset is gone
      {"People.\"Zip2\"", "Zip"},  // has an alias: kept
      {"Data.Orders", ""},         // a dataset entry: kept
      {"Broken.\"Id\"", ""},       // its file is missing: kept
  };
  form.Add<TvlCsvDataSource>("Broken").FileName = folder.File("missing.csv");
  TvlStreamWriter w;
  w.WriteU16(0xFFFF);
  w.WriteI32(0);
  w.WriteI32(static_cast<std::int32_t>(std::size(aliases)));
  for (const auto& [name, alias] : aliases) {
    w.WriteString(name);
    w.WriteString(alias);
  }
  w.WriteI32(0);
  TvlStreamReader r(w.Bytes());
  dict.LoadFromStream(r);
  Names kept;
  for (const auto& e : dict.FieldAliases.Entries()) kept.push_back(e.Name);
  EXPECT_EQ(kept, (Names{"People.\"Name\"", "People.\"Zip2\"", "Data.Orders", "Broken.\"Id\""}));
}

TEST_F(DictionaryTest, BindingsDieWithTheirSourceAndTheResolver) {
  auto& extra = module.Add<TvlCsvDataSource>("Extra");
  extra.FileName = folder.Write("extra.csv", "Id\n5\n");
  dict.Variables.Set(" C", "");
  dict.Variables.Set("V", "Data.Extra.Id");
  EXPECT_EQ(Text("V"), "5");
  EXPECT_EQ(Text("Data.Orders.Amount"), "10");
  module.DestroyComponent(&extra);
  EXPECT_EQ(dict.FieldCache.Count(), 1);  // only the binding to Extra went
  EXPECT_TRUE(Known("V"));                // still a variable, no longer a field
  EXPECT_EQ(dict.FieldCache.Find("V"), nullptr);

  {
    TvlDataDictionary other;
    TvlDictionaryFields moved(other, &form);  // a resolver serves one dictionary
    EXPECT_EQ(dict.FieldResolver(), &fields);
    other.SetFieldResolver(&fields);
    EXPECT_EQ(dict.FieldResolver(), nullptr);
    EXPECT_EQ(dict.FieldCache.Count(), 0);
    EXPECT_EQ(moved.Dictionary(), nullptr);
  }
  EXPECT_FALSE(Known("Data.Orders.Amount"));
  dict.SetFieldResolver(&fields);
  EXPECT_EQ(Text("Data.Orders.Amount"), "10");
}

}  // namespace
}  // namespace vl
