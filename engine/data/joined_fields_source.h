#pragma once
// A data source that shows another one with a few fields added, each the
// join of some of its columns as one address (address_parts.h): how an
// address split over province, city and street columns reaches an envelope
// variable through one field reference. Cursor, bookmarks and the columns
// themselves are the inner source's. inner must outlive this source or be
// destroyed as a component (then every operation raises "Data source is not
// open").

#include <string>
#include <vector>

#include "engine/data/forwarding_source.h"

namespace vl {

struct TvlJoinedField {
  std::string Name;                  // the added field's name
  std::vector<std::string> Columns;  // the inner source's columns, in order
};

class TvlJoinedFieldsSource : public TvlForwardingSource {
 public:
  TvlJoinedFieldsSource(std::string name, TvlDataSource& inner, std::vector<TvlJoinedField> joined);
  ~TvlJoinedFieldsSource() override;

  void Close() override;
  const std::vector<TvlFieldDef>& FieldDefs() const override;
  int DisplayWidth(int field) const override;
  std::string DisplayName(int field) const override;

  using TvlDataSource::IsNull;
  using TvlDataSource::ReadValue;
  bool IsNull(int field) const override;
  void ReadValue(int field, TvlValue& out) const override;
  std::string_view DisplayText(int field) const override;
  void SaveBlobToStream(int field, std::ostream& out) const override;

 private:
  // The inner field count; fields from there on are joined ones.
  int InnerCount() const;
  const std::string& Joined(int field) const;

  std::vector<TvlJoinedField> joined_;
  mutable std::vector<TvlFieldDef> defs_;
  mutable std::string text_;
};

}  // namespace vl
