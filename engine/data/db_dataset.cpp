#include "engine/data/db_dataset.h"

#include "engine/core/error.h"
#include "engine/core/string_table.h"

namespace vl {

TvlDBDataSet::~TvlDBDataSet() {
  if (bookmark_ && bookmarkSource_) bookmarkSource_->FreeBookmark(bookmark_);
}

void TvlDBDataSet::SetDataSet(TvlDataSource* source) {
  TvlComponent* oldSet = dataSet_;
  TvlComponent* oldLink = dataSource_;
  dataSet_ = source;
  if (source) dataSource_ = nullptr;
  Unwatch(oldSet);
  Unwatch(oldLink);
  FreeNotification(dataSet_);
}

void TvlDBDataSet::SetDataSource(TvlDataLink* link) {
  TvlComponent* oldSet = dataSet_;
  TvlComponent* oldLink = dataSource_;
  dataSource_ = link;
  if (link) dataSet_ = nullptr;
  Unwatch(oldSet);
  Unwatch(oldLink);
  FreeNotification(dataSource_);
}

TvlDataSource* TvlDBDataSet::GetDataSet() const noexcept {
  if (dataSource_ && dataSource_->DataSet()) return dataSource_->DataSet();
  return dataSet_;
}

TvlDataSource& TvlDBDataSet::Source() const {
  TvlDataSource* d = GetDataSet();
  if (!d) throw TvlError(vlLoadStr(str::kUnableToOpenDataset) + Name());
  return *d;
}

void TvlDBDataSet::Init() {
  TvlDataSource& d = Source();
  if (OpenDataSource) d.Open();
  if (OnOpen) OnOpen(*this);
  ReleaseBookmark();  // a second init must not leak the first one's position
  if (RangeBegin == rbCurrent || RangeEnd == reCurrent) {
    bookmark_ = d.GetBookmark();
    bookmarkSource_ = &d;
    FreeNotification(bookmarkSource_);
  }
  eof_ = false;
}

void TvlDBDataSet::Exit() {
  // Exit runs when a band is torn down, so a dataset whose source has gone
  // meanwhile only forgets its remembered position instead of failing.
  if (bookmark_ && bookmarkSource_ && bookmarkSource_->Active()) {
    bookmarkSource_->GotoBookmark(bookmark_);
  }
  ReleaseBookmark();
  TvlDataSource* d = GetDataSet();
  if (!d) return;
  if (OnClose) OnClose(*this);
  if (CloseDataSource) d->Close();
}

void TvlDBDataSet::First() {
  TvlDataSource& d = Source();
  if (RangeBegin == rbFirst)
    d.First();
  else if (bookmark_ && bookmarkSource_ == &d)
    d.GotoBookmark(bookmark_);
  eof_ = false;
  TvlDataset::First();
}

void TvlDBDataSet::Next() {
  TvlDataSource& d = Source();
  eof_ = false;
  if (RangeEnd == reCurrent && bookmark_ && bookmarkSource_ == &d) {
    const TvlBookmark here = d.GetBookmark();
    const bool atEnd = d.CompareBookmarks(here, bookmark_) == 0;
    d.FreeBookmark(here);
    if (atEnd) {
      eof_ = true;
      CountStep();
      return;
    }
  }
  d.Next();
  TvlDataset::Next();
}

void TvlDBDataSet::Prior() {
  Source().Prior();
  TvlDataset::Prior();
}

bool TvlDBDataSet::Eof() {
  TvlDataSource& d = Source();
  return TvlDataset::Eof() || d.Eof() || eof_;
}

void TvlDBDataSet::ReleaseBookmark() {
  if (bookmark_ && bookmarkSource_) bookmarkSource_->FreeBookmark(bookmark_);
  bookmark_ = 0;
  TvlComponent* old = bookmarkSource_;
  bookmarkSource_ = nullptr;
  Unwatch(old);
}

void TvlDBDataSet::Notification(TvlComponent* other) {
  if (other == dataSet_) dataSet_ = nullptr;
  if (other == dataSource_) dataSource_ = nullptr;
  if (other == bookmarkSource_) {
    bookmarkSource_ = nullptr;
    bookmark_ = 0;
  }
}

void TvlDBDataSet::Unwatch(TvlComponent* c) {
  if (c && c != dataSet_ && c != dataSource_ && c != bookmarkSource_) RemoveFreeNotification(c);
}

}  // namespace vl
