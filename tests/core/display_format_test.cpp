#include <gtest/gtest.h>

#include "engine/core/date_time.h"
#include "engine/core/display_format.h"
#include "engine/core/format_settings.h"

namespace vl {
namespace {

// A pinned locale, so the cases do not follow the machine running them.
TvlFormatSettings Pinned() {
  TvlFormatSettings fs;
  fs.DecimalSeparator = '.';
  fs.ThousandSeparator = ',';
  fs.DateSeparator = '.';
  fs.ShortDateFormat = "dd/mm/yyyy";
  fs.LongDateFormat = "d mmmm yyyy";
  return fs;
}

double Date(int y, int m, int d) {
  double v = 0;
  vlEncodeDate(y, m, d, v);
  return v;
}

TEST(DisplayFormat, EveryCategoryAndPredefinedForm) {
  const TvlFormatSettings fs = Pinned();
  const double when = Date(2024, 3, 5) + (14 * 3600 + 7 * 60 + 9) / 86400.0;
  const struct {
    TvlValue value;
    std::int32_t code;
    const char* text;
    const char* out;
  } cases[] = {
      // text
      {TvlValue(12), vlMakeFormat(fcText, 0), "", "12"},
      {TvlValue(2.5), vlMakeFormat(fcText, 0, 2, ','), "", "2.5"},
      {TvlValue("abc"), vlMakeFormat(fcText, 0), "", "abc"},
      // numbers: the four predefined forms and a picture
      {TvlValue(1234.5), vlMakeFormat(fcNumber, 0, 2, '.'), "", "1234.5"},
      {TvlValue(1234.0), vlMakeFormat(fcNumber, 0, 2, '.'), "", "1234"},
      {TvlValue(0.25), vlMakeFormat(fcNumber, 0, 2, '.'), "", "0.25"},
      {TvlValue(1234.5), vlMakeFormat(fcNumber, 1, 2, ','), "", "1234,50"},
      {TvlValue(-3), vlMakeFormat(fcNumber, 1, 0, '.'), "", "-3"},
      {TvlValue(1234567.891), vlMakeFormat(fcNumber, 2, 2, '.'), "", "1,234,567.89"},
      {TvlValue(1234567.891), vlMakeFormat(fcNumber, 3, 1, '.'), "", "1,234,567.9"},
      {TvlValue(1234567.891), vlMakeFormat(fcNumber, 3, 2, ','), "", "1.234.567,89"},
      {TvlValue(1234.5), vlMakeFormat(fcNumber, 4, 0, '.'), "#,##0.00", "1,234.50"},
      {TvlValue(-0.5), vlMakeFormat(fcNumber, 4, 0, '.'), "0.00;(0.00)", "(0.50)"},
      {TvlValue(0), vlMakeFormat(fcNumber, 4, 0, '.'), "0.00;(0.00);zero", "zero"},
      {TvlValue(7), vlMakeFormat(fcNumber, 4, 0, '.'), "000 'pcs'", "007 pcs"},
      {TvlValue(12345.0), vlMakeFormat(fcNumber, 4, 0, '.'), "0.00E+00", "1.23E+04"},
      {TvlValue("2.5"), vlMakeFormat(fcNumber, 1, 1, '.'), "", "2.5"},
      // dates: the table, the long date form and a picture
      {TvlValue::DateTime(when), vlMakeFormat(fcDate, 0), "", "03.05.24"},
      {TvlValue::DateTime(when), vlMakeFormat(fcDate, 1), "", "03.05.2024"},
      {TvlValue::DateTime(when), vlMakeFormat(fcDate, 2), "", "5 Mar 2024"},
      {TvlValue::DateTime(when), vlMakeFormat(fcDate, 3), "", "5 March 2024"},
      {TvlValue::DateTime(when), vlMakeFormat(fcDate, 4), "yyyy-mm-dd", "2024-03-05"},
      {TvlValue("05.03.2024"), vlMakeFormat(fcDate, 1), "", "03.05.2024"},
      // times
      {TvlValue::DateTime(when), vlMakeFormat(fcTime, 0), "", "14:07:09"},
      {TvlValue::DateTime(when - 5.0 / 24), vlMakeFormat(fcTime, 1), "", "9:07:09"},
      {TvlValue::DateTime(when), vlMakeFormat(fcTime, 2), "", "14:07"},
      {TvlValue::DateTime(when - 5.0 / 24), vlMakeFormat(fcTime, 3), "", "9:07"},
      {TvlValue::DateTime(when), vlMakeFormat(fcTime, 4), "hh' h'", "14 h"},
      // booleans: the table and a pattern
      {TvlValue(true), vlMakeFormat(fcBoolean, 0), "", "1"},
      {TvlValue(0), vlMakeFormat(fcBoolean, 1), "", "No"},
      {TvlValue(5), vlMakeFormat(fcBoolean, 2), "", "x"},
      {TvlValue(false), vlMakeFormat(fcBoolean, 3), "", "False"},
      {TvlValue(1), vlMakeFormat(fcBoolean, 4), "off;on", "on"},
      {TvlValue("True"), vlMakeFormat(fcBoolean, 4), "off;on", "on"},
      // nothing to print
      {TvlValue(), vlMakeFormat(fcNumber, 1, 2, '.'), "", ""},
      {TvlValue::Null(), vlMakeFormat(fcBoolean, 1), "", ""},
      {TvlValue("   "), vlMakeFormat(fcText, 0), "", ""},
      // a value the format cannot take prints as itself
      {TvlValue("abc"), vlMakeFormat(fcNumber, 1, 2, '.'), "", "abc"},
      {TvlValue("not a date"), vlMakeFormat(fcDate, 1), "", "not a date"},
      // an unknown category prints nothing
      {TvlValue(1), vlMakeFormat(7, 0), "", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(vlFormatDisplayValue(c.value, c.code, c.text, fs), c.out)
        << "code " << std::hex << c.code << " text '" << c.text << "'";
}

TEST(DisplayFormat, FollowsTheLocaleUnlessTheCodeNamesASeparator) {
  TvlFormatSettings fs = Pinned();
  fs.DecimalSeparator = ',';
  fs.ThousandSeparator = ' ';
  EXPECT_EQ(vlFormatDisplayValue(TvlValue(1234.5), vlMakeFormat(fcNumber, 3, 2), "", fs), "1 234,50");
  EXPECT_EQ(vlFormatDisplayValue(TvlValue(1.5), vlMakeFormat(fcText, 0), "", fs), "1,5");
  EXPECT_EQ(vlFormatDisplayValue(TvlValue(1.5), vlMakeFormat(fcNumber, 1, 1, '-'), "", fs), "1-5");
  fs.DateSeparator = '/';
  double d = Date(2001, 2, 3);
  EXPECT_EQ(vlFormatDisplayValue(TvlValue::DateTime(d), vlMakeFormat(fcDate, 4), "dd/mm", fs), "03/02");
}

TEST(DisplayFormat, PredefinedFormsComeFromTheStringTable) {
  EXPECT_EQ(vlPredefinedFormat(fcNumber, 0, 3), "##0.###");
  EXPECT_EQ(vlPredefinedFormat(fcNumber, 2, 1), "#,##0.#");
  EXPECT_EQ(vlPredefinedFormat(fcNumber, 1, 2), "");
  EXPECT_EQ(vlPredefinedFormat(fcDate, 3), "d mmmm yyyy");
  EXPECT_EQ(vlPredefinedFormat(fcTime, 1), "h:nn:ss");
  EXPECT_EQ(vlPredefinedFormat(fcBoolean, 2), "_;x");
  EXPECT_EQ(vlPredefinedFormat(fcBoolean, 4), "");
}

TEST(DisplayFormat, SuffixesBuildCodeAndText) {
  const std::int32_t viewCode = vlMakeFormat(fcText, 0, 2, '.');
  const struct {
    const char* suffix;
    std::int32_t code;
    const char* text;
  } cases[] = {
      {"N2,2", vlMakeFormat(fcNumber, 1, 2, ','), "N2.2"},
      {"2.3", vlMakeFormat(fcNumber, 1, 3, '.'), "N2.3"},
      {"N#,##0.00", vlMakeFormat(fcNumber, 4, 0, '.'), "#,##0.00"},
      {"n0-0", vlMakeFormat(fcNumber, 1, 0, '-'), "n0.0"},
      {"N", vlMakeFormat(fcNumber, 4), ""},
      {"Ddd.mm.yyyy", vlMakeFormat(fcDate, 4), "dd.mm.yyyy"},
      {"thh:nn", vlMakeFormat(fcDate, 4), "hh:nn"},
      {"BNo;Yes", vlMakeFormat(fcBoolean, 4), "No;Yes"},
      {"xyz", viewCode, "xyz"},
  };
  for (const auto& c : cases) {
    std::int32_t code = viewCode;
    std::string text = "old";
    vlApplyFormatSuffix(c.suffix, code, text);
    EXPECT_EQ(code, c.code) << c.suffix;
    EXPECT_EQ(text, c.text) << c.suffix;
  }
  std::string expr, suffix;
  EXPECT_TRUE(vlSplitFormatSuffix("Sum #N2,2", expr, suffix));
  EXPECT_EQ(expr, "Sum");
  EXPECT_EQ(suffix, "N2,2");
  EXPECT_FALSE(vlSplitFormatSuffix("a#b", expr, suffix));
  EXPECT_EQ(expr, "a#b");
}

TEST(DisplayFormat, SuffixAndFormatTogether) {
  const TvlFormatSettings fs = Pinned();
  std::int32_t code = 0;
  std::string text;
  vlApplyFormatSuffix("N2,2", code, text);
  EXPECT_EQ(vlFormatDisplayValue(TvlValue(3.14159), code, text, fs), "3,14");
  vlApplyFormatSuffix("N#,##0.00", code, text);
  EXPECT_EQ(vlFormatDisplayValue(TvlValue(9876.5), code, text, fs), "9,876.50");
}

}  // namespace
}  // namespace vl
