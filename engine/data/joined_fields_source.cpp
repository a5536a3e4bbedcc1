#include "engine/data/joined_fields_source.h"

#include "engine/data/address_parts.h"

namespace vl {

TvlJoinedFieldsSource::TvlJoinedFieldsSource(std::string name, TvlDataSource& inner,
                                             std::vector<TvlJoinedField> joined)
    : TvlForwardingSource(std::move(name), inner), joined_(std::move(joined)) {}

TvlJoinedFieldsSource::~TvlJoinedFieldsSource() = default;

void TvlJoinedFieldsSource::Close() {
  defs_.clear();
  TvlForwardingSource::Close();
}

int TvlJoinedFieldsSource::InnerCount() const { return static_cast<int>(In().FieldDefs().size()); }

const std::vector<TvlFieldDef>& TvlJoinedFieldsSource::FieldDefs() const {
  const std::vector<TvlFieldDef>& inner = In().FieldDefs();
  // Rebuilt when the inner source has (re)read its columns.
  if (defs_.size() != inner.size() + joined_.size() ||
      (!inner.empty() && defs_.front().Name != inner.front().Name)) {
    defs_ = inner;
    for (const TvlJoinedField& j : joined_) defs_.push_back({j.Name, TvlFieldKind::fkString, false});
  }
  return defs_;
}

int TvlJoinedFieldsSource::DisplayWidth(int field) const {
  return field < InnerCount() ? In().DisplayWidth(field) : 0;
}

std::string TvlJoinedFieldsSource::DisplayName(int field) const {
  return field < InnerCount() ? In().DisplayName(field) : FieldDefs()[static_cast<std::size_t>(field)].Name;
}

const std::string& TvlJoinedFieldsSource::Joined(int field) const {
  const TvlJoinedField& j = joined_[static_cast<std::size_t>(field - InnerCount())];
  std::vector<TvlAddressPart> parts;
  for (const std::string& column : j.Columns) {
    const int k = In().FieldIndex(column);
    if (k >= 0) parts.push_back({vlAddressPartOf(column), std::string(In().DisplayText(k))});
  }
  text_ = vlJoinAddressParts(parts);
  return text_;
}

bool TvlJoinedFieldsSource::IsNull(int field) const {
  return field < InnerCount() ? In().IsNull(field) : false;
}

void TvlJoinedFieldsSource::ReadValue(int field, TvlValue& out) const {
  if (field < InnerCount()) return In().ReadValue(field, out);
  vlAssignText(out, Joined(field));
}

std::string_view TvlJoinedFieldsSource::DisplayText(int field) const {
  return field < InnerCount() ? In().DisplayText(field) : std::string_view(Joined(field));
}

void TvlJoinedFieldsSource::SaveBlobToStream(int field, std::ostream& out) const {
  if (field < InnerCount()) return In().SaveBlobToStream(field, out);
  out << Joined(field);
}

}  // namespace vl
