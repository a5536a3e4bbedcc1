#pragma once
// The tagged value every computed thing in the engine is exchanged as:
// expressions, variables, accumulators and object properties.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vl {

enum class TvlValueKind : std::uint8_t {
  Empty,     // nothing assigned
  Null,
  Integer,   // 32-bit signed
  Float,     // 64-bit IEEE double
  Boolean,
  DateTime,  // day count from 30 December 1899, time of day in the fraction
  String,    // bytes in the system code page
  Array,     // ordered values (enumeration values, script arrays passed as one)
};

class TvlValue {
 public:
  using ArrayType = std::vector<TvlValue>;

  TvlValue() noexcept : kind_(TvlValueKind::Empty), i_(0) {}
  TvlValue(std::int32_t v) noexcept : kind_(TvlValueKind::Integer), i_(v) {}  // NOLINT: implicit by design
  TvlValue(double v) noexcept : kind_(TvlValueKind::Float), d_(v) {}          // NOLINT
  TvlValue(bool v) noexcept : kind_(TvlValueKind::Boolean), b_(v) {}          // NOLINT
  TvlValue(std::string v) : kind_(TvlValueKind::String), i_(0), s_(std::move(v)) {}  // NOLINT
  TvlValue(const char* v) : kind_(TvlValueKind::String), i_(0), s_(v) {}      // NOLINT

  static TvlValue Null() noexcept { TvlValue v; v.kind_ = TvlValueKind::Null; return v; }
  static TvlValue DateTime(double days) noexcept {
    TvlValue v(days); v.kind_ = TvlValueKind::DateTime; return v;
  }
  static TvlValue Array(ArrayType items);

  TvlValueKind Kind() const noexcept { return kind_; }
  bool IsEmpty() const noexcept { return kind_ == TvlValueKind::Empty; }
  bool IsNull() const noexcept { return kind_ == TvlValueKind::Null; }
  bool IsNullOrEmpty() const noexcept { return kind_ <= TvlValueKind::Null; }
  bool IsString() const noexcept { return kind_ == TvlValueKind::String; }
  bool IsArray() const noexcept { return kind_ == TvlValueKind::Array; }
  // Integer, floating or date-time.
  bool IsNumeric() const noexcept {
    return kind_ == TvlValueKind::Integer || kind_ == TvlValueKind::Float ||
           kind_ == TvlValueKind::DateTime;
  }

  // Raw accessors: valid only for the matching kind.
  std::int32_t Int() const noexcept { return i_; }
  double Float() const noexcept { return d_; }
  bool Bool() const noexcept { return b_; }
  const std::string& Str() const noexcept { return s_; }
  std::string& Str() noexcept { return s_; }
  const ArrayType& Items() const;

  // Exact equality of kind and content (not the evaluator's comparison rules).
  bool SameAs(const TvlValue& other) const;

 private:
  TvlValueKind kind_;
  union {
    std::int32_t i_;
    double d_;
    bool b_;
  };
  std::string s_;
  std::shared_ptr<const ArrayType> items_;
};

}  // namespace vl
