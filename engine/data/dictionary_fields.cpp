#include "engine/data/dictionary_fields.h"

#include <algorithm>

#include "engine/data/dataset.h"
#include "engine/data/db_dataset.h"
#include "engine/data/named_list.h"
#include "engine/data/dataset_names.h"
#include "engine/core/error.h"
#include "engine/core/text.h"

namespace vl {
namespace {

std::vector<std::string> SortedPaths(const TvlComponent* owner,
                                     const std::function<bool(const TvlComponent&)>& accept) {
  std::vector<std::string> names;
  for (TvlComponentPath& p : vlListComponents(owner, accept)) names.push_back(std::move(p.Path));
  std::stable_sort(names.begin(), names.end(),
                   [](const std::string& a, const std::string& b) { return vlCompareText(a, b) < 0; });
  return names;
}

}  // namespace

TvlDictionaryFields::TvlDictionaryFields(TvlDataDictionary& dictionary, TvlComponent* reportOwner)
    : reportOwner_(reportOwner) {
  if (reportOwner_) FreeNotification(reportOwner_);
  dictionary.SetFieldResolver(this);
}

TvlDictionaryFields::~TvlDictionaryFields() {
  // Unplug before the watches go, so that the dictionary holds no binding
  // to a source nobody watches any more.
  if (TvlDataDictionary* d = Dictionary()) d->SetFieldResolver(nullptr);
}

void TvlDictionaryFields::Watch(TvlDataSource* source) {
  if (watched_.emplace(source, source).second) FreeNotification(source);
}

void TvlDictionaryFields::Notification(TvlComponent* other) {
  if (other == reportOwner_) reportOwner_ = nullptr;
  auto it = watched_.find(other);
  if (it == watched_.end()) return;
  ForgetDataSet(it->second);
  watched_.erase(it);
}

TvlFieldBinding TvlDictionaryFields::ResolveField(const std::string& reference) {
  TvlDataSource* defaultSource = DefaultDataSet ? DefaultDataSet() : nullptr;
  const TvlFieldRef ref = vlGetDatasetAndField(reference, defaultSource, reportOwner_);
  TvlFieldBinding binding;
  if (!ref.Bound()) return binding;
  Watch(ref.DataSet);
  binding.DataSet = ref.DataSet;
  binding.Field = ref.Field;
  binding.FieldIndex = ref.FieldIndex;
  return binding;
}

TvlValue TvlDictionaryFields::ReadField(TvlFieldBinding& binding) {
  TvlDataSource& source = *binding.DataSet;
  if (!source.Active()) source.Open();
  // A source opened again may list its fields otherwise; the index is a hint.
  const std::vector<TvlFieldDef>& defs = source.FieldDefs();
  const auto index = static_cast<std::size_t>(binding.FieldIndex);
  if (binding.FieldIndex < 0 || index >= defs.size() || defs[index].Name != binding.Field)
    binding.FieldIndex = source.FieldIndex(binding.Field);
  if (binding.FieldIndex < 0) return TvlValue::Null();
  return vlFieldValue(source, binding.FieldIndex);
}

bool TvlDictionaryFields::FieldExists(const std::string& reference) {
  try {
    return vlGetDatasetAndField(reference, nullptr, reportOwner_).Bound();
  } catch (const TvlError&) {
    return true;  // the source cannot be opened now: keep what was stored
  }
}

std::vector<std::string> TvlDictionaryFields::DataSetNames() {
  // The programs put a named list on a form as a source "NAME_Source" and a
  // dataset NAME over it; the pair goes by NAME, which bands store and
  // --dataset NAME= binds: one name for one dataset.
  return SortedPaths(reportOwner_, [](const TvlComponent& c) {
    if (const auto* dataset = dynamic_cast<const TvlDBDataSet*>(&c))
      return dataset->GetDataSet() != nullptr && vlIsNamedListSource(*dataset->GetDataSet(), *dataset);
    const auto* source = dynamic_cast<const TvlDataSource*>(&c);
    if (!source) return false;
    if (const TvlComponent* owner = c.Owner())
      for (const auto& sibling : owner->Components())
        if (const auto* dataset = dynamic_cast<const TvlDBDataSet*>(sibling.get());
            dataset && dataset->GetDataSet() == source && vlIsNamedListSource(*source, *dataset))
          return false;
    return true;
  });
}

std::vector<std::string> TvlDictionaryFields::FieldNames(const std::string& dataSet) {
  try {
    TvlDataSource* source = vlSourceOf(vlFindComponentPath(dataSet, reportOwner_));
    if (!source) return {};
    if (!source->Active()) source->Open();
    return source->FieldNames();
  } catch (const TvlError&) {
    return {};  // the designer shows the dataset without fields
  }
}

std::vector<std::string> TvlDictionaryFields::BandDataSourceNames() {
  return SortedPaths(reportOwner_,
                     [](const TvlComponent& c) { return dynamic_cast<const TvlDataset*>(&c) != nullptr; });
}

}  // namespace vl
