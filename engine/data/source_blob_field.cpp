#include "engine/data/source_blob_field.h"

#include <sstream>

namespace vl {

bool TvlSourceBlobField::IsNull() const {
  return field_ < 0 || static_cast<std::size_t>(field_) >= source_.FieldDefs().size() || source_.IsNull(field_);
}

std::string TvlSourceBlobField::Content() const {
  if (IsNull()) return {};
  std::ostringstream out;
  source_.SaveBlobToStream(field_, out);
  return std::move(out).str();
}

}  // namespace vl
