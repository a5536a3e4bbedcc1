#pragma once
// The datasets behind a report's data dictionary: resolves the dictionary's
// field references among the components of the report's owner (and of the
// other forms and data modules), reads bound fields and lists datasets,
// fields and band data sources for the designer.
//
// Whoever holds the report creates one next to it and plugs it into the
// report's dictionary (the constructor does so); the band code sets
// DefaultDataSet to the current band's default source while it prints.
// Sources the dictionary has bound are watched: when one is destroyed the
// dictionary forgets its bindings, so a cached name never reads a dead source.

#include <functional>
#include <unordered_map>

#include "engine/data/components.h"
#include "engine/data/data_source.h"
#include "engine/model/data_dictionary.h"
#include "engine/model/field_resolver.h"

namespace vl {

class TvlDictionaryFields : public TvlComponent, public TvlFieldResolver {
 public:
  // Plugs itself into dictionary. reportOwner: the component whose
  // components plain names find (may be nullptr).
  TvlDictionaryFields(TvlDataDictionary& dictionary, TvlComponent* reportOwner);
  ~TvlDictionaryFields() override;

  // The current band's default source (nullptr: none); unset means none.
  std::function<TvlDataSource*()> DefaultDataSet;

  TvlFieldBinding ResolveField(const std::string& reference) override;
  TvlValue ReadField(TvlFieldBinding& binding) override;
  bool FieldExists(const std::string& reference) override;
  std::vector<std::string> DataSetNames() override;
  std::vector<std::string> FieldNames(const std::string& dataSet) override;
  std::vector<std::string> BandDataSourceNames() override;

 protected:
  void Notification(TvlComponent* other) override;

 private:
  void Watch(TvlDataSource* source);

  TvlComponent* reportOwner_ = nullptr;
  // Watched sources by their component address: when one goes, only its
  // address may be used.
  std::unordered_map<const TvlComponent*, const TvlDataSource*> watched_;
};

}  // namespace vl
