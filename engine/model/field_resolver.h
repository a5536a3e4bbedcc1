#pragma once
// What the data dictionary needs of the datasets. The datasets live in the
// data layer above the object model, so the dictionary reaches them through
// this interface, which the data layer implements over the report owner's
// components and the band being printed.

#include <string>
#include <vector>

#include "engine/core/value.h"

namespace vl {

class TvlDataDictionary;
// The data layer's external source; the dictionary only carries the pointer.
class TvlDataSource;

// A name bound to a field of an external source.
struct TvlFieldBinding {
  TvlDataSource* DataSet = nullptr;
  std::string Field;    // the source's own spelling of the field name
  int FieldIndex = -1;  // a hint for reading; the resolver checks it
  bool Bound() const noexcept { return DataSet != nullptr && !Field.empty(); }
};

class TvlFieldResolver {
 public:
  TvlFieldResolver() = default;
  TvlFieldResolver(const TvlFieldResolver&) = delete;
  TvlFieldResolver& operator=(const TvlFieldResolver&) = delete;
  // Unplugs from the dictionary it serves, which then forgets its bindings.
  virtual ~TvlFieldResolver();

  // The field a dataset-and-field reference names, a one-part reference
  // naming a field of the current band's default dataset. Unbound when the
  // reference names no field; errors of opening a source pass through.
  virtual TvlFieldBinding ResolveField(const std::string& reference) = 0;
  // The bound field's value as report texts see it (the null rules by field
  // kind), opening the source first when it is closed.
  virtual TvlValue ReadField(TvlFieldBinding& binding) = 0;
  // Whether a dataset-and-field reference (without a default dataset) still
  // names a field. A source that cannot be opened counts as existing, so
  // that a missing file does not cost the dictionary its entries.
  virtual bool FieldExists(const std::string& reference) = 0;

  // Paths of the external datasets the application offers, sorted.
  virtual std::vector<std::string> DataSetNames() = 0;
  // Field names of the external dataset at a path, in column order; empty
  // when it cannot be found or opened.
  virtual std::vector<std::string> FieldNames(const std::string& dataSet) = 0;
  // Paths of the band data sources (TvlDataset components), sorted.
  virtual std::vector<std::string> BandDataSourceNames() = 0;

  TvlDataDictionary* Dictionary() const noexcept { return dictionary_; }

 protected:
  // A source is going away: the dictionary drops the bindings to it.
  void ForgetDataSet(const TvlDataSource* dataSet);

 private:
  friend class TvlDataDictionary;
  TvlDataDictionary* dictionary_ = nullptr;
};

}  // namespace vl
