#include <gtest/gtest.h>

#include "engine/core/date_time.h"
#include "engine/core/error.h"
#include "engine/core/format_settings.h"
#include "engine/core/units.h"
#include "engine/core/value_convert.h"

namespace vl {
namespace {

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
  const struct { double in; int out; } cases[] = {
      {0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
      {2.4999, 2}, {2.5001, 3}, {1e12, 2147483647}, {-1e12, -2147483647 - 1},
  };
  for (const auto& c : cases) EXPECT_EQ(vlRound(c.in), c.out) << c.in;
}

TEST(Units, PaperTenthsBecomePageUnitsAt18600Per203Inch) {
  EXPECT_EQ(vlTenthsToUnits(2100), 758);
  EXPECT_EQ(vlTenthsToUnits(2970), 1071);
  EXPECT_EQ(vlTenthsToUnits(50), 18);
  EXPECT_EQ(vlTenthsToUnits(254), 92);  // one inch: 91.6256 rounds up
  EXPECT_EQ(vlPixelsToUnits(600, 600.0), 92);
  EXPECT_EQ(vlMmToPixels(5), 18);
  EXPECT_EQ(vlInchesToPixels(1), 91);
}

TEST(ValueToText, FollowsTheGeneralFormat) {
  TvlFormatSettings fs;
  const struct { double in; const char* out; } cases[] = {
      {0, "0"}, {3, "3"}, {-2.5, "-2.5"}, {0.1, "0.1"}, {1.0 / 3, "0.333333333333333"},
      {1e15, "1E15"}, {123456789012345.0, "123456789012345"}, {1.5e-10, "1.5E-10"},
      {0.0001, "0.0001"}, {0.00001, "1E-5"},
  };
  for (const auto& c : cases) EXPECT_EQ(vlFloatToText(c.in, fs), c.out) << c.in;
  fs.DecimalSeparator = ',';
  EXPECT_EQ(vlFloatToText(1.25, fs), "1,25");
}

TEST(ValueToText, EachKindHasItsText) {
  EXPECT_EQ(vlValueToText(TvlValue()), "");
  EXPECT_EQ(vlValueToText(TvlValue::Null()), "");
  EXPECT_EQ(vlValueToText(TvlValue(42)), "42");
  EXPECT_EQ(vlValueToText(TvlValue(true)), "True");
  EXPECT_EQ(vlValueToText(TvlValue(false)), "False");
  EXPECT_EQ(vlValueToText(TvlValue("abc")), "abc");
}

TEST(ValueToFloat, TextMustBeANumber) {
  EXPECT_DOUBLE_EQ(vlValueToFloat(TvlValue(" 2.5 ")), 2.5);
  EXPECT_DOUBLE_EQ(vlValueToFloat(TvlValue("-1e3")), -1000);
  EXPECT_DOUBLE_EQ(vlValueToFloat(TvlValue::Null()), 0);
  EXPECT_DOUBLE_EQ(vlValueToFloat(TvlValue(true)), -1);
  for (const char* bad : {"", "abc", "1.2.3x", "1 2", "--"})
    EXPECT_THROW(vlValueToFloat(TvlValue(bad)), TvlError) << bad;
  EXPECT_EQ(vlValueToInteger(TvlValue(2.5)), 2);
  EXPECT_TRUE(vlValueToBool(TvlValue("true")));
  EXPECT_FALSE(vlValueToBool(TvlValue("0")));
}

TEST(DateTime, EncodesDecodesAndFormats) {
  double d = 0;
  ASSERT_TRUE(vlEncodeDate(1899, 12, 30, d));
  EXPECT_EQ(d, 0);
  ASSERT_TRUE(vlEncodeDate(2026, 12, 10, d));
  EXPECT_EQ(d, 46366);
  EXPECT_FALSE(vlEncodeDate(2026, 2, 29, d));
  double t = 0;
  ASSERT_TRUE(vlEncodeTime(13, 5, 9, 0, t));
  const TvlDateParts p = vlDecodeDateTime(46366 + t);
  EXPECT_EQ(p.Year, 2026);
  EXPECT_EQ(p.Month, 12);
  EXPECT_EQ(p.Day, 10);
  EXPECT_EQ(p.Hour, 13);
  EXPECT_EQ(p.Minute, 5);
  EXPECT_EQ(p.Second, 9);
  EXPECT_EQ(vlDayOfWeek(46366), 5);  // a Thursday

  TvlFormatSettings fs;
  fs.DateSeparator = '.';
  fs.ShortDateFormat = "dd/mm/yyyy";
  fs.LongTimeFormat = "hh:nn:ss";
  EXPECT_EQ(vlFormatDateTime("dd/mm/yyyy", 46366, fs), "10.12.2026");
  EXPECT_EQ(vlFormatDateTime("d mmmm yy, dddd", 46366, fs), "10 December 26, Thursday");
  EXPECT_EQ(vlFormatDateTime("h:mm", t, fs), "13:05");
  EXPECT_EQ(vlFormatDateTime("hh:nn am/pm", t, fs), "01:05 PM");
  EXPECT_EQ(vlFormatDateTime("'day' d", 46366, fs), "day 10");
  EXPECT_EQ(vlDateTimeToText(46366, fs), "10.12.2026");
  EXPECT_EQ(vlDateTimeToText(46366 + t, fs), "10.12.2026 13:05:09");
  EXPECT_EQ(vlDateTimeToText(t, fs), "13:05:09");

  double back = 0;
  ASSERT_TRUE(vlTextToDate("10.12.2026", back, fs));
  EXPECT_EQ(back, 46366);
  ASSERT_TRUE(vlTextToTime("1:05:09 PM", back, fs));
  EXPECT_DOUBLE_EQ(back, t);
  EXPECT_FALSE(vlTextToDate("31.02.2026", back, fs));
  EXPECT_FALSE(vlTextToDate("tomorrow", back, fs));
  EXPECT_FALSE(vlTextToTime("25:00", back, fs));
}

}  // namespace
}  // namespace vl
