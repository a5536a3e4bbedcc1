#include "engine/labels/leading_blanks.h"

#include "engine/data/db_dataset.h"

namespace vl {
namespace {

// Bookmarks of the inner source carry this bit; empty records are 1..blanks.
constexpr TvlBookmark kInnerBit = TvlBookmark{1} << 63;

}  // namespace

TvlLeadingBlanksSource::TvlLeadingBlanksSource(std::string name, TvlDataSource& inner, int blanks)
    : TvlForwardingSource(std::move(name), inner), blanks_(blanks < 0 ? 0 : blanks) {}

TvlLeadingBlanksSource::~TvlLeadingBlanksSource() = default;

void TvlLeadingBlanksSource::Open() {
  const bool wasOpen = In().Active();
  In().Open();
  if (!wasOpen) First();
}
void TvlLeadingBlanksSource::First() {
  blank_ = 0;
  In().First();
}

void TvlLeadingBlanksSource::Next() {
  if (!OnBlank()) return In().Next();
  // The inner source stands on its first record from First on.
  ++blank_;
}

void TvlLeadingBlanksSource::Prior() {
  if (OnBlank()) {
    if (blank_ > 0) --blank_;
    return;
  }
  // From the inner source's first record back onto the last empty one.
  TvlDataSource& in = In();
  const TvlBookmark before = in.GetBookmark();
  in.Prior();
  const TvlBookmark after = in.GetBookmark();
  if (blanks_ > 0 && in.CompareBookmarks(before, after) == 0) blank_ = blanks_ - 1;
  in.FreeBookmark(before);
  in.FreeBookmark(after);
}

bool TvlLeadingBlanksSource::Eof() const { return !OnBlank() && In().Eof(); }

TvlBookmark TvlLeadingBlanksSource::GetBookmark() {
  if (OnBlank()) return static_cast<TvlBookmark>(blank_) + 1;
  const TvlBookmark inner = In().GetBookmark();
  return inner == 0 ? 0 : (inner | kInnerBit);
}

void TvlLeadingBlanksSource::GotoBookmark(TvlBookmark b) {
  if (b == 0) return;
  if (b & kInnerBit) {
    blank_ = blanks_;
    In().GotoBookmark(b & ~kInnerBit);
  } else if (b <= static_cast<TvlBookmark>(blanks_)) {
    blank_ = static_cast<int>(b - 1);
  }
}

void TvlLeadingBlanksSource::FreeBookmark(TvlBookmark b) {
  if (b & kInnerBit) TvlForwardingSource::FreeBookmark(b & ~kInnerBit);
}

int TvlLeadingBlanksSource::CompareBookmarks(TvlBookmark a, TvlBookmark b) const {
  const bool innerA = (a & kInnerBit) != 0, innerB = (b & kInnerBit) != 0;
  if (innerA && innerB) return In().CompareBookmarks(a & ~kInnerBit, b & ~kInnerBit);
  if (innerA != innerB) return innerA ? 1 : -1;
  return a < b ? -1 : (a > b ? 1 : 0);
}

bool TvlLeadingBlanksSource::IsNull(int field) const { return OnBlank() || In().IsNull(field); }

void TvlLeadingBlanksSource::ReadValue(int field, TvlValue& out) const {
  if (OnBlank()) {
    out = TvlValue();
    return;
  }
  In().ReadValue(field, out);
}

std::string_view TvlLeadingBlanksSource::DisplayText(int field) const {
  return OnBlank() ? std::string_view() : In().DisplayText(field);
}

void TvlLeadingBlanksSource::SaveBlobToStream(int field, std::ostream& out) const {
  if (!OnBlank()) In().SaveBlobToStream(field, out);
}

TvlLeadingBlanks::TvlLeadingBlanks(TvlDBDataSet& dataset, int blanks) : dataset_(dataset) {
  TvlDataSource* inner = dataset.GetDataSet();
  if (blanks < 1 || !inner) return;
  source_ = std::make_unique<TvlLeadingBlanksSource>(inner->Name(), *inner, blanks);
  dataset.SetDataSet(source_.get());
}

TvlLeadingBlanks::~TvlLeadingBlanks() {
  if (source_ && dataset_.GetDataSet() == source_.get() && source_->Inner()) dataset_.SetDataSet(source_->Inner());
}

}  // namespace vl
