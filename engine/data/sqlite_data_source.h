#pragma once
// A table or a SELECT query of a SQLite database file as an external data
// source. The database is opened read-only and the whole result is read at
// Open into one compact block, so that moving in any direction, bookmarks and
// reads cost no query and no allocation; the file is closed again at once.
// Close keeps the block's storage for the next opening.
//
// Field kinds come from the declared column types (a column without one, as
// in computed query columns, takes the kind of its first non-null value), so that the
// null rules by kind apply; BLOB columns are large fields. Text is turned
// into the system code page.
//
// Reading stops with a clear error past a stated limit of rows or bytes (a
// recursive query that never ends would otherwise take all memory), and
// leaves the folder as it was: no -wal or -shm file is made.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/data/data_limits.h"
#include "engine/data/record_list_source.h"

namespace vl {

class TvlSQLiteDataSource : public TvlRecordListSource {
 public:
  using TvlRecordListSource::TvlRecordListSource;

  std::string FileName;
  std::string TableName;
  std::string SQL;  // wins over TableName when not empty
  // More rows than this are refused at Open.
  std::size_t MaxRows = data_limits::kMaxRows;

  void Open() override;  // does nothing when already open
  void Close() override;

  const std::vector<TvlFieldDef>& FieldDefs() const override { return defs_; }
  using TvlDataSource::IsNull;
  using TvlDataSource::ReadValue;
  bool IsNull(int field) const override;
  void ReadValue(int field, TvlValue& out) const override;
  std::string_view DisplayText(int field) const override;

 protected:
  const std::string& SourceFile() const override { return FileName; }

 private:
  enum CellType : std::uint8_t { ctNull, ctInteger, ctFloat, ctText, ctBlob };
  struct Cell {
    std::uint64_t Bits = 0;  // integer, double bits, or arena offset
    std::uint32_t Length = 0;
    CellType Type = ctNull;
  };
  const Cell& At(int field) const;
  std::string_view Bytes(const Cell& c) const { return {arena_.data() + c.Bits, c.Length}; }
  [[noreturn]] void Fail(int messageId, const std::string& detail) const;

  std::vector<TvlFieldDef> defs_;
  std::vector<Cell> cells_;  // RecordCount() * defs_.size()
  std::string arena_;        // text and blob bytes of every cell
  mutable std::string display_;
};

// The tables and views of a SQLite file, in the order of their names;
// raises TvlError naming the file when it cannot be read.
std::vector<std::string> vlSQLiteTables(const std::string& fileName);

}  // namespace vl
