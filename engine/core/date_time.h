#pragma once
// Date-times are day counts from 30 December 1899 with the time of day in the
// fraction. Encoding, decoding and the pattern formatter live here.

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/core/format_settings.h"

namespace vl {

struct TvlDateParts {
  int Year = 1899, Month = 12, Day = 30;
  int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};

bool vlIsValidDate(int year, int month, int day) noexcept;
// Returns false (and leaves out untouched) for an impossible date or time.
bool vlEncodeDate(int year, int month, int day, double& out) noexcept;
bool vlEncodeTime(int hour, int minute, int second, int ms, double& out) noexcept;
TvlDateParts vlDecodeDateTime(double value) noexcept;
int vlDayOfWeek(double value) noexcept;  // 1 = Sunday .. 7 = Saturday

// Formats with the engine's pattern letters: d dd ddd dddd, m mm mmm mmmm,
// yy yyyy, h hh, n nn, s ss, z zzz, am/pm, a/p, ampm, c, "/" and ":" for the
// separators, and text in double or single quotes taken literally. An "m" right
// after an "h" means minutes.
std::string vlFormatDateTime(std::string_view pattern, double value,
                             const TvlFormatSettings& fs = vlFormatSettings());

// Short date, plus the long time when the time of day is not zero; the time
// alone when the date part is zero.
std::string vlDateTimeToText(double value, const TvlFormatSettings& fs = vlFormatSettings());

// Reads a date written in the order of the short date pattern (day, month, year
// as the pattern orders them), separated by the date separator or any of ". / -";
// a time may follow. Returns false for anything else.
bool vlTextToDate(std::string_view text, double& out,
                  const TvlFormatSettings& fs = vlFormatSettings());
// Reads "h:n[:s]" with an optional AM/PM.
bool vlTextToTime(std::string_view text, double& out,
                  const TvlFormatSettings& fs = vlFormatSettings());

// The current local date and time.
double vlNow() noexcept;

}  // namespace vl
