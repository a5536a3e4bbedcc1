#include "engine/data/data_source.h"

#include "engine/core/text.h"

namespace vl {

int TvlDataSource::FieldIndex(std::string_view name) const {
  const auto& defs = FieldDefs();
  for (std::size_t k = 0; k < defs.size(); ++k)
    if (vlSameText(defs[k].Name, name)) return static_cast<int>(k);
  return -1;
}

std::vector<std::string> TvlDataSource::FieldNames() const {
  std::vector<std::string> names;
  for (const auto& d : FieldDefs()) names.push_back(d.Name);
  return names;
}

bool TvlDataSource::IsNull(std::string_view name) const {
  const int k = FieldIndex(name);
  return k < 0 || IsNull(k);
}

void TvlDataSource::ReadValue(std::string_view name, TvlValue& out) const {
  const int k = FieldIndex(name);
  if (k < 0) {
    out = TvlValue::Null();
    return;
  }
  ReadValue(k, out);
}

void vlAssignText(TvlValue& out, std::string_view text) {
  if (out.IsString())
    out.Str().assign(text.data(), text.size());
  else
    out = TvlValue(std::string(text));
}

void vlFieldValue(const TvlDataSource& source, int field, TvlValue& out) {
  const TvlFieldDef& def = source.FieldDefs()[static_cast<std::size_t>(field)];
  if (source.IsNull(field)) {
    if (vlIsTextField(def.Kind))
      vlAssignText(out, {});
    else if (def.Kind == TvlFieldKind::fkBoolean)
      out = TvlValue(false);
    else
      out = TvlValue(std::int32_t{0});
    return;
  }
  if (def.HasTextHandler || def.Kind == TvlFieldKind::fkLargeInt)
    vlAssignText(out, source.DisplayText(field));
  else
    source.ReadValue(field, out);
}

TvlValue vlFieldValue(const TvlDataSource& source, int field) {
  TvlValue v;
  vlFieldValue(source, field, v);
  return v;
}

TvlValue vlReadField(TvlDataSource& source, std::string_view field) {
  if (!source.Active()) source.Open();
  const int k = source.FieldIndex(field);
  return k < 0 ? TvlValue::Null() : vlFieldValue(source, k);
}

TvlDataLink::~TvlDataLink() = default;

void TvlDataLink::SetDataSet(TvlDataSource* source) {
  if (source == dataSet_) return;
  RemoveFreeNotification(dataSet_);
  dataSet_ = source;
  FreeNotification(dataSet_);
}

void TvlDataLink::Notification(TvlComponent* other) {
  if (other == dataSet_) dataSet_ = nullptr;
}

}  // namespace vl
