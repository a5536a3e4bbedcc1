#include "engine/core/value_ops.h"

#include <cstdint>
#include <limits>

#include "engine/core/error.h"
#include "engine/core/text.h"
#include "engine/core/value_convert.h"

namespace vl {
namespace {

enum class NumKind : std::uint8_t { Int, Float, Date };

struct Num {
  NumKind Kind;
  std::int64_t I;
  double D;
};

[[noreturn]] void InvalidOperation() { throw TvlError("Invalid variant operation"); }

// The numeric reading of a value that is not null.
Num ToNum(const TvlValue& v) {
  switch (v.Kind()) {
    case TvlValueKind::Integer: return {NumKind::Int, v.Int(), static_cast<double>(v.Int())};
    case TvlValueKind::Boolean: return {NumKind::Int, v.Bool() ? -1 : 0, v.Bool() ? -1.0 : 0.0};
    case TvlValueKind::Empty: return {NumKind::Int, 0, 0.0};
    case TvlValueKind::Float: return {NumKind::Float, 0, v.Float()};
    case TvlValueKind::DateTime: return {NumKind::Date, 0, v.Float()};
    case TvlValueKind::String: return {NumKind::Float, 0, vlValueToFloat(v)};
    case TvlValueKind::Null:
    case TvlValueKind::Array: break;
  }
  InvalidOperation();
}

void SetInteger(TvlValue& a, std::int64_t r) {
  if (r >= std::numeric_limits<std::int32_t>::min() && r <= std::numeric_limits<std::int32_t>::max())
    vlReplaceValue(a, TvlValue(static_cast<std::int32_t>(r)));
  else
    vlReplaceValue(a, TvlValue(static_cast<double>(r)));
}

bool EitherNull(TvlValue& a, const TvlValue& b) {
  if (!a.IsNull() && !b.IsNull()) return false;
  vlReplaceValue(a, TvlValue::Null());
  return true;
}

void Arithmetic(char op, TvlValue& a, const TvlValue& b) {
  if (EitherNull(a, b)) return;
  const Num x = ToNum(a);
  const Num y = ToNum(b);
  if (x.Kind == NumKind::Int && y.Kind == NumKind::Int) {
    SetInteger(a, op == '+' ? x.I + y.I : op == '-' ? x.I - y.I : x.I * y.I);
    return;
  }
  const double r = op == '+' ? x.D + y.D : op == '-' ? x.D - y.D : x.D * y.D;
  const bool anyDate = x.Kind == NumKind::Date || y.Kind == NumKind::Date;
  const bool bothDates = x.Kind == NumKind::Date && y.Kind == NumKind::Date;
  if (op == '+' && anyDate) vlReplaceValue(a, TvlValue::DateTime(r));
  else if (op == '-' && anyDate && !bothDates) vlReplaceValue(a, TvlValue::DateTime(r));
  else vlReplaceValue(a, TvlValue(r));
}

// "True"/"False" in any case, for logic between a boolean and a text.
bool IsBooleanText(const TvlValue& v) {
  return v.IsString() && (vlSameText(v.Str(), "True") || vlSameText(v.Str(), "False"));
}

void Logic(bool isAnd, TvlValue& a, const TvlValue& b) {
  if (EitherNull(a, b)) return;
  const bool aBool = a.Kind() == TvlValueKind::Boolean;
  const bool bBool = b.Kind() == TvlValueKind::Boolean;
  if ((aBool && (bBool || IsBooleanText(b))) || (bBool && IsBooleanText(a))) {
    const bool x = vlValueToBool(a), y = vlValueToBool(b);
    vlReplaceValue(a, TvlValue(isAnd ? (x && y) : (x || y)));
    return;
  }
  const std::int32_t x = vlValueToInteger(a), y = vlValueToInteger(b);
  vlReplaceValue(a, TvlValue(isAnd ? (x & y) : (x | y)));
}

int Sign(double x, double y) { return x < y ? -1 : (x > y ? 1 : 0); }

}  // namespace

void vlValueAdd(TvlValue& a, const TvlValue& b) {
  // Texts join; empty beside a text is the empty text.
  if (a.IsString() && (b.IsString() || b.IsEmpty())) {
    if (!b.IsString()) return;
    if (b.Str().size() > kMaxTextBytes - a.Str().size()) throw TvlError(kTextTooLong);
    a.Str() += b.Str();
    return;
  }
  if (a.IsEmpty() && b.IsString()) {
    a = b;
    return;
  }
  Arithmetic('+', a, b);
}

void vlValueSubtract(TvlValue& a, const TvlValue& b) { Arithmetic('-', a, b); }
void vlValueMultiply(TvlValue& a, const TvlValue& b) { Arithmetic('*', a, b); }

void vlValueDivide(TvlValue& a, const TvlValue& b) {
  if (EitherNull(a, b)) return;
  const double x = ToNum(a).D, y = ToNum(b).D;
  if (y == 0) vlReplaceValue(a, TvlValue(0));
  else vlReplaceValue(a, TvlValue(x / y));
}

void vlValueMod(TvlValue& a, const TvlValue& b) {
  if (EitherNull(a, b)) return;
  const std::int64_t x = vlValueToInteger(a), y = vlValueToInteger(b);
  // Widened so that the smallest integer MOD -1 cannot trap.
  SetInteger(a, y == 0 ? 0 : x % y);
}

void vlValueAnd(TvlValue& a, const TvlValue& b) { Logic(true, a, b); }
void vlValueOr(TvlValue& a, const TvlValue& b) { Logic(false, a, b); }

void vlValueNegate(TvlValue& a) {
  switch (a.Kind()) {
    case TvlValueKind::Null: return;
    case TvlValueKind::Float: vlReplaceValue(a, TvlValue(-a.Float())); return;
    case TvlValueKind::DateTime: vlReplaceValue(a, TvlValue::DateTime(-a.Float())); return;
    case TvlValueKind::Array: InvalidOperation();
    default: {
      const Num x = ToNum(a);
      if (x.Kind == NumKind::Int) SetInteger(a, -x.I);
      else vlReplaceValue(a, TvlValue(-x.D));
    }
  }
}

int vlValueCompare(const TvlValue& a, const TvlValue& b) {
  if (a.IsNull() || b.IsNull()) return (a.IsNull() ? 0 : 1) - (b.IsNull() ? 0 : 1);
  if (a.IsArray() || b.IsArray()) InvalidOperation();
  if (a.IsString() && b.IsString()) {
    const int c = a.Str().compare(b.Str());  // char_traits<char> compares as unsigned bytes
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
  }
  if (a.IsEmpty() && b.IsString()) return b.Str().empty() ? 0 : -1;
  if (a.IsString() && b.IsEmpty()) return a.Str().empty() ? 0 : 1;
  const bool aBool = a.Kind() == TvlValueKind::Boolean;
  const bool bBool = b.Kind() == TvlValueKind::Boolean;
  if ((aBool && (bBool || b.IsString())) || (bBool && a.IsString()))
    return static_cast<int>(vlValueToBool(a)) - static_cast<int>(vlValueToBool(b));
  if (a.Kind() == TvlValueKind::Integer && b.Kind() == TvlValueKind::Integer)
    return a.Int() < b.Int() ? -1 : (a.Int() > b.Int() ? 1 : 0);
  return Sign(ToNum(a).D, ToNum(b).D);
}

}  // namespace vl
