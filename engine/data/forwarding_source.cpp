#include "engine/data/forwarding_source.h"
#include "engine/core/project_texts.h"

#include "engine/core/error.h"

namespace vl {

TvlForwardingSource::TvlForwardingSource(std::string name, TvlDataSource& inner)
    : TvlDataSource(std::move(name)), inner_(&inner) {
  FreeNotification(inner_);
}

TvlForwardingSource::~TvlForwardingSource() = default;

void TvlForwardingSource::Notification(TvlComponent* other) {
  if (other == inner_) inner_ = nullptr;
}

TvlDataSource& TvlForwardingSource::In() const {
  if (!inner_) throw TvlError(vlTr("Data source is not open: %1", {Name()}));
  return *inner_;
}

void TvlForwardingSource::Open() { In().Open(); }
void TvlForwardingSource::Close() {
  if (inner_) inner_->Close();
}
bool TvlForwardingSource::Active() const { return inner_ && inner_->Active(); }
void TvlForwardingSource::First() { In().First(); }
void TvlForwardingSource::Next() { In().Next(); }
void TvlForwardingSource::Prior() { In().Prior(); }
bool TvlForwardingSource::Eof() const { return In().Eof(); }
TvlBookmark TvlForwardingSource::GetBookmark() { return In().GetBookmark(); }
void TvlForwardingSource::GotoBookmark(TvlBookmark b) { In().GotoBookmark(b); }
void TvlForwardingSource::FreeBookmark(TvlBookmark b) {
  if (inner_) inner_->FreeBookmark(b);
}
int TvlForwardingSource::CompareBookmarks(TvlBookmark a, TvlBookmark b) const { return In().CompareBookmarks(a, b); }

const std::vector<TvlFieldDef>& TvlForwardingSource::FieldDefs() const { return In().FieldDefs(); }
int TvlForwardingSource::DisplayWidth(int field) const { return In().DisplayWidth(field); }
std::string TvlForwardingSource::DisplayName(int field) const { return In().DisplayName(field); }
bool TvlForwardingSource::IsNull(int field) const { return In().IsNull(field); }
void TvlForwardingSource::ReadValue(int field, TvlValue& out) const { In().ReadValue(field, out); }
std::string_view TvlForwardingSource::DisplayText(int field) const { return In().DisplayText(field); }
void TvlForwardingSource::SaveBlobToStream(int field, std::ostream& out) const { In().SaveBlobToStream(field, out); }

}  // namespace vl
