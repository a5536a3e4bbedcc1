#include "engine/data/record_list_source.h"

#include "engine/core/error.h"
#include "engine/core/string_table.h"

namespace vl {

void TvlRecordListSource::SetOpen(std::size_t count) {
  count_ = count;
  pos_ = 0;
  eof_ = count == 0;
  active_ = true;
  RecordChanged();
}

void TvlRecordListSource::SetClosed() {
  active_ = false;
  count_ = pos_ = 0;
  eof_ = true;
}

void TvlRecordListSource::CheckOpen() const {
  if (!active_) throw TvlError(vlLoadStr(str::kSourceNotOpen) + Name() + " (" + SourceFile() + ")");
}

void TvlRecordListSource::First() {
  CheckOpen();
  pos_ = 0;
  eof_ = count_ == 0;
  RecordChanged();
}

void TvlRecordListSource::Next() {
  CheckOpen();
  if (pos_ + 1 < count_) {
    ++pos_;
    RecordChanged();
  } else {
    eof_ = true;
  }
}

void TvlRecordListSource::Prior() {
  CheckOpen();
  if (count_ == 0) return;
  eof_ = false;
  if (pos_ > 0) {
    --pos_;
    RecordChanged();
  }
}

TvlBookmark TvlRecordListSource::GetBookmark() {
  CheckOpen();
  return count_ == 0 ? 0 : pos_ + 1;
}

void TvlRecordListSource::GotoBookmark(TvlBookmark b) {
  CheckOpen();
  if (b == 0 || b > count_) throw TvlError(vlLoadStr(str::kBadPosition) + Name() + " (" + SourceFile() + ")");
  pos_ = static_cast<std::size_t>(b - 1);
  eof_ = false;
  RecordChanged();
}

void TvlRecordListSource::SaveBlobToStream(int field, std::ostream& out) const {
  const std::string_view bytes = DisplayText(field);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

int TvlRecordListSource::CompareBookmarks(TvlBookmark a, TvlBookmark b) const {
  return a < b ? -1 : a > b ? 1 : 0;
}

}  // namespace vl
