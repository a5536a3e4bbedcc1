#include "engine/core/value.h"

namespace vl {

TvlValue TvlValue::Array(ArrayType items) {
  TvlValue v;
  v.kind_ = TvlValueKind::Array;
  v.items_ = std::make_shared<const ArrayType>(std::move(items));
  return v;
}

const TvlValue::ArrayType& TvlValue::Items() const {
  static const ArrayType none;
  return items_ ? *items_ : none;
}

bool TvlValue::SameAs(const TvlValue& other) const {
  if (kind_ != other.kind_) return false;
  switch (kind_) {
    case TvlValueKind::Empty:
    case TvlValueKind::Null: return true;
    case TvlValueKind::Integer: return i_ == other.i_;
    case TvlValueKind::Float:
    case TvlValueKind::DateTime: return d_ == other.d_;
    case TvlValueKind::Boolean: return b_ == other.b_;
    case TvlValueKind::String: return s_ == other.s_;
    case TvlValueKind::Array: {
      const ArrayType& a = Items();
      const ArrayType& b = other.Items();
      if (a.size() != b.size()) return false;
      for (std::size_t k = 0; k < a.size(); ++k)
        if (!a[k].SameAs(b[k])) return false;
      return true;
    }
  }
  return false;
}

}  // namespace vl
