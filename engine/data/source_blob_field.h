#pragma once
// One field of the current record of a data source, as picture and text
// views read their bound content (the object model's TvlBlobField).

#include <string>
#include <string_view>

#include "engine/data/data_source.h"
#include "engine/model/blob_field.h"

namespace vl {

class TvlSourceBlobField : public TvlBlobField {
 public:
  // A field the source does not list reads as null.
  TvlSourceBlobField(const TvlDataSource& source, std::string_view fieldName)
      : source_(source), field_(source.FieldIndex(fieldName)) {}
  TvlSourceBlobField(const TvlDataSource& source, int field) : source_(source), field_(field) {}

  bool IsNull() const override;
  std::string Content() const override;

 private:
  const TvlDataSource& source_;
  int field_;
};

}  // namespace vl
