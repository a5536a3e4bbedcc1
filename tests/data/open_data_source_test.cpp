#include <gtest/gtest.h>

#include "engine/data/open_data_source.h"
#include "engine/data/sqlite_data_source.h"
#include "engine/core/error.h"
#include "tests/data/fixtures.h"

namespace vl {
namespace {

std::string ErrorOf(const std::string& spec) {
  try {
    vlOpenDataSource(spec);
  } catch (const TvlError& e) {
    return e.what();
  }
  return "(opened)";
}

TEST(OpenDataSource, TheFileTellsItsKindAndHashNamesTheTableOrQuery) {
  test::TempFolder dir;
  const std::string csv = dir.Write("list.txt", "name,zip\nAnn,1\n");
  const std::string vcf = dir.Write("book.dat", "\xEF\xBB\xBF\r\nbegin:vcard\nFN:Ann\nEND:VCARD\n");
  const std::string named = dir.Write("named.vcf", "");
  const std::string hashed = dir.Write("a#b.csv", "x\n1\n");
  const std::string db = dir.Database("one.db", "CREATE TABLE people(name TEXT); INSERT INTO people VALUES('Ann');");
  struct Case {
    std::string spec;
    TvlSourceKind kind;
    std::string file, table, sql;
  } cases[] = {
      {csv, TvlSourceKind::Csv, csv, "", ""},
      {vcf, TvlSourceKind::VCard, vcf, "", ""},
      {named, TvlSourceKind::VCard, named, "", ""},
      {hashed, TvlSourceKind::Csv, hashed, "", ""},
      {db, TvlSourceKind::SQLite, db, "", ""},
      {db + "# people ", TvlSourceKind::SQLite, db, "people", ""},
      {db + "#select name\nfrom people", TvlSourceKind::SQLite, db, "", "select name\nfrom people"},
      {db + "#WITH x AS (SELECT 1) SELECT * FROM x", TvlSourceKind::SQLite, db, "", "WITH x AS (SELECT 1) SELECT * FROM x"},
      {dir.File("none.db") + "#t", TvlSourceKind::SQLite, dir.File("none.db"), "t", ""},
  };
  for (const Case& c : cases) {
    const TvlSourceSpec s = vlParseSourceSpec(c.spec);
    EXPECT_EQ(s.Kind, c.kind) << c.spec;
    EXPECT_EQ(s.FileName, c.file) << c.spec;
    EXPECT_EQ(s.Table, c.table) << c.spec;
    EXPECT_EQ(s.SQL, c.sql) << c.spec;
  }
  // A database of one table is read whole without naming it.
  const auto one = vlOpenDataSource(db, "People");
  EXPECT_EQ(one->Name(), "People");
  EXPECT_EQ(vlReadField(*one, "name").Str(), "Ann");
  EXPECT_EQ(vlReadField(*vlOpenDataSource(vcf), "FN").Str(), "Ann");
}

TEST(OpenDataSource, WhatCannotBeOpenedSaysWhy) {
  test::TempFolder dir;
  const std::string two = dir.Database("two.db", "CREATE TABLE b(x); CREATE TABLE a(y);");
  EXPECT_EQ(ErrorOf(two), "Bad table or query in " + two + ": name a table or a SELECT after \"#\" (a, b)");
  EXPECT_EQ(ErrorOf(two + "#  "), "Bad table or query in " + two + ": no table or query given");
  EXPECT_EQ(ErrorOf(""), "Cannot open data file : no file named");
  EXPECT_EQ(ErrorOf(dir.File("none.csv")),
            "Cannot open data file " + dir.File("none.csv") + ": No such file or directory");
  const std::string broken = dir.Write("broken.vcf", "BEGIN:VCARD\nFN:Ann\n");
  EXPECT_EQ(ErrorOf(broken), "Malformed vCard file " + broken + ", line 1: the card that begins here has no END:VCARD");
}

}  // namespace
}  // namespace vl
