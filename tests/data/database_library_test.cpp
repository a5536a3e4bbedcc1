// FIELDISNULL over a real source: the argument is evaluated to a field
// reference, found as report texts find fields.

#include <gtest/gtest.h>

#include "engine/core/engine_state.h"
#include "engine/core/value_convert.h"
#include "engine/data/database_library.h"
#include "engine/data/db_dataset.h"
#include "engine/data/dictionary_fields.h"
#include "engine/data/sqlite_data_source.h"
#include "engine/model/report.h"
#include "engine/script/installed_functions.h"
#include "engine/script/parser.h"
#include "tests/data/fixtures.h"

namespace vl {
namespace {

class FieldIsNull : public ::testing::Test {
 protected:
  FieldIsNull() {
    people.FileName = folder.Database("people.db",
                                      "CREATE TABLE People(Name TEXT, Zip TEXT);"
                                      "INSERT INTO People VALUES('Ann','1010'),('Bob',NULL);");
    people.TableName = "People";
    set.SetDataSet(&people);
    EXPECT_TRUE(vlRegisterFunctionLibrary<TvlDBFunctionLibrary>());
    parser.OnGetValue = [](std::string_view name, TvlValue& value) {
      if (name == "REF") value = TvlValue("People.\"Zip\"");
    };
    parser.OnFunction = [](std::string_view name, const TvlValue& p1, const TvlValue& p2, const TvlValue& p3,
                           TvlValue& val) { vlOfferCallToLibraries(name, p1, p2, p3, val); };
    vlShared().Evaluator = &parser;
    vlState().CurReport = &report;
  }
  ~FieldIsNull() override {
    vlShared().Evaluator = nullptr;
    vlState().CurReport = nullptr;
    vlUnregisterFunctionLibrary(TvlDBFunctionLibrary::kClassName);
  }
  std::string Text(const std::string& expr) { return vlValueToText(parser.Evaluate(expr)); }

  test::TempFolder folder;
  TvlForm form{"FormMain"};
  TvlSQLiteDataSource& people = form.Add<TvlSQLiteDataSource>("People");
  TvlDBDataSet& set = form.Add<TvlDBDataSet>("PeopleSet");
  TvlParser parser;
  TvlReport report;
  TvlDictionaryFields fields{report.Dictionary, &form};
};

TEST_F(FieldIsNull, AnswersTheFieldsNullStateOrTrueWhenNothingIsFound) {
  EXPECT_EQ(Text("FIELDISNULL('People.\"Zip\"')"), "False");
  EXPECT_EQ(Text("FIELDISNULL(Ref)"), "False");  // the argument is evaluated to the reference
  EXPECT_EQ(Text("FIELDISNULL('People.Name')"), "False");
  EXPECT_EQ(Text("FIELDISNULL('People.\"Height\"')"), "True");  // no such field
  EXPECT_EQ(Text("FIELDISNULL('Nobody.\"Zip\"')"), "True");      // no such dataset
  people.Next();
  EXPECT_EQ(Text("FIELDISNULL('People.\"Zip\"')"), "True");
  EXPECT_EQ(Text("FIELDISNULL('People.Name')"), "False");

  // A bare field name needs the report's default dataset.
  fields.DefaultDataSet = [this] { return set.GetDataSet(); };
  EXPECT_EQ(Text("FIELDISNULL('Name')"), "True");
  report.UseDefaultDataSetName = true;
  EXPECT_EQ(Text("FIELDISNULL('Name')"), "False");
  EXPECT_EQ(Text("FIELDISNULL('Zip')"), "True");

  vlState().CurReport = nullptr;
  EXPECT_EQ(Text("FIELDISNULL('People.Name')"), "True");  // no report: no fields

  EXPECT_EQ(vlInstalledFunctions().DescriptionOf("FieldIsNull").rfind("FIELDISNULL(", 0), 0u);
  EXPECT_EQ(vlInstalledFunctions().NamesOf("Database"), std::vector<std::string>{"FIELDISNULL"});
}

}  // namespace
}  // namespace vl
