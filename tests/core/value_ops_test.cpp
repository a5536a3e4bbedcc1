#include "engine/core/value_ops.h"

#include <gtest/gtest.h>

#include <limits>

#include "engine/core/error.h"

namespace vl {
namespace {

TEST(ValueOps, ArithmeticKeepsKindsAndSpreadsNull) {
  const auto add = [](TvlValue a, const TvlValue& b) { vlValueAdd(a, b); return a; };
  const auto sub = [](TvlValue a, const TvlValue& b) { vlValueSubtract(a, b); return a; };
  const std::int32_t big = std::numeric_limits<std::int32_t>::max();

  EXPECT_TRUE(add(TvlValue(2), TvlValue(3)).SameAs(TvlValue(5)));
  EXPECT_TRUE(add(TvlValue(big), TvlValue(1)).SameAs(TvlValue(2147483648.0)));  // leaves 32 bits: floating
  EXPECT_TRUE(add(TvlValue(2), TvlValue(0.5)).SameAs(TvlValue(2.5)));
  EXPECT_TRUE(add(TvlValue(true), TvlValue(1)).SameAs(TvlValue(0)));  // true counts -1
  EXPECT_TRUE(add(TvlValue(), TvlValue("x")).SameAs(TvlValue("x")));
  EXPECT_TRUE(add(TvlValue("7"), TvlValue(1)).SameAs(TvlValue(8.0)));
  EXPECT_TRUE(add(TvlValue::Null(), TvlValue(1)).IsNull());
  EXPECT_TRUE(sub(TvlValue(1), TvlValue::Null()).IsNull());
  EXPECT_TRUE(add(TvlValue::DateTime(100), TvlValue(1)).SameAs(TvlValue::DateTime(101)));
  EXPECT_TRUE(sub(TvlValue::DateTime(100), TvlValue::DateTime(98.5)).SameAs(TvlValue(1.5)));
  EXPECT_THROW(add(TvlValue("x"), TvlValue(1)), TvlError);
  EXPECT_THROW(add(TvlValue::Array({}), TvlValue(1)), TvlError);

  TvlValue m(std::numeric_limits<std::int32_t>::min());
  vlValueMod(m, TvlValue(-1));  // no trap
  EXPECT_TRUE(m.SameAs(TvlValue(0)));
  TvlValue n(std::numeric_limits<std::int32_t>::min());
  vlValueNegate(n);
  EXPECT_TRUE(n.SameAs(TvlValue(2147483648.0)));
  TvlValue d(1);
  vlValueDivide(d, TvlValue("0"));
  EXPECT_TRUE(d.SameAs(TvlValue(0)));
}

TEST(ValueOps, LogicIsBitwiseOnNumbersAndLogicalOnBooleans) {
  TvlValue a(6);
  vlValueAnd(a, TvlValue(3.0));
  EXPECT_TRUE(a.SameAs(TvlValue(2)));
  TvlValue b(true);
  vlValueAnd(b, TvlValue("False"));
  EXPECT_TRUE(b.SameAs(TvlValue(false)));
  TvlValue c(false);
  vlValueOr(c, TvlValue(true));
  EXPECT_TRUE(c.SameAs(TvlValue(true)));
}

TEST(ValueOps, ComparesTextsByBytesAndNullFirst) {
  const struct { TvlValue a, b; int sign; } cases[] = {
      {TvlValue("ab"), TvlValue("abc"), -1},  {TvlValue("b"), TvlValue("B"), 1},
      {TvlValue("\xC3\xA9"), TvlValue("z"), 1},  // bytes compare unsigned
      {TvlValue("10"), TvlValue(9), 1},       {TvlValue(2), TvlValue(2.0), 0},
      {TvlValue::Null(), TvlValue::Null(), 0}, {TvlValue::Null(), TvlValue(-5), -1},
      {TvlValue(), TvlValue(0), 0},           {TvlValue(), TvlValue(""), 0},
      {TvlValue(true), TvlValue("True"), 0},  {TvlValue::DateTime(2), TvlValue(1), 1},
  };
  for (const auto& c : cases) EXPECT_EQ(vlValueCompare(c.a, c.b), c.sign);
  EXPECT_THROW(vlValueCompare(TvlValue("x"), TvlValue(1)), TvlError);
}

TEST(ValueOps, JoinedTextsStopAtTheirLimitWithAClearError) {
  // Doubling a text in a loop would otherwise run the program out of memory.
  TvlValue text(std::string(kMaxTextBytes / 2, 'x'));
  TvlValue doubled = text;
  vlValueAdd(doubled, text);
  EXPECT_EQ(doubled.Str().size(), kMaxTextBytes);
  TvlValue more = doubled;
  try {
    vlValueAdd(more, TvlValue("y"));
    ADD_FAILURE() << "no error past the limit";
  } catch (const TvlError& e) {
    EXPECT_STREQ(e.what(), kTextTooLong);
  }
  EXPECT_EQ(more.Str().size(), kMaxTextBytes);  // left as it was
  static_assert(kMaxTextBytes == 67108864, "the message states the limit");
}

}  // namespace
}  // namespace vl
