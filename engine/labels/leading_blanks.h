#pragma once
// "Start at label N": a dataset shows N - 1 empty records before its own, so
// that the labels already used on a partly used sheet stay empty and the
// first address prints on label N. The empty records read every field as
// null (an empty text).

#include <memory>

#include "engine/data/forwarding_source.h"

namespace vl {

class TvlDBDataSet;

class TvlLeadingBlanksSource : public TvlForwardingSource {
 public:
  // inner must outlive this source or be destroyed as a component.
  TvlLeadingBlanksSource(std::string name, TvlDataSource& inner, int blanks);
  ~TvlLeadingBlanksSource() override;

  int Blanks() const noexcept { return blanks_; }

  // The cursor walks the empty records first; on them every field is null.
  void Open() override;
  void First() override;
  void Next() override;
  void Prior() override;
  bool Eof() const override;
  TvlBookmark GetBookmark() override;
  void GotoBookmark(TvlBookmark b) override;
  void FreeBookmark(TvlBookmark b) override;
  int CompareBookmarks(TvlBookmark a, TvlBookmark b) const override;
  bool IsNull(int field) const override;
  void ReadValue(int field, TvlValue& out) const override;
  std::string_view DisplayText(int field) const override;
  void SaveBlobToStream(int field, std::ostream& out) const override;
  using TvlDataSource::IsNull;
  using TvlDataSource::ReadValue;

 private:
  bool OnBlank() const { return blank_ < blanks_; }

  int blanks_;
  int blank_ = 0;  // the current empty record; blanks_ when the inner source's record is current
};

// Puts the empty records before dataset's source for as long as the object
// lives (nothing for blanks < 1); the dataset's own source is back afterwards.
class TvlLeadingBlanks {
 public:
  TvlLeadingBlanks(TvlDBDataSet& dataset, int blanks);
  ~TvlLeadingBlanks();
  TvlLeadingBlanks(const TvlLeadingBlanks&) = delete;
  TvlLeadingBlanks& operator=(const TvlLeadingBlanks&) = delete;

 private:
  TvlDBDataSet& dataset_;
  std::unique_ptr<TvlLeadingBlanksSource> source_;
};

}  // namespace vl
