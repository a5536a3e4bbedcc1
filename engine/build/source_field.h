#pragma once
// A field of a source's current record as a view's bound data field, from
// which text and picture views load their content before printing.

#include "engine/build/data_source.h"
#include "engine/model/view_support.h"

namespace vl {

class TvlSourceField : public TvlBlobField {
 public:
  // The source must be open and outlive this field; 0 <= field < its field count.
  TvlSourceField(const TvlDataSource& source, int field) : source_(source), field_(field) {}
  bool IsNull() const override { return source_.IsNull(field_); }
  TvlValue Value() const override { return vlFieldValue(source_, field_); }
  void SaveToStream(std::ostream& out) const override { source_.SaveBlobToStream(field_, out); }

 private:
  const TvlDataSource& source_;
  int field_;
};

}  // namespace vl
