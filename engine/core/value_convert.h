#pragma once
// Conversions between value kinds, following the ordinary variant rules the
// evaluator relies on.

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/core/format_settings.h"
#include "engine/core/value.h"

namespace vl {

// General number format: up to 15 significant digits, the locale's decimal
// separator, an exponent written as "E" and its digits ("1E15", "1.5E-10").
std::string vlFloatToText(double v, const TvlFormatSettings& fs = vlFormatSettings());

// Numbers in general format, booleans as "True"/"False", date-times in the
// short date (and time) form, null and empty as an empty text.
std::string vlValueToText(const TvlValue& v);

// Reads a number written with the locale's decimal separator (or a period),
// an optional sign and exponent, surrounding blanks allowed.
bool vlTryTextToFloat(std::string_view text, double& out,
                      const TvlFormatSettings& fs = vlFormatSettings());

// Numeric value of any kind; a text that is not a number raises TvlError.
// Null and empty give 0, booleans give -1 (true) or 0.
double vlValueToFloat(const TvlValue& v);
// As above, then rounded to the nearest integer (halves to even).
std::int32_t vlValueToInteger(const TvlValue& v);
// A value as a date-time day count: a text is read as a date (and time) or a
// time first, then as a number; raises TvlError for a text that is none.
double vlValueToDateTime(const TvlValue& v, const TvlFormatSettings& fs = vlFormatSettings());
// Booleans as they are, numbers non-zero, texts "True"/"False" (any case) or a number.
bool vlValueToBool(const TvlValue& v);

}  // namespace vl
