#include <gtest/gtest.h>

#include "engine/data/csv_data_source.h"
#include "engine/data/dataset_names.h"
#include "engine/data/db_dataset.h"
#include "engine/core/error.h"
#include "engine/model/codes.h"

namespace vl {
namespace {

std::string ErrorOf(std::string_view text, const TvlComponent* owner) {
  try {
    (void)vlResolveDataset(text, owner);
  } catch (const TvlError& e) {
    return e.what();
  }
  return "(resolved)";
}

// The launcher form owns the report's datasets; a data module holds more,
// one of them inside a container.
class NamesTest : public ::testing::Test {
 protected:
  NamesTest() {
    people.OpenText("Name,\"Zip.Code\",City\nAnn,1010,Wien\n", "people.csv");
    auto& set = main.Add<TvlDBDataSet>("PeopleSet");
    set.SetDataSet(&people);
    peopleSet = &set;
    auto& box = module.Add<TvlComponent>("Box");
    auto& inner = box.Add<TvlCsvDataSource>("Inner");
    inner.OpenText("Id\n1\n", "inner.csv");
    innerSet = &box.Add<TvlDBDataSet>("InnerSet");
    innerSet->SetDataSet(&inner);
  }
  TvlForm main{"FormMain"};
  TvlDataModule module{"Data"};
  TvlCsvDataSource& people = module.Add<TvlCsvDataSource>("People");
  TvlDBDataSet* peopleSet = nullptr;
  TvlDBDataSet* innerSet = nullptr;
};

TEST_F(NamesTest, DatasetReferences) {
  TvlDatasetRef three = vlResolveDataset("3", &main);
  ASSERT_TRUE(three.Owned);
  EXPECT_EQ(three.Dataset, three.Owned.get());
  EXPECT_EQ(three.Dataset->RangeEnd, reCount);
  int printed = 0;
  for (three.Dataset->First(); !three.Dataset->Eof(); three.Dataset->Next()) ++printed;
  EXPECT_EQ(printed, 3);

  EXPECT_EQ(vlResolveDataset("peopleset", &main).Dataset, peopleSet);
  EXPECT_EQ(vlResolveDataset("Data.Box.InnerSet", &main).Dataset, innerSet);
  EXPECT_EQ(vlResolveDataset("", &main).Dataset, nullptr);
  EXPECT_EQ(ErrorOf("0People", &main), "Missing 0People");  // not a count: a name
  EXPECT_EQ(ErrorOf("12x", &main), "Missing 12x");
  EXPECT_EQ(ErrorOf("99999999999", &main), "Missing 99999999999");
  EXPECT_EQ(ErrorOf("Nobody", &main), "Missing Nobody");
  EXPECT_EQ(ErrorOf("PeopleSet", nullptr), "Missing PeopleSet");
  EXPECT_EQ(ErrorOf("Data.Box.InnerSet.X", &main), "Missing Data.Box.InnerSet.X");
  EXPECT_EQ(ErrorOf("Data.People", &main), "Not a dataset: Data.People");
}

TEST_F(NamesTest, SplittingFieldReferences) {
  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {"Name", {"Name"}},
      {"People.\"Zip.Code\"", {"People", "Zip.Code"}},
      {"Data.People.\"a.\"b\"", {"Data", "People", "a.\"b"}},
      {"F.Box.Inner.Id", {"F", "Box", "Inner", "Id"}},
      {"People.\"\"", {"People", "\"\""}},  // two characters keep their quotes
      {"People.\"Open", {"People", "\"Open"}},
      {"A.", {"A", ""}},
  };
  for (const auto& [text, parts] : cases) EXPECT_EQ(vlSplitFieldReference(text), parts) << text;
}

TEST_F(NamesTest, DatasetAndFieldReferences) {
  struct Case {
    const char* text;
    TvlDataSource* source;
    const char* field;
  } cases[] = {
      {"city", &people, "City"},  // the default dataset's field
      {"Data.People.\"Zip.Code\"", &people, "Zip.Code"},
      {"PeopleSet.\"zip.code\"", &people, "Zip.Code"},  // a TvlDBDataSet stands for its source
      {"Data.Box.InnerSet.Id", nullptr, "Id"},
      {"Data.People.Zip", nullptr, ""},  // no such field: no binding
      {"Nobody.Name", nullptr, ""},
      {"Memo1.Left", nullptr, ""},
      {"A.B.C.D.E", nullptr, ""},
  };
  for (const Case& c : cases) {
    const TvlFieldRef ref = vlGetDatasetAndField(c.text, &people, &main);
    EXPECT_EQ(ref.Field, c.field) << c.text;
    if (c.source) {
      EXPECT_EQ(ref.DataSet, c.source) << c.text;
    }
    EXPECT_EQ(ref.Bound(), *c.field != 0) << c.text;
  }
  EXPECT_FALSE(vlGetDatasetAndField("City", nullptr, &main).Bound());

  // A closed source is opened to learn its fields; its failure is reported.
  TvlCsvDataSource& closed = module.Add<TvlCsvDataSource>("Closed");
  closed.FileName = "/nonexistent/closed.csv";
  EXPECT_THROW(vlGetDatasetAndField("Data.Closed.X", nullptr, &main), TvlError);
}

TEST_F(NamesTest, DefaultDatasetByBandType) {
  TvlUserDataset detail, sub, cross;
  TvlBandDatasets d{peopleSet, &detail, &sub, &cross, innerSet};
  const std::pair<std::uint8_t, TvlDataset*> cases[] = {
      {btReportTitle, peopleSet}, {btPageFooter, peopleSet},  {btMasterData, peopleSet},
      {btGroupFooter, peopleSet}, {btDetailHeader, innerSet}, {btDetailData, &detail},
      {btDetailFooter, &detail},  {btSubDetailData, &sub},    {btSubDetailFooter, &sub},
      {btCrossData, &cross},      {btCrossFooter, &cross},    {btCrossHeader, innerSet},
      {btOverlay, innerSet},      {btChild, innerSet},
  };
  for (const auto& [type, expected] : cases) EXPECT_EQ(vlDefaultDataset(type, d), expected) << int(type);
  EXPECT_EQ(vlDefaultDataSource(btMasterData, d), &people);
  EXPECT_EQ(vlDefaultDataSource(btDetailData, d), nullptr);  // a user dataset gives no default
}

TEST(Components, PathsNotificationsAndTheFormList) {
  {
    TvlForm form("Form1");
    EXPECT_EQ(vlForms().Find("FORM1"), &form);
    auto& panel = form.Add<TvlComponent>("Panel");
    auto& src = panel.Add<TvlCsvDataSource>("Src");
    TvlDataModule dm("DM");
    dm.Add<TvlDBDataSet>("Set");
    dm.Add<TvlComponent>("");  // nameless: not offered
    auto isSourceOrSet = [](const TvlComponent& c) {
      return dynamic_cast<const TvlDataSource*>(&c) || dynamic_cast<const TvlDataset*>(&c);
    };
    std::vector<std::string> paths;
    for (const auto& p : vlListComponents(&form, isSourceOrSet)) paths.push_back(p.Path);
    EXPECT_EQ(paths, (std::vector<std::string>{"Panel.Src", "DM.Set"}));
    paths.clear();
    for (const auto& p : vlListComponents(&dm, isSourceOrSet)) paths.push_back(p.Path);
    EXPECT_EQ(paths, (std::vector<std::string>{"Set", "Form1.Panel.Src"}));

    // A reference from another form outlives neither side.
    auto& set = dm.Add<TvlDBDataSet>("Set2");
    set.SetDataSet(&src);
    std::unique_ptr<TvlComponent> moved = form.RemoveComponent(&panel);
    EXPECT_EQ(panel.Owner(), nullptr);
    moved.reset();
    EXPECT_EQ(set.DataSet(), nullptr);
  }
  EXPECT_EQ(vlForms().Find("Form1"), nullptr);
  EXPECT_TRUE(vlForms().Forms().empty());
}

}  // namespace
}  // namespace vl
