#include <gtest/gtest.h>

#include <sstream>

#include "engine/build/source_field.h"
#include "engine/build/sqlite_data_source.h"
#include "engine/model/view.h"
#include "tests/build/fixtures.h"

namespace vl {
namespace {

// A view that keeps what it loads from its bound field, as text and picture
// views do.
class LoadingView : public TvlView {
 public:
  void GetBlob(TvlBlobField& field) override {
    Text = field.Value().Str();
    std::ostringstream bytes;
    field.SaveToStream(bytes);
    Bytes = bytes.str();
    Null = field.IsNull();
  }
  std::string Text, Bytes;
  bool Null = false;
};

TEST(SourceField, ViewsLoadTheBoundFieldOfTheCurrentRecord) {
  test::TempFolder dir;
  TvlSQLiteDataSource s("Pictures");
  s.FileName = dir.Database("p.db",
                           "CREATE TABLE t(name VARCHAR(9), pic BLOB);"
                           "INSERT INTO t VALUES('Ann', x'00FF10');"
                           "INSERT INTO t VALUES(NULL, NULL);");
  s.TableName = "t";
  s.Open();
  TvlSourceField name(s, 0), pic(s, 1);
  LoadingView v;
  v.GetBlob(pic);
  EXPECT_EQ(v.Bytes, std::string("\x00\xFF\x10", 3));
  v.GetBlob(name);
  EXPECT_EQ(v.Text, "Ann");
  s.Next();  // the field follows the cursor
  v.GetBlob(pic);
  EXPECT_TRUE(v.Null);
  EXPECT_EQ(v.Bytes, "");
  v.GetBlob(name);
  EXPECT_EQ(v.Text, "");  // a null text field reads as empty text
}

}  // namespace
}  // namespace vl
