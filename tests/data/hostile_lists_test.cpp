// Address lists made to hurt: over-long lines, fields and column names,
// headers of millions of columns, cards of endless repeats, queries that
// never end, FIFOs instead of files. Each is refused at once with the file,
// the line and the limit; reading leaves the folder as it was.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/core/error.h"
#include "engine/data/csv_data_source.h"
#include "engine/data/data_limits.h"
#include "engine/data/open_data_source.h"
#include "engine/data/sqlite_data_source.h"
#include "engine/data/vcard_data_source.h"
#include "tests/data/fixtures.h"

namespace vl {
namespace {

// The error of opening the text, or "(opened)".
template <class Source>
std::string OpenError(const std::string& text, const std::string& name) {
  Source s;
  try {
    s.OpenText(text, name);
  } catch (const TvlError& e) {
    EXPECT_FALSE(s.Active());
    return e.what();
  }
  return "(opened)";
}

std::string Repeat(const std::string& piece, std::size_t n) {
  std::string out;
  out.reserve(piece.size() * n);
  for (std::size_t k = 0; k < n; ++k) out += piece;
  return out;
}

TEST(HostileCsv, LinesFieldsAndColumnsBeyondTheirLimitsAreRefusedWithTheLine) {
  using namespace data_limits;
  const std::string okName = Repeat("\xe5\x9c\xb0", kMaxColumnNameChars);  // 256 characters, 768 bytes
  const struct {
    std::string text, expected;
  } cases[] = {
      // The 10 MB one-line list.
      {Repeat("x", 10u << 20), "line 1: the line is longer than the limit of 1048576 bytes"},
      {"a\n" + Repeat("y,", 20) + Repeat("y", kMaxLineBytes) + "\n",
       "line 2: the line is longer than the limit of 1048576 bytes"},
      {"a,b\n1,2\n3,\"" + Repeat("z", kMaxFieldBytes + 1) + "\"\n",
       "line 3: a field is longer than the limit of 65536 bytes"},
      {"a\n" + Repeat("w", kMaxFieldBytes + 1) + "\n", "line 2: a field is longer than the limit of 65536 bytes"},
      // A header of empty names, the 16-million-column header in small.
      {"\n" + Repeat(",", 5000) + "\n1\n", "line 2: more columns than the limit of 1024"},
      {"name," + Repeat("n", kMaxColumnNameChars + 1) + "\n", "line 1: a column name is longer than the limit of 256 characters"},
      {"name," + okName + "\nAnn,1\n", "(opened)"},
      {Repeat("c,", kMaxColumns - 1) + "c\n", "(opened)"},
  };
  for (const auto& c : cases) {
    const std::string error = OpenError<TvlCsvDataSource>(c.text, "f.csv");
    if (c.expected == "(opened)")
      EXPECT_EQ(error, c.expected);
    else
      EXPECT_EQ(error, "Malformed CSV file f.csv, " + c.expected);
  }
}

// Every field of every record, walked from the first.
std::vector<std::string> Records(TvlCsvDataSource& s) {
  std::vector<std::string> out;
  for (s.First(); !s.Eof(); s.Next()) {
    std::string r;
    for (int f = 0; f < static_cast<int>(s.FieldDefs().size()); ++f) r.append(s.DisplayText(f)).append("|");
    out.push_back(std::move(r));
  }
  return out;
}

// A file is checked a window at a time and its records read from disk when
// walked: records across the windows' edges, and lines over the limit
// there, read and fail exactly as the same text in memory.
TEST(HostileCsv, AFileReadAWindowAtATimeAgreesWithTheTextInMemory) {
  using namespace data_limits;
  std::string big = "\xEF\xBB\xBFname,\"street\",zip\r\n";
  for (int k = 0; big.size() < (9u << 20); ++k)
    big += "Ann " + std::to_string(k) + ",\"" + Repeat("x", static_cast<std::size_t>(k % 97)) +
           (k % 5 == 0 ? "\r\nline \"\"two\"\"" : "") + "\"," + std::to_string(k) + (k % 3 ? "\r\n" : "\n\n");
  const std::string cases[] = {
      big,
      big.substr(0, big.size() - 2),  // the last record without its line break
      big + "a," + Repeat("y", kMaxLineBytes) + "\n",  // the last line too long
      big + "1,\"" + Repeat("z", 2 * kMaxLineBytes),   // a quote never closed
      big + Repeat("\r\n", 5u << 19) + "1,2,3\n",      // 5 MB of blank lines
  };
  test::TempFolder dir;
  for (const std::string& text : cases) {
    TvlCsvDataSource inMemory, onDisk;
    onDisk.FileName = dir.Write("list.csv", text);
    const std::string memoryError = OpenError<TvlCsvDataSource>(text, onDisk.FileName);
    std::string diskError = "(opened)";
    try {
      onDisk.Open();
    } catch (const TvlError& e) {
      diskError = e.what();
    }
    SCOPED_TRACE(memoryError.substr(0, 200));
    ASSERT_EQ(diskError.substr(0, 80), memoryError.substr(0, 80));
    if (memoryError != "(opened)") continue;
    inMemory.OpenText(text, "list.csv");
    const std::vector<std::string> expected = Records(inMemory), read = Records(onDisk);
    EXPECT_GT(expected.size(), 80000u);
    EXPECT_TRUE(read == expected);
  }

  // A file changed after it was checked is refused, never read wrong.
  TvlCsvDataSource changing;
  changing.FileName = dir.Write("list.csv", "a,b\n1,2\n3,4\n");
  changing.Open();
  dir.Write("list.csv", "a,b\n1;2\n3,4\n");
  EXPECT_THROW(changing.DisplayText(0), TvlError);
}

TEST(HostileVCard, RepeatsAndLongLinesAreRefusedWithTheLine) {
  using namespace data_limits;
  const std::string head = "BEGIN:VCARD\nVERSION:3.0\nFN:Ann\n";
  const std::string adr = "ADR:;;1 Elm St;Town;;12345;\n";
  const struct {
    std::string text, expected;
  } cases[] = {
      {head + Repeat(adr, kMaxRepeats + 1) + "END:VCARD\n",
       "line 104: the card has more ADR lines than the limit of 100"},
      {head + Repeat("TEL:1\n", kMaxRepeats + 5) + "END:VCARD\n",
       "line 104: the card has more TEL lines than the limit of 100"},
      {head + "NOTE:" + Repeat("a", kMaxFieldBytes + 1) + "\nEND:VCARD\n",
       "line 4: a field is longer than the limit of 65536 bytes"},
      {head + "NOTE:a\n" + Repeat(" " + Repeat("b", 1000) + "\n", 1100) + "END:VCARD\n",
       "line 4: the line is longer than the limit of 1048576 bytes"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(OpenError<TvlVCardDataSource>(c.text, "f.vcf"), "Malformed vCard file f.vcf, " + c.expected);
  // The limit itself is read.
  TvlVCardDataSource full;
  full.OpenText(head + Repeat(adr, kMaxRepeats) + "END:VCARD\n", "f.vcf");
  EXPECT_GE(full.FieldIndex("ADR100"), 0);
}

TEST(HostileVCard, CrCrLfEndsOneLine) {
  // As some phones and mail programs write them; folding and quoted-printable
  // soft breaks work across such line ends too.
  TvlVCardDataSource s;
  s.OpenText("BEGIN:VCARD\r\r\nVERSION:2.1\r\r\nFN:Ann\r\r\n  Lee\r\r\n"
             "ADR;ENCODING=QUOTED-PRINTABLE:;;1 Elm =\r\r\nSt;Town;;12345;\r\r\nEND:VCARD\r\r\n"
             "BEGIN:VCARD\r\r\nFN:Bob\r\r\nEND:VCARD\r\r\n",
             "f.vcf");
  ASSERT_EQ(s.RecordCount(), 2);
  s.First();
  EXPECT_EQ(vlReadField(s, "FN").Str(), "Ann Lee");
  EXPECT_EQ(vlReadField(s, "ADR_Street").Str(), "1 Elm St");
  // Line numbers still count one per line end.
  EXPECT_EQ(OpenError<TvlVCardDataSource>("BEGIN:VCARD\r\r\nVERSION:3.0\r\r\nFN Ann\r\r\nEND:VCARD\r\r\n", "f.vcf"),
            "Malformed vCard file f.vcf, line 3: the line has no \":\" between name and value");
}

TEST(HostileVCard, LongQuotedPrintableValueAfterALongHeadJoinsWhole) {
  // Every soft break used to rescan the head: quadratic in the joined length.
  const std::string params = Repeat(";X-P=" + Repeat("p", 50), 200);
  std::string text = "BEGIN:VCARD\nVERSION:2.1\nNOTE" + params + ";ENCODING=QUOTED-PRINTABLE:";
  for (int k = 0; k < 5000; ++k) text += "ab=\n";
  text += "c\nEND:VCARD\n";
  TvlVCardDataSource s;
  s.OpenText(text, "f.vcf");
  s.First();
  EXPECT_EQ(vlReadField(s, "NOTE").Str(), Repeat("ab", 5000) + "c");
}

TEST(HostileSQLite, AQueryThatNeverEndsStopsAtTheRowLimit) {
  test::TempFolder dir;
  const std::string db = dir.Database("endless.db", "CREATE TABLE t(x); INSERT INTO t VALUES(1);");
  TvlSQLiteDataSource s;
  s.FileName = db;
  s.SQL = "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n) SELECT i FROM n";
  s.MaxRows = 1000;
  try {
    s.Open();
    ADD_FAILURE() << "an endless query was read";
  } catch (const TvlError& e) {
    EXPECT_EQ(std::string(e.what()), "Bad table or query in " + db + ": the query gives more rows than the limit of 1000");
  }
  EXPECT_FALSE(s.Active());
  EXPECT_EQ(data_limits::kMaxRows, 5'000'000u);  // the stated default
}

TEST(HostileSQLite, ReadingAWalDatabaseLeavesNoFilesBeside) {
  test::TempFolder dir;
  const std::string db =
      dir.Database("wal.db", "PRAGMA journal_mode=WAL; CREATE TABLE people(name TEXT); INSERT INTO people VALUES('Ann');");
  ASSERT_FALSE(std::filesystem::exists(db + "-wal"));  // closed cleanly: the log is folded in
  EXPECT_EQ(vlReadField(*vlOpenDataSource(db + "#people"), "name").Str(), "Ann");
  EXPECT_EQ(vlSQLiteTables(db), std::vector<std::string>{"people"});
  EXPECT_FALSE(std::filesystem::exists(db + "-wal"));
  EXPECT_FALSE(std::filesystem::exists(db + "-shm"));
  // A name that looks like URI syntax is still the file.
  const std::string odd = dir.Database("a?b#c%20d.db", "CREATE TABLE t(x); INSERT INTO t VALUES(7);");
  EXPECT_EQ(vlReadField(*vlOpenDataSource(odd + "#t"), "x").Int(), 7);
}

TEST(HostileFiles, AFifoIsRefusedWithoutBlocking) {
  test::TempFolder dir;
  const std::string fifo = dir.File("list.csv");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);  // no writer: opening it plainly would block
  EXPECT_EQ(vlParseSourceSpec(fifo).Kind, TvlSourceKind::Csv);
  try {
    vlOpenDataSource(fifo);
    ADD_FAILURE() << "a FIFO was read";
  } catch (const TvlError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open data file " + fifo + ": not a regular file");
  }
  // Named as a database, too.
  EXPECT_THROW(vlOpenDataSource(fifo + "#people"), TvlError);
  EXPECT_THROW(vlSQLiteTables(fifo), TvlError);
}

}  // namespace
}  // namespace vl
