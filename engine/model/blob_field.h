#pragma once
// A database field as views read their content from it (picture and text
// views load a bound field's bytes). The dataset layer lies above the object
// model, so it hands the views this small interface over one of its fields.

#include <cstdint>
#include <string>

namespace vl {

class TvlBlobField {
 public:
  virtual ~TvlBlobField() = default;
  virtual bool IsNull() const = 0;
  // The field's whole content: the bytes of a large field, the display text
  // of any other; empty for a null field.
  virtual std::string Content() const = 0;
};

}  // namespace vl
