#include <gtest/gtest.h>

#include <string>

#include "engine/core/text.h"
#include "engine/core/variables.h"

namespace vl {
namespace {

TEST(Variables, NamesIgnoreCaseAndOutOfRangeIsHarmless) {
  TvlVariables v;
  v.Set("Total", TvlValue(1));
  v.Set("TOTAL", TvlValue(2));
  v.Set("name", TvlValue("x"));
  EXPECT_EQ(v.Count(), 2);
  EXPECT_EQ(v.Get("total").Int(), 2);
  EXPECT_TRUE(v.Get("missing").IsNull());
  EXPECT_EQ(v.IndexOf("NAME"), 1);
  EXPECT_EQ(v.IndexOf("nope"), -1);

  EXPECT_EQ(v.ValueAt(5).Kind(), TvlValueKind::Integer);
  EXPECT_EQ(v.ValueAt(-1).Int(), 0);
  EXPECT_EQ(v.NameAt(9), "");
  v.SetValueAt(9, TvlValue(1));
  v.SetNameAt(-1, "x");
  v.Delete(7);
  EXPECT_EQ(v.Count(), 2);

  v.SetNameAt(0, "Sum");
  EXPECT_EQ(v.Get("sum").Int(), 2);
}

TEST(Variables, InsertGivesZeroAndMovesTheEntry) {
  TvlVariables v;
  v.Set("a", TvlValue(1));
  v.Set("b", TvlValue(2));
  v.Set("c", TvlValue(3));
  v.Insert(0, "c");
  EXPECT_EQ(v.NameAt(0), "c");
  EXPECT_EQ(v.ValueAt(0).Int(), 0);
  v.Insert(1, "new");
  EXPECT_EQ(v.NameAt(1), "new");
  EXPECT_EQ(v.Count(), 4);

  TvlVariables copy;
  copy.Set("old", TvlValue(9));
  copy.Assign(v);
  EXPECT_EQ(copy.Count(), 4);
  EXPECT_EQ(copy.NameAt(3), "b");
  copy.Clear();
  EXPECT_EQ(copy.Count(), 0);
}

TEST(Variables, SortedModeKeepsNameOrderWithoutDuplicates) {
  TvlVariables v;
  v.Set("pear", TvlValue(1));
  v.Set("Apple", TvlValue(2));
  v.Set("apple", TvlValue(3));  // same name: replaces
  v.SetSorted(true);
  v.Set("mango", TvlValue(4));
  v.Set("BANANA", TvlValue(5));
  ASSERT_EQ(v.Count(), 4);
  EXPECT_EQ(v.NameAt(0), "Apple");
  EXPECT_EQ(v.NameAt(1), "BANANA");
  EXPECT_EQ(v.NameAt(2), "mango");
  EXPECT_EQ(v.NameAt(3), "pear");
  EXPECT_EQ(v.Get("APPLE").Int(), 3);
  EXPECT_EQ(v.IndexOf("Mango"), 2);
  EXPECT_EQ(v.IndexOf("kiwi"), -1);
}

TEST(Variables, SortedWritesNeverMoveTheOtherValues) {
  // A script filling an array writes one new name after another; a write
  // that shifted every later entry made that quadratic. Values stay where
  // they are until a position is asked for, and then all are in order.
  TvlVariables v;
  v.SetSorted(true);
  v.Set("B", TvlValue(-1));
  const TvlValue* b = v.Find("b");
  for (int i = 999; i >= 0; --i) v.Set("A[" + std::to_string(i) + "]", TvlValue(i));
  EXPECT_EQ(v.Find("B"), b);
  EXPECT_EQ(v.Get("a[500]").Int(), 500);
  v.Set("a[500]", TvlValue(7));  // same name, other case: replaces
  ASSERT_EQ(v.Count(), 1001);
  for (int k = 1; k < v.Count(); ++k) EXPECT_LT(vlCompareText(v.NameAt(k - 1), v.NameAt(k)), 0) << k;
  EXPECT_EQ(v.NameAt(0), "A[0]");
  EXPECT_EQ(v.NameAt(1000), "B");
  EXPECT_EQ(v.Get("A[500]").Int(), 7);
  EXPECT_EQ(v.IndexOf("b"), 1000);
  // Positions settled, new names wait again and are found.
  v.Set("0", TvlValue(3));
  EXPECT_EQ(v.Get("0").Int(), 3);
  EXPECT_EQ(v.Entries().front().Name, "0");
  TvlVariables copy;
  copy.SetSorted(true);
  copy.Set("Z", TvlValue(1));
  copy.Assign(v);
  EXPECT_EQ(copy.Count(), 1002);
  EXPECT_TRUE(copy.Get("Z").IsNull());
  v.Clear();
  EXPECT_EQ(v.Count(), 0);
  EXPECT_EQ(v.Find("0"), nullptr);
}

}  // namespace
}  // namespace vl
