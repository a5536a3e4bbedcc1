#pragma once
// A data source that shows another one: every operation goes to the inner
// source. Sources that show another with something changed (fields added,
// records put before it) derive from it and override only that.

#include <string>
#include <vector>

#include "engine/data/data_source.h"

namespace vl {

class TvlForwardingSource : public TvlDataSource {
 public:
  // inner must outlive this source or be destroyed as a component (then
  // every operation raises "Data source is not open").
  TvlForwardingSource(std::string name, TvlDataSource& inner);
  ~TvlForwardingSource() override;

  TvlDataSource* Inner() const noexcept { return inner_; }

  void Open() override;
  void Close() override;
  bool Active() const override;
  void First() override;
  void Next() override;
  void Prior() override;
  bool Eof() const override;
  TvlBookmark GetBookmark() override;
  void GotoBookmark(TvlBookmark b) override;
  void FreeBookmark(TvlBookmark b) override;
  int CompareBookmarks(TvlBookmark a, TvlBookmark b) const override;

  const std::vector<TvlFieldDef>& FieldDefs() const override;
  int DisplayWidth(int field) const override;
  std::string DisplayName(int field) const override;

  using TvlDataSource::IsNull;
  using TvlDataSource::ReadValue;
  bool IsNull(int field) const override;
  void ReadValue(int field, TvlValue& out) const override;
  std::string_view DisplayText(int field) const override;
  void SaveBlobToStream(int field, std::ostream& out) const override;

 protected:
  void Notification(TvlComponent* other) override;
  // The inner source; raises when it is gone.
  TvlDataSource& In() const;

 private:
  TvlDataSource* inner_;
};

}  // namespace vl
