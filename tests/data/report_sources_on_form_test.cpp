// A report's own data sources on the form that owns it: datasets of their
// own names, a name the form already holds wins, a missing file is named and
// left out, and taking them off leaves the form as it was. The dictionary
// lists such a pair by the one name bands store.

#include <gtest/gtest.h>

#include "engine/data/db_dataset.h"
#include "engine/data/dictionary_fields.h"
#include "engine/data/open_data_source.h"
#include "engine/data/report_sources_on_form.h"
#include "engine/data/source_sample.h"
#include "engine/core/error.h"
#include "tests/data/fixtures.h"

namespace vl {
namespace {

using Names = std::vector<std::string>;

class ReportSourcesTest : public ::testing::Test {
 protected:
  test::TempFolder folder;
  TvlForm form{"FormMain"};
};

TEST_F(ReportSourcesTest, SourcesBecomeDatasetsOfTheirNamesAndGoAgain) {
  TvlReportDataSources sources;
  sources.Set({"Customers", folder.Write("c.csv", "Name,City\nAnn,Warsaw\nBob,Oslo\n"), ""});
  sources.Set({"People", folder.Database("p.db", "CREATE TABLE T(Name TEXT); INSERT INTO T VALUES('Cy');"),
               "SELECT Name FROM T"});
  {
    TvlReportSourcesOnForm attached(form);
    EXPECT_TRUE(attached.Attach(sources).empty());
    EXPECT_EQ(attached.Names(), (Names{"Customers", "People"}));
    auto* customers = dynamic_cast<TvlDBDataSet*>(form.FindComponent("Customers"));
    ASSERT_NE(customers, nullptr);
    ASSERT_NE(customers->GetDataSet(), nullptr);
    customers->GetDataSet()->Open();
    EXPECT_EQ(customers->GetDataSet()->FieldNames(), (Names{"Name", "City"}));

    // The dictionary lists each by the name bands and --dataset use.
    TvlDataDictionary dict;
    TvlDictionaryFields fields(dict, &form);
    EXPECT_EQ(dict.GetDataSetList(), (Names{"Customers", "People"}));
    EXPECT_EQ(dict.GetBandDataSourceList(), (Names{"Customers", "People"}));
    EXPECT_EQ(dict.GetFieldList("Customers"), (Names{"Name", "City"}));
    EXPECT_TRUE(dict.IsVariable("Customers.\"City\""));
    EXPECT_EQ(dict.GetValue("Customers.\"City\"").Str(), "Warsaw");

    // Attaching again replaces, never doubles.
    sources.Remove("People");
    EXPECT_TRUE(attached.Attach(sources).empty());
    EXPECT_EQ(form.FindComponent("People"), nullptr);
    EXPECT_EQ(form.Components().size(), 2u);
  }
  EXPECT_TRUE(form.Components().empty()) << "taken off with the object";
}

TEST_F(ReportSourcesTest, TheFormsOwnNameWinsAndMissingFilesAreNamed) {
  // The launcher's address list (or a --dataset) stands on the form already.
  auto& list = static_cast<TvlDataSource&>(
      form.InsertComponent(vlMakeDataSource(folder.Write("list.csv", "Name\nFrom the list\n"), "Addresses_Source")));
  form.Add<TvlDBDataSet>("Addresses").SetDataSet(&list);

  TvlReportDataSources sources;
  sources.Set({"Addresses", folder.Write("own.csv", "Name\nOwn\n"), ""});
  sources.Set({"Gone", folder.File("gone.csv"), ""});
  sources.Set({"Broken", folder.File("no.db"), "Missing"});
  TvlReportSourcesOnForm attached(form);
  const Names problems = attached.Attach(sources);
  ASSERT_EQ(problems.size(), 2u);
  EXPECT_EQ(problems[0], "Gone: " + folder.File("gone.csv") + " is missing");
  EXPECT_EQ(problems[1].rfind("Broken: ", 0), 0u);
  EXPECT_TRUE(attached.Names().empty());
  EXPECT_EQ(static_cast<TvlDBDataSet*>(form.FindComponent("Addresses"))->GetDataSet(), &list);

  const std::string message = vlMissingSourcesMessage(problems);
  EXPECT_EQ(std::count(message.begin(), message.end(), '\r'), 2) << "one message, a line per source";
  EXPECT_EQ(vlMissingSourcesMessage({}), "");
  attached.Detach();
  EXPECT_EQ(form.Components().size(), 2u) << "what the form had stays";
}

TEST_F(ReportSourcesTest, ASampleHoldsTheColumnsAndTheFirstRows) {
  const TvlReportDataSource source{"C", folder.Write("c.csv", "A,B\n1,x\n2,y\n3,z\n"), ""};
  const TvlSourceSample sample = vlSampleSource(source, 2);
  EXPECT_EQ(sample.Columns, (Names{"A", "B"}));
  EXPECT_EQ(sample.Rows, (std::vector<Names>{{"1", "x"}, {"2", "y"}}));
  EXPECT_EQ(vlSampleSource(source, 10).Rows.size(), 3u);
  EXPECT_TRUE(vlSampleSource({"E", folder.Write("e.csv", "A,B\n"), ""}, 5).Rows.empty());
  EXPECT_THROW(vlSampleSource({"M", folder.File("missing.csv"), ""}, 5), TvlError);
}

}  // namespace
}  // namespace vl
