#include "engine/data/sqlite_data_source.h"

#include <sqlite3.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <filesystem>
#include <memory>
#include <sys/stat.h>

#include "engine/data/code_page.h"
#include "engine/data/data_limits.h"
#include "engine/core/date_time.h"
#include "engine/core/error.h"
#include "engine/core/string_table.h"
#include "engine/core/text.h"
#include "engine/core/value_convert.h"

namespace vl {
namespace {

// Day numbers of the engine's date origin (30 December 1899) in the two
// numeric date forms SQLite's date functions use.
constexpr double kJulianDayOfOrigin = 2415018.5;
constexpr double kUnixDayOfOrigin = 25569.0;

TvlFieldKind KindOfDeclaredType(const char* declared) {
  const std::string t = vlUpperCase(declared ? declared : "");
  auto has = [&t](const char* part) { return t.find(part) != std::string::npos; };
  if (has("BOOL")) return TvlFieldKind::fkBoolean;
  if (has("DATE") || has("TIME")) return TvlFieldKind::fkDateTime;
  if (has("BIGINT") || has("INT8") || has("INT64")) return TvlFieldKind::fkLargeInt;
  if (has("INT")) return TvlFieldKind::fkInteger;
  if (has("CLOB") || has("MEMO")) return TvlFieldKind::fkMemo;
  if (has("CHAR") || has("TEXT")) return TvlFieldKind::fkString;
  if (has("IMAGE") || has("GRAPHIC") || has("PICTURE")) return TvlFieldKind::fkGraphic;
  if (has("BLOB") || has("BINARY")) return TvlFieldKind::fkBinary;
  if (has("REAL") || has("FLOA") || has("DOUB") || has("NUM") || has("DEC") || has("MONEY"))
    return TvlFieldKind::fkFloat;
  return TvlFieldKind::fkString;
}

TvlFieldKind KindOfStorage(int type) {
  switch (type) {
    case SQLITE_INTEGER: return TvlFieldKind::fkInteger;
    case SQLITE_FLOAT: return TvlFieldKind::fkFloat;
    case SQLITE_BLOB: return TvlFieldKind::fkBinary;
    default: return TvlFieldKind::fkString;
  }
}

// Reads "YYYY-MM-DD", optionally followed by " " or "T" and "HH:MM[:SS[.fff]]",
// or a time alone; the forms SQLite's date functions write.
bool ParseIsoDateTime(std::string_view s, double& out) {
  std::size_t i = 0;
  auto number = [&](int digits, int& v) {
    if (i + static_cast<std::size_t>(digits) > s.size()) return false;
    v = 0;
    for (int k = 0; k < digits; ++k, ++i) {
      if (s[i] < '0' || s[i] > '9') return false;
      v = v * 10 + (s[i] - '0');
    }
    return true;
  };
  auto expect = [&](char ch) { return i < s.size() && s[i++] == ch; };
  double date = 0, time = 0;
  int y, mo, d, h, mi, sec = 0, ms = 0;
  const bool timeOnly = s.size() > 2 && s[2] == ':';
  if (!timeOnly) {
    if (!number(4, y) || !expect('-') || !number(2, mo) || !expect('-') || !number(2, d)) return false;
    if (!vlEncodeDate(y, mo, d, date)) return false;
    if (i == s.size()) {
      out = date;
      return true;
    }
    if (s[i] != ' ' && s[i] != 'T') return false;
    ++i;
  }
  if (!number(2, h) || !expect(':') || !number(2, mi)) return false;
  if (i < s.size() && s[i] == ':') {
    ++i;
    if (!number(2, sec)) return false;
    if (i < s.size() && s[i] == '.') {
      ++i;
      int digits = 0;
      while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
        if (digits < 3) ms = ms * 10 + (s[i] - '0');
        ++digits;
        ++i;
      }
      for (; digits < 3; ++digits) ms *= 10;
    }
  }
  if (i != s.size() || !vlEncodeTime(h, mi, sec, ms, time)) return false;
  out = date < 0 ? date - time : date + time;
  return true;
}

bool ParseBoolean(std::string_view s, bool& out) {
  const std::string t = vlTrim(s);
  if (vlSameText(t, "true") || vlSameText(t, "yes") || t == "1") return out = true, true;
  if (vlSameText(t, "false") || vlSameText(t, "no") || t == "0") return out = false, true;
  return false;
}

TvlValue IntegerValue(std::int64_t v) {
  // Past 32 bits a number stays a number rather than wrapping.
  if (v >= INT32_MIN && v <= INT32_MAX) return TvlValue(static_cast<std::int32_t>(v));
  return TvlValue(static_cast<double>(v));
}

struct DbCloser {
  void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct StmtFinalizer {
  void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};

// The file name as a SQLite URI, every byte that could be read as URI syntax
// escaped.
std::string FileUri(const std::string& fileName) {
  std::error_code ec;
  std::string path = std::filesystem::absolute(fileName, ec).string();
  if (ec) path = fileName;
  std::string uri = "file://";
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (char ch : path) {
    const auto c = static_cast<unsigned char>(ch);
    if (c <= ' ' || c >= 0x7F || ch == '%' || ch == '?' || ch == '#' || ch == '&' || ch == '=') {
      uri += '%';
      uri += kHex[c >> 4];
      uri += kHex[c & 15];
    } else {
      uri += ch;
    }
  }
  return uri;
}

// Opens the database for reading only. Without a write-ahead log beside it
// the file is opened as immutable, so that reading a database in WAL mode
// creates no -wal and -shm files; with one, another program has it open and
// its log must be read.
int OpenForReading(const std::string& fileName, sqlite3** db) {
  struct stat st {};
  // SQLite would open a FIFO and wait on it for ever.
  if (::stat(fileName.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
    throw TvlError(vlLoadStr(str::kCannotOpenDataFile) + fileName + ": " + vlLoadStr(str::kNotRegularFile));
  const bool hasLog = ::stat((fileName + "-wal").c_str(), &st) == 0;
  if (hasLog) return sqlite3_open_v2(fileName.c_str(), db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
  return sqlite3_open_v2((FileUri(fileName) + "?immutable=1").c_str(), db,
                         SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_URI, nullptr);
}

}  // namespace

std::vector<std::string> vlSQLiteTables(const std::string& fileName) {
  auto fail = [&fileName](const std::string& why) {
    throw TvlError(vlLoadStr(str::kCannotOpenDataFile) + fileName + ": " + why);
  };
  if (fileName.empty()) fail(std::strerror(ENOENT));
  sqlite3* raw = nullptr;
  const int rc = OpenForReading(fileName, &raw);
  std::unique_ptr<sqlite3, DbCloser> db(raw);
  if (rc != SQLITE_OK) fail(raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc));
  static constexpr char kSql[] =
      "SELECT name FROM sqlite_master WHERE type IN ('table','view') AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
      "ORDER BY name";
  sqlite3_stmt* rawStmt = nullptr;
  if (sqlite3_prepare_v2(db.get(), kSql, -1, &rawStmt, nullptr) != SQLITE_OK) fail(sqlite3_errmsg(db.get()));
  std::unique_ptr<sqlite3_stmt, StmtFinalizer> stmt(rawStmt);
  std::vector<std::string> tables;
  for (int src; (src = sqlite3_step(stmt.get())) != SQLITE_DONE;) {
    if (src != SQLITE_ROW) fail(sqlite3_errmsg(db.get()));
    const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0));
    tables.push_back(vlUtf8ToSystemCodePage(name ? name : ""));
  }
  return tables;
}

void TvlSQLiteDataSource::Fail(int messageId, const std::string& detail) const {
  throw TvlError(vlLoadStr(messageId) + FileName + ": " + detail);
}

void TvlSQLiteDataSource::Open() {
  if (Active()) return;
  // An empty name would make SQLite open a private temporary database.
  if (FileName.empty()) Fail(str::kCannotOpenDataFile, std::strerror(ENOENT));
  sqlite3* raw = nullptr;
  const int rc = OpenForReading(FileName, &raw);
  std::unique_ptr<sqlite3, DbCloser> db(raw);
  if (rc != SQLITE_OK)
    Fail(str::kCannotOpenDataFile, raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc));

  std::string sql = SQL;
  if (vlTrim(sql).empty()) {
    if (TableName.empty()) Fail(str::kBadTableOrQuery, vlLoadStr(str::kNoTableOrQuery));
    std::string quoted = "\"";
    for (char ch : TableName) quoted += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    sql = "SELECT * FROM " + quoted + "\"";
  }
  sqlite3_stmt* rawStmt = nullptr;
  const char* tail = nullptr;
  const int prc = sqlite3_prepare_v2(db.get(), sql.c_str(), static_cast<int>(sql.size()), &rawStmt, &tail);
  std::unique_ptr<sqlite3_stmt, StmtFinalizer> stmt(rawStmt);
  if (prc != SQLITE_OK) {
    Fail(sqlite3_errcode(db.get()) == SQLITE_NOTADB ? str::kCannotOpenDataFile : str::kBadTableOrQuery,
         sqlite3_errmsg(db.get()));
  }
  if (!stmt || (tail && !vlTrim(tail).empty()) || !sqlite3_stmt_readonly(stmt.get()) ||
      sqlite3_column_count(stmt.get()) == 0)
    Fail(str::kBadTableOrQuery, vlLoadStr(str::kOneSelectOnly));

  const int cols = sqlite3_column_count(stmt.get());
  std::vector<TvlFieldDef> defs(static_cast<std::size_t>(cols));
  std::vector<bool> kindFromValue(defs.size(), false);
  for (int c = 0; c < cols; ++c) {
    const char* name = sqlite3_column_name(stmt.get(), c);
    defs[static_cast<std::size_t>(c)].Name = vlUtf8ToSystemCodePage(name ? name : "");
    const char* declared = sqlite3_column_decltype(stmt.get(), c);
    kindFromValue[static_cast<std::size_t>(c)] = !declared || !*declared;
    defs[static_cast<std::size_t>(c)].Kind = KindOfDeclaredType(declared);
  }

  // The block is built in place so that a source opened again reuses the
  // storage of its last opening.
  cells_.clear();
  arena_.clear();
  std::size_t rows = 0;
  const bool convert = !vlSystemCodePageIsUtf8();
  try {
    for (;;) {
      const int src = sqlite3_step(stmt.get());
      if (src == SQLITE_DONE) break;
      if (src != SQLITE_ROW) Fail(str::kBadTableOrQuery, sqlite3_errmsg(db.get()));
      // The whole result is kept: a query that never ends (a recursive
      // one) stops at the limits instead of taking all memory.
      if (rows == MaxRows) Fail(str::kBadTableOrQuery, vlLoadStr(str::kTooManyRows) + std::to_string(MaxRows));
      if (arena_.size() + cells_.size() * sizeof(Cell) > data_limits::kMaxResultBytes)
        Fail(str::kBadTableOrQuery, vlLoadStr(str::kResultTooLarge) +
                                        std::to_string(data_limits::kMaxResultBytes) + vlLoadStr(str::kBytesUnit));
      for (int c = 0; c < cols; ++c) {
        Cell& cell = cells_.emplace_back();
        const int type = sqlite3_column_type(stmt.get(), c);
        if (kindFromValue[static_cast<std::size_t>(c)] && type != SQLITE_NULL) {
          defs[static_cast<std::size_t>(c)].Kind = KindOfStorage(type);
          kindFromValue[static_cast<std::size_t>(c)] = false;
        }
        switch (type) {
          case SQLITE_INTEGER:
            cell.Type = ctInteger;
            cell.Bits = static_cast<std::uint64_t>(sqlite3_column_int64(stmt.get(), c));
            break;
          case SQLITE_FLOAT: {
            cell.Type = ctFloat;
            const double d = sqlite3_column_double(stmt.get(), c);
            std::memcpy(&cell.Bits, &d, sizeof d);
            break;
          }
          case SQLITE_TEXT:
          case SQLITE_BLOB: {
            const bool text = type == SQLITE_TEXT;
            const void* p = text ? static_cast<const void*>(sqlite3_column_text(stmt.get(), c))
                                 : sqlite3_column_blob(stmt.get(), c);
            const auto n = static_cast<std::size_t>(sqlite3_column_bytes(stmt.get(), c));
            const std::string_view bytes(static_cast<const char*>(p), p ? n : 0);
            cell.Type = text ? ctText : ctBlob;
            cell.Bits = arena_.size();
            if (text && convert)
              arena_ += vlUtf8ToSystemCodePage(bytes);
            else
              arena_.append(bytes);
            cell.Length = static_cast<std::uint32_t>(arena_.size() - cell.Bits);
            break;
          }
          default:
            break;
        }
      }
      ++rows;
    }
  } catch (...) {
    Close();
    throw;
  }

  defs_ = std::move(defs);
  SetOpen(rows);
}

void TvlSQLiteDataSource::Close() {
  SetClosed();
  defs_.clear();
  cells_.clear();  // storage kept for the next opening
  arena_.clear();
}

const TvlSQLiteDataSource::Cell& TvlSQLiteDataSource::At(int field) const {
  static const Cell kNullCell;
  if (!HasRecord() || field < 0 || static_cast<std::size_t>(field) >= defs_.size()) return kNullCell;
  return cells_[Position() * defs_.size() + static_cast<std::size_t>(field)];
}

bool TvlSQLiteDataSource::IsNull(int field) const { return At(field).Type == ctNull; }

void TvlSQLiteDataSource::ReadValue(int field, TvlValue& out) const {
  const Cell& c = At(field);
  if (c.Type == ctNull) {
    out = TvlValue::Null();
    return;
  }
  const TvlFieldKind kind = defs_[static_cast<std::size_t>(field)].Kind;
  double d = 0;
  if (c.Type == ctFloat) std::memcpy(&d, &c.Bits, sizeof d);
  const auto i = static_cast<std::int64_t>(c.Bits);
  switch (kind) {
    case TvlFieldKind::fkString:
    case TvlFieldKind::fkMemo:
    case TvlFieldKind::fkFmtMemo:
      vlAssignText(out, DisplayText(field));
      return;
    case TvlFieldKind::fkBoolean:
      if (c.Type == ctInteger) return void(out = TvlValue(i != 0));
      if (c.Type == ctFloat) return void(out = TvlValue(d != 0));
      if (bool b; c.Type == ctText && ParseBoolean(Bytes(c), b)) return void(out = TvlValue(b));
      break;
    case TvlFieldKind::fkDateTime:
      if (c.Type == ctFloat) return void(out = TvlValue::DateTime(d - kJulianDayOfOrigin));
      if (c.Type == ctInteger)
        return void(out = TvlValue::DateTime(static_cast<double>(i) / 86400.0 + kUnixDayOfOrigin));
      if (double v; c.Type == ctText && ParseIsoDateTime(Bytes(c), v)) return void(out = TvlValue::DateTime(v));
      break;
    default:
      if (c.Type == ctInteger) {
        out = kind == TvlFieldKind::fkFloat ? TvlValue(static_cast<double>(i)) : IntegerValue(i);
        return;
      }
      if (c.Type == ctFloat) return void(out = TvlValue(d));
      break;
  }
  // A value stored in another form than the column declares keeps its text
  // (or bytes) rather than turning into a wrong number.
  vlAssignText(out, c.Type == ctText || c.Type == ctBlob ? Bytes(c) : DisplayText(field));
}

std::string_view TvlSQLiteDataSource::DisplayText(int field) const {
  const Cell& c = At(field);
  switch (c.Type) {
    case ctNull:
      return {};
    case ctText:
    case ctBlob:
      return Bytes(c);
    case ctInteger:
      if (defs_[static_cast<std::size_t>(field)].Kind != TvlFieldKind::fkBoolean &&
          defs_[static_cast<std::size_t>(field)].Kind != TvlFieldKind::fkDateTime) {
        char digits[24];
        const auto r = std::to_chars(digits, digits + sizeof digits, static_cast<std::int64_t>(c.Bits));
        display_.assign(digits, r.ptr);  // reuses the buffer: large integers are read this way
        return display_;
      }
      break;
    case ctFloat:
      if (defs_[static_cast<std::size_t>(field)].Kind != TvlFieldKind::fkBoolean &&
          defs_[static_cast<std::size_t>(field)].Kind != TvlFieldKind::fkDateTime) {
        double d;
        std::memcpy(&d, &c.Bits, sizeof d);
        display_ = vlFloatToText(d);
        return display_;
      }
      break;
  }
  TvlValue v;
  ReadValue(field, v);
  display_ = vlValueToText(v);
  return display_;
}

}  // namespace vl
