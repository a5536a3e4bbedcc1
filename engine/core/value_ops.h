#pragma once
// Arithmetic, logic and comparison between values: the variant rules the
// expression language relies on, also used wherever the engine sums or
// compares values (accumulators, script counters).
//
// Rules beyond the everyday ones, chosen once for the whole engine:
// - null in arithmetic or logic makes the result null (a missing field
//   prints as nothing rather than as a wrong number);
// - empty acts as 0 beside a number and as "" beside a text;
// - integer results that leave the 32-bit range become floating;
// - date-time plus or minus a number stays a date-time, the difference of two
//   date-times is a floating day count;
// - null equals only null and sorts before every other value;
// - a joined text may hold at most kMaxTextBytes bytes (64 MiB): a script
//   that doubles a text in a loop stops with a clear error long before
//   memory runs out.

#include <cstddef>
#include <memory>
#include <utility>

#include "engine/core/value.h"

namespace vl {

// Puts v in place of slot: destroys the old value and move-constructs the new
// one, which costs less than assignment on the evaluator's hot path.
inline void vlReplaceValue(TvlValue& slot, TvlValue&& v) noexcept {
  std::destroy_at(&slot);
  std::construct_at(&slot, std::move(v));
}

inline constexpr std::size_t kMaxTextBytes = std::size_t{64} << 20;
// The error message of a join past the limit.
inline constexpr const char* kTextTooLong = "Text longer than 67108864 bytes";

// Binary operations; the result replaces a (the left operand).
void vlValueAdd(TvlValue& a, const TvlValue& b);       // numbers, or text concatenation
void vlValueSubtract(TvlValue& a, const TvlValue& b);
void vlValueMultiply(TvlValue& a, const TvlValue& b);
void vlValueDivide(TvlValue& a, const TvlValue& b);    // floating; a divisor of 0 gives integer 0
void vlValueMod(TvlValue& a, const TvlValue& b);       // integer remainder; a divisor of 0 gives 0
void vlValueAnd(TvlValue& a, const TvlValue& b);       // logical on booleans, bitwise otherwise
void vlValueOr(TvlValue& a, const TvlValue& b);
void vlValueNegate(TvlValue& a);

// <0, 0 or >0. Texts compare byte by byte (a proper prefix is smaller); a text
// beside a number is read as a number, and one that is not raises TvlError.
int vlValueCompare(const TvlValue& a, const TvlValue& b);

}  // namespace vl
