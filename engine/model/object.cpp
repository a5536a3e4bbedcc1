#include "engine/model/object.h"

#include "engine/core/text.h"
#include "engine/model/codes.h"

namespace vl {

TvlObject::~TvlObject() = default;

void TvlObject::SetProperty(const std::string&, const TvlValue&) {}
TvlValue TvlObject::GetProperty(const std::string&) { return TvlValue::Null(); }
TvlValue TvlObject::CallMethod(const std::string&, const TvlValue&, const TvlValue&, const TvlValue&) {
  return TvlValue::Null();
}
void TvlObject::DeclareProperties() {}

void TvlObject::AddProperty(const std::string& name, std::uint16_t kind, TvlPropEditor editor,
                            TvlObject* editorOwner) {
  auto rec = std::make_unique<TvlPropRec>();
  rec->Name = name.substr(0, TvlPropRec::kMaxNameLength);
  rec->Kind = kind;
  rec->Editor = std::move(editor);
  rec->EditorOwner = editorOwner;
  props_.push_back(std::move(rec));
}

void TvlObject::AddEnumProperty(const std::string& name, const std::string& names,
                                const TvlValue& values) {
  std::vector<TvlValue> items;
  if (values.IsArray()) items = values.Items();
  else items.push_back(values);
  AddEnumProperty(name, names, std::move(items));
}

void TvlObject::AddEnumProperty(const std::string& name, const std::string& names,
                                std::vector<TvlValue> values) {
  AddProperty(name, ptEnum);
  TvlPropRec& rec = *props_.back();
  rec.EnumNames = vlSplit(names, ';');
  if (!values.empty() && !values.front().IsNull()) rec.EnumValues = TvlValue::Array(std::move(values));
}

TvlPropRec* TvlObject::FindProperty(const std::string& name) {
  for (const auto& p : props_)
    if (vlSameText(p->Name, name)) return p.get();
  return nullptr;
}

void TvlObject::ClearProperties() { props_.clear(); }

void TvlObject::EnsureProperties() {
  if (props_.empty()) DeclareProperties();
}

}  // namespace vl
