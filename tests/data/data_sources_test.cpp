#include <gtest/gtest.h>

#include <sstream>

#include "engine/data/csv_data_source.h"
#include "engine/data/sqlite_data_source.h"
#include "engine/core/date_time.h"
#include "engine/core/error.h"
#include "tests/data/fixtures.h"

namespace vl {
namespace {

using test::TempFolder;

std::string Walk(TvlDataSource& s, std::string_view field) {
  std::string out;
  const int k = s.FieldIndex(field);
  for (s.First(); !s.Eof(); s.Next()) out += std::string(s.DisplayText(k)) + "|";
  return out;
}

std::string ErrorOf(TvlDataSource& s) {
  try {
    s.Open();
  } catch (const TvlError& e) {
    EXPECT_FALSE(s.Active());
    return e.what();
  }
  return "(opened)";
}

TEST(SQLiteSource, NullRulesAndValuesFollowTheDeclaredKinds) {
  TempFolder dir;
  TvlSQLiteDataSource s("People");
  s.FileName = dir.Database("kinds.db",
      "CREATE TABLE t(name VARCHAR(20), n INTEGER, r REAL, ok BOOLEAN, born DATETIME,"
      " big BIGINT, pic BLOB, notes CLOB, untyped);"
      "INSERT INTO t VALUES(NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);"
      "INSERT INTO t VALUES('Ann', 42, 2.5, 1, '2024-02-29 13:45:30', 9007199254740993,"
      " x'00FF10', 'long text', 7);"
      "INSERT INTO t VALUES(7, 5000000000, 3, 'false', 2460000.5, -1, 'abc', NULL, 'x');");
  s.TableName = "t";
  s.Open();
  ASSERT_EQ(s.FieldNames(), (std::vector<std::string>{"name", "n", "r", "ok", "born", "big", "pic",
                                                      "notes", "untyped"}));
  using K = TvlFieldKind;
  const K kinds[] = {K::fkString, K::fkInteger, K::fkFloat, K::fkBoolean, K::fkDateTime,
                     K::fkLargeInt, K::fkBinary, K::fkMemo, K::fkInteger};
  for (int k = 0; k < 9; ++k) EXPECT_EQ(s.FieldDefs()[static_cast<std::size_t>(k)].Kind, kinds[k]) << k;

  // Row 1: every field null; the value by kind: empty text, false or 0.
  for (int k = 0; k < 9; ++k) EXPECT_TRUE(s.IsNull(k)) << k;
  const TvlValue nulls[] = {TvlValue(""), TvlValue(0), TvlValue(0), TvlValue(false), TvlValue(0),
                            TvlValue(0), TvlValue(0), TvlValue(""), TvlValue(0)};
  for (int k = 0; k < 9; ++k) EXPECT_TRUE(vlFieldValue(s, k).SameAs(nulls[k])) << k;

  s.Next();
  double born = 0, t = 0;
  ASSERT_TRUE(vlEncodeDate(2024, 2, 29, born) && vlEncodeTime(13, 45, 30, 0, t));
  EXPECT_TRUE(vlFieldValue(s, 0).SameAs(TvlValue("Ann")));
  EXPECT_TRUE(vlFieldValue(s, 1).SameAs(TvlValue(42)));
  EXPECT_TRUE(vlFieldValue(s, 2).SameAs(TvlValue(2.5)));
  EXPECT_TRUE(vlFieldValue(s, 3).SameAs(TvlValue(true)));
  EXPECT_TRUE(vlFieldValue(s, 4).SameAs(TvlValue::DateTime(born + t)));
  EXPECT_TRUE(vlFieldValue(s, 5).SameAs(TvlValue("9007199254740993")));  // large: its exact digits
  EXPECT_TRUE(vlFieldValue(s, 7).SameAs(TvlValue("long text")));
  EXPECT_TRUE(vlFieldValue(s, 8).SameAs(TvlValue(7)));  // untyped: kind of its first non-null value
  std::ostringstream blob;
  s.SaveBlobToStream(6, blob);
  EXPECT_EQ(blob.str(), std::string("\x00\xFF\x10", 3));

  // Row 3: values stored otherwise than declared.
  s.Next();
  EXPECT_TRUE(vlFieldValue(s, 0).SameAs(TvlValue("7")));
  EXPECT_TRUE(vlFieldValue(s, 1).SameAs(TvlValue(5000000000.0)));  // past 32 bits: no wrap
  EXPECT_TRUE(vlFieldValue(s, 2).SameAs(TvlValue(3.0)));
  EXPECT_TRUE(vlFieldValue(s, 3).SameAs(TvlValue(false)));
  // A real is a Julian day: 2460000.5 is 44982 days after 30 December 1899.
  EXPECT_TRUE(vlFieldValue(s, 4).SameAs(TvlValue::DateTime(44982.0)));
  EXPECT_TRUE(vlFieldValue(s, 5).SameAs(TvlValue("-1")));
  EXPECT_TRUE(vlFieldValue(s, 8).SameAs(TvlValue("x")));  // text in a numeric column stays text
}

TEST(SQLiteSource, CursorKeepsTheLastRecordAtTheEndAndStepsBack) {
  TempFolder dir;
  TvlSQLiteDataSource s;
  s.FileName = dir.Database("n.db", "CREATE TABLE n(v INTEGER); INSERT INTO n VALUES(1),(2),(3);");
  s.SQL = "SELECT v, v * 10 AS tens FROM n WHERE v > 1 ORDER BY v DESC";
  s.Open();
  EXPECT_EQ(Walk(s, "TENS"), "30|20|");
  EXPECT_TRUE(s.Eof());
  EXPECT_EQ(s.DisplayText(0), "2");  // the last record stays current at the end
  s.Prior();
  EXPECT_FALSE(s.Eof());
  EXPECT_EQ(s.DisplayText(0), "3");
  s.Prior();  // already first: stays
  EXPECT_EQ(s.DisplayText(0), "3");
  const TvlBookmark b = s.GetBookmark();
  s.Next();
  EXPECT_GT(s.CompareBookmarks(s.GetBookmark(), b), 0);
  s.GotoBookmark(b);
  EXPECT_EQ(s.DisplayText(0), "3");
  s.Open();  // opening an open source keeps its position
  EXPECT_EQ(s.DisplayText(0), "3");

  TvlSQLiteDataSource empty;
  empty.FileName = s.FileName;
  empty.SQL = "SELECT v FROM n WHERE v > 5";
  empty.Open();
  EXPECT_TRUE(empty.Eof());
  EXPECT_TRUE(vlFieldValue(empty, 0).SameAs(TvlValue(0)));  // no record reads as null

  TvlSQLiteDataSource closed;  // read by name: opened on first use
  closed.FileName = s.FileName;
  closed.SQL = s.SQL;
  EXPECT_TRUE(vlReadField(closed, "Tens").SameAs(TvlValue(30)));
}

TEST(SQLiteSource, ErrorsNameTheFileAndLeaveTheSourceClosed) {
  TempFolder dir;
  const std::string db = dir.Database("e.db", "CREATE TABLE t(a);");
  const std::string junk = dir.Write("junk.db", std::string(2048, 'x'));
  struct Case {
    std::string file, table, sql, expected;
  } cases[] = {
      {dir.File("none.db"), "t", "", "Cannot open data file " + dir.File("none.db") + ": "},
      {"", "t", "", "Cannot open data file : No such file or directory"},
      {junk, "t", "", "Cannot open data file " + junk + ": file is not a database"},
      {db, "nope", "", "Bad table or query in " + db + ": no such table: nope"},
      {db, "", "SELEC a FROM t", "Bad table or query in " + db + ": near \"SELEC\": syntax error"},
      {db, "", "DELETE FROM t", "Bad table or query in " + db + ": only one SELECT statement is read"},
      {db, "", "SELECT 1; SELECT 2", "Bad table or query in " + db + ": only one SELECT statement is read"},
      {db, "", "", "Bad table or query in " + db + ": no table or query given"},
  };
  for (const Case& c : cases) {
    TvlSQLiteDataSource s;
    s.FileName = c.file;
    s.TableName = c.table;
    s.SQL = c.sql;
    EXPECT_EQ(ErrorOf(s).substr(0, c.expected.size()), c.expected);
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("none.db")));  // never created by reading
}

TEST(CsvSource, QuotingSeparatorsAndLineBreaks) {
  TempFolder dir;
  TvlCsvDataSource s;
  s.FileName = dir.Write("a.csv",
                         "\xEF\xBB\xBFName,\"Zip.Code\",Note\r\n"
                         "Ann,\"1,2\",\"said \"\"hi\"\"\"\r\n"
                         "\r\n"
                         "Bob,,\"two\nlines\"\n"
                         "\"\",3,\n");
  s.Open();
  EXPECT_EQ(s.Separator(), ',');
  EXPECT_EQ(s.FieldNames(), (std::vector<std::string>{"Name", "Zip.Code", "Note"}));
  EXPECT_EQ(Walk(s, "name"), "Ann|Bob||");
  EXPECT_EQ(Walk(s, "zip.code"), "1,2||3|");
  EXPECT_EQ(Walk(s, "Note"), "said \"hi\"|two\nlines||");
  s.Prior();
  TvlValue v;
  s.ReadValue("Note", v);
  EXPECT_TRUE(v.SameAs(TvlValue("two\nlines")));
  EXPECT_TRUE(vlReadField(s, "NAME").SameAs(TvlValue("Bob")));
  EXPECT_TRUE(vlReadField(s, "Nope").IsNull());
  EXPECT_FALSE(s.IsNull(2));
  EXPECT_TRUE(vlFieldValue(s, 1).SameAs(TvlValue("")));

  TvlCsvDataSource semi;
  semi.OpenText("a;\"b,c\";d\n1;2,5;3\n", "semi");
  EXPECT_EQ(semi.Separator(), ';');
  EXPECT_EQ(semi.FieldNames(), (std::vector<std::string>{"a", "b,c", "d"}));
  EXPECT_EQ(semi.DisplayText(1), "2,5");

  TvlCsvDataSource headerOnly;
  headerOnly.OpenText("x,y", "h");
  EXPECT_TRUE(headerOnly.Eof());
}

TEST(CsvSource, MalformedLinesAreReportedWithFileAndLine) {
  struct Case {
    std::string text, expected;
  } cases[] = {
      {"a,b\n1,\"open\n2,3\n", "Malformed CSV file f.csv, line 2: a quoted field is not closed"},
      {"a,b\n1,\"x\"y\n", "Malformed CSV file f.csv, line 2: text follows a closing quote"},
      {"a,b\n\"multi\nline\",1\n1,2,3\n", "Malformed CSV file f.csv, line 4: 3 fields where the header has 2"},
      {"a,b\r\n1\r\n", "Malformed CSV file f.csv, line 2: 1 fields where the header has 2"},
      {"\r\n\n", "Malformed CSV file f.csv, line 3: no header row"},
      {"\xFF\xFE" "a\0,\0", "Cannot open data file f.csv: UTF-16 files are not read; save the file as UTF-8"},
  };
  for (const Case& c : cases) {
    TvlCsvDataSource s;
    try {
      s.OpenText(c.text, "f.csv");
      ADD_FAILURE() << "opened: " << c.text;
    } catch (const TvlError& e) {
      EXPECT_EQ(std::string(e.what()), c.expected);
    }
    EXPECT_FALSE(s.Active());
  }
  TempFolder dir;
  TvlCsvDataSource missing;
  missing.FileName = dir.File("none.csv");
  EXPECT_EQ(ErrorOf(missing), "Cannot open data file " + dir.File("none.csv") + ": No such file or directory");
}

}  // namespace
}  // namespace vl
