#pragma once
// The locale facts that turn numbers and dates into text and back: decimal and
// thousands separators, date and time separators and their short forms. One
// process-wide instance, read from the system at start-up; tests pin it.

#include <string>

namespace vl {

struct TvlFormatSettings {
  char DecimalSeparator = '.';
  char ThousandSeparator = ',';
  char DateSeparator = '.';
  char TimeSeparator = ':';
  // Date and time patterns in the engine's own letters (d, m, yy, h, n, s):
  // "/" stands for DateSeparator and ":" for TimeSeparator.
  std::string ShortDateFormat = "dd/mm/yyyy";
  std::string LongDateFormat = "d mmmm yyyy";
  std::string ShortTimeFormat = "hh:nn";
  std::string LongTimeFormat = "hh:nn:ss";

  // Reads the user's locale (LC_NUMERIC and LC_TIME).
  static TvlFormatSettings FromSystem();
};

TvlFormatSettings& vlFormatSettings();

}  // namespace vl
