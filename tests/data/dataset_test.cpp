#include <gtest/gtest.h>

#include <cstring>

#include "engine/data/csv_data_source.h"
#include "engine/data/db_dataset.h"
#include "engine/data/sqlite_data_source.h"
#include "engine/core/error.h"
#include "tests/data/fixtures.h"

namespace vl {
namespace {

using test::TempFolder;

// Runs a data loop as page formation does and lists what each record printed.
std::string Loop(TvlDataset& ds, const TvlDataSource* source = nullptr) {
  std::string out;
  for (ds.First(); !ds.Eof(); ds.Next())
    out += (source ? std::string(source->DisplayText(0)) : std::to_string(ds.RecNo())) + "|";
  return out;
}

TEST(UserDataset, RangeCountAndCheckEofDecideTheRecords) {
  TvlUserDataset ds;
  std::string events;
  ds.OnFirst = [&](TvlDataset&) { events += "F"; };
  ds.OnNext = [&](TvlDataset&) { events += "N"; };
  ds.OnPrior = [&](TvlDataset&) { events += "P"; };
  ds.RangeEnd = reCount;
  ds.RangeEndCount = 3;
  EXPECT_EQ(Loop(ds), "0|1|2|");
  EXPECT_EQ(ds.RecNo(), 3);     // the records walked
  EXPECT_EQ(events, "FNN");     // the step that ends the range fires nothing
  ds.Prior();
  EXPECT_EQ(events, "FNNP");
  EXPECT_FALSE(ds.Eof());

  ds.RangeEndCount = 5;
  ds.OnCheckEOF = [](TvlDataset& d, bool& eof) { eof = eof || d.RecNo() >= 2; };
  EXPECT_EQ(Loop(ds), "0|1|");

  TvlUserDataset endless;  // reLast without handler: the events say when data ends
  EXPECT_FALSE(endless.Eof());
}

class DBDataSetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    source.FileName = dir.Database("p.db",
        "CREATE TABLE p(name TEXT); INSERT INTO p VALUES('a'),('b'),('c'),('d'),('e');");
    source.TableName = "p";
    ds.SetDataSet(&source);
  }
  // Puts the source on its k-th record (from 0), as a form would before printing.
  void Position(int k) {
    source.Open();
    source.First();
    for (int i = 0; i < k; ++i) source.Next();
  }

  TempFolder dir;
  TvlSQLiteDataSource source{"People"};
  TvlDBDataSet ds{"PeopleSet"};
};

TEST_F(DBDataSetTest, RangesOverARealTable) {
  struct Case {
    TRangeBegin begin;
    TRangeEnd end;
    int count, current;
    const char* printed;
  } cases[] = {
      {rbFirst, reLast, 0, 2, "a|b|c|d|e|"},
      {rbCurrent, reCurrent, 0, 2, "c|"},  // exactly the record that was current
      {rbFirst, reCurrent, 0, 2, "a|b|c|"},
      {rbCurrent, reLast, 0, 3, "d|e|"},
      {rbFirst, reCount, 2, 4, "a|b|"},
      {rbCurrent, reCount, 9, 3, "d|e|"},
  };
  for (const Case& c : cases) {
    Position(c.current);
    ds.RangeBegin = c.begin;
    ds.RangeEnd = c.end;
    ds.RangeEndCount = c.count;
    ds.Init();
    EXPECT_EQ(Loop(ds, &source), c.printed) << c.begin << c.end;
    EXPECT_EQ(ds.RecNo(), static_cast<int>(std::strlen(c.printed) / 2));
    ds.Exit();
    if (c.begin == rbCurrent || c.end == reCurrent) {  // the position is given back
      EXPECT_EQ(source.DisplayText(0), std::string(1, static_cast<char>('a' + c.current)));
    }
  }
}

TEST_F(DBDataSetTest, PriorAndNextAroundAGroupBreakAndOpenCloseSettings) {
  std::string events;
  ds.OnOpen = [&](TvlDataset&) { events += "O"; };
  ds.OnClose = [&](TvlDataset&) { events += "C"; };
  ds.CloseDataSource = true;
  ds.Init();  // opens the closed source
  EXPECT_TRUE(source.Active());
  ds.First();
  ds.Next();
  ds.Next();
  ds.Prior();  // a group footer looks back one record
  EXPECT_EQ(source.DisplayText(0), "b");
  EXPECT_EQ(ds.RecNo(), 1);
  ds.Next();
  EXPECT_EQ(source.DisplayText(0), "c");
  while (!ds.Eof()) ds.Next();
  EXPECT_EQ(source.DisplayText(0), "e");  // at the end the last record is still there
  ds.Exit();
  EXPECT_FALSE(source.Active());
  EXPECT_EQ(events, "OC");

  ds.OnCheckEOF = [](TvlDataset& d, bool& eof) { eof = eof || d.RecNo() >= 2; };
  ds.Init();  // reopens
  EXPECT_EQ(Loop(ds, &source), "a|b|");
  ds.OnCheckEOF = nullptr;
  ds.Exit();

  ds.OpenDataSource = false;  // the form was to open the source itself, and did not
  ds.Init();
  EXPECT_THROW(ds.First(), TvlError);
}

TEST_F(DBDataSetTest, WithoutSourceEveryOperationNamesTheDataset) {
  TvlDBDataSet none("Orphan");
  for (auto op : {+[](TvlDataset& d) { d.Init(); }, +[](TvlDataset& d) { d.First(); },
                  +[](TvlDataset& d) { d.Next(); }, +[](TvlDataset& d) { d.Prior(); },
                  +[](TvlDataset& d) { (void)d.Eof(); }}) {
    try {
      op(none);
      ADD_FAILURE() << "no error";
    } catch (const TvlError& e) {
      EXPECT_STREQ(e.what(), "Unable to open dataset Orphan");
    }
  }
  EXPECT_NO_THROW(none.Exit());  // a band being torn down must not fail
}

TEST_F(DBDataSetTest, LinksAndRemovedComponentsClearTheReferences) {
  TvlForm form("Form1");
  auto& csv = form.Add<TvlCsvDataSource>("Csv");
  csv.OpenText("n\nx\ny\n", "mem");
  auto& link = form.Add<TvlDataLink>("Link");
  link.SetDataSet(&csv);
  ds.SetDataSource(&link);  // clears DataSet
  EXPECT_EQ(ds.DataSet(), nullptr);
  EXPECT_EQ(ds.GetDataSet(), &csv);
  ds.RangeBegin = rbCurrent;
  ds.Init();
  EXPECT_EQ(Loop(ds, &csv), "x|y|");

  form.DestroyComponent(&csv);  // the link, and the remembered position with it, forget it
  EXPECT_EQ(link.DataSet(), nullptr);
  EXPECT_THROW(ds.First(), TvlError);
  EXPECT_NO_THROW(ds.Exit());
  form.DestroyComponent(&link);
  EXPECT_EQ(ds.DataSource(), nullptr);

  ds.SetDataSet(&source);
  TvlDataLink other;
  ds.SetDataSource(&other);
  EXPECT_EQ(ds.DataSet(), nullptr);
}

}  // namespace
}  // namespace vl
