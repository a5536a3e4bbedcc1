#pragma once
// A data source that holds its records in memory once it is open, numbered
// from 0: CSV, SQLite and vCard files are read whole at Open. The cursor and
// bookmark rules of data_source.h live here once; a bookmark is the record
// number plus 1.

#include <cstddef>
#include <string>

#include "engine/data/data_source.h"

namespace vl {

class TvlRecordListSource : public TvlDataSource {
 public:
  using TvlDataSource::TvlDataSource;

  bool Active() const override { return active_; }

  void First() override;
  void Next() override;
  void Prior() override;
  bool Eof() const override { return eof_; }

  TvlBookmark GetBookmark() override;
  void GotoBookmark(TvlBookmark b) override;
  void FreeBookmark(TvlBookmark) override {}
  int CompareBookmarks(TvlBookmark a, TvlBookmark b) const override;

  // Every field of these sources is a text or has one: its content is the
  // display text.
  void SaveBlobToStream(int field, std::ostream& out) const override;

  std::size_t RecordCount() const noexcept { return count_; }

 protected:
  // The source is open on count records, the first one current.
  void SetOpen(std::size_t count);
  void SetClosed();
  std::size_t Position() const noexcept { return pos_; }
  // True when a record is current (open and not empty).
  bool HasRecord() const noexcept { return active_ && count_ > 0; }
  // Raises "Data source is not open" naming the source and its file.
  void CheckOpen() const;
  // The file (or what stands for it) that messages name.
  virtual const std::string& SourceFile() const = 0;
  // The current record has changed.
  virtual void RecordChanged() {}

 private:
  std::size_t count_ = 0;
  std::size_t pos_ = 0;
  bool eof_ = true;
  bool active_ = false;
};

}  // namespace vl
