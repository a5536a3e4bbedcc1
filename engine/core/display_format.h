#pragma once
// Display formats: how a view turns a value into the text it prints. A format
// is a 32-bit code plus a format text; the code packs the category (bits
// 24-27), the kind (16-23: 0-3 a predefined form of the category, 4 the
// format text), the number of decimals (8-15) and the decimal separator
// character (0-7). Every number and date separator comes from the locale
// (vlFormatSettings) unless the code names its own decimal separator, so this
// is the one place where views, the command-line tool and the designer's
// format dialog turn values into display text.

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/core/format_settings.h"
#include "engine/core/value.h"

namespace vl {

enum TvlFormatCategory : std::uint8_t {
  fcText = 0,
  fcNumber = 1,
  fcDate = 2,
  fcTime = 3,
  fcBoolean = 4,
};

inline constexpr int kFormatKindText = 4;  // the kind that uses the format text

constexpr std::int32_t vlMakeFormat(int category, int kind, int decimals = 0, char separator = 0) {
  return static_cast<std::int32_t>((static_cast<std::uint32_t>(category & 0x0F) << 24) |
                                   (static_cast<std::uint32_t>(kind & 0xFF) << 16) |
                                   (static_cast<std::uint32_t>(decimals & 0xFF) << 8) |
                                   static_cast<std::uint8_t>(separator));
}
constexpr int vlFormatCategoryOf(std::int32_t code) { return (code >> 24) & 0x0F; }
constexpr int vlFormatKindOf(std::int32_t code) { return (code >> 16) & 0xFF; }
constexpr int vlFormatDecimalsOf(std::int32_t code) { return (code >> 8) & 0xFF; }
constexpr char vlFormatSeparatorOf(std::int32_t code) { return static_cast<char>(code & 0xFF); }

// The predefined forms of a category (kinds 0-3) as the string table gives
// them: dates "mm.dd.yy" ..., times "hh:nn:ss" ..., booleans "0;1" ....
// Numbers are built from the decimals: kind 0 "##0." and kind 2 "#,##0."
// followed by one "#" per decimal; kinds 1 and 3 have no picture (empty).
std::string vlPredefinedFormat(int category, int kind, int decimals = 0);

// A number through a picture: sections "positive;negative;zero", "0" a digit
// always shown, "#" a digit shown when significant, the first "." the decimal
// point (left out when no decimal digit follows), a "," before it groups
// thousands, "E+00"/"E-00" scientific notation, quoted text and other
// characters copied. An empty picture gives the general number format.
std::string vlFormatFloatPicture(std::string_view picture, double value,
                                 const TvlFormatSettings& fs = vlFormatSettings());
// Fixed notation with the decimals; thousands separators when grouped is set.
// Values beyond 15 significant digits fall back to the general format.
std::string vlFormatFloatFixed(double value, int decimals, bool grouped,
                               const TvlFormatSettings& fs = vlFormatSettings());

// The text a view prints for a value. Empty, null and blank texts give an
// empty text; a value the format cannot take is printed in its plain text
// form. Never throws.
std::string vlFormatDisplayValue(const TvlValue& value, std::int32_t code, std::string_view text,
                                 const TvlFormatSettings& fs = vlFormatSettings());

// The format suffix of a bracketed expression (what follows " #" in
// "[Sum #N2,2]"): updates code and text as the suffix says. A suffix starting
// with a digit, N or n is a number format, D/T a date-time picture, B a
// boolean pattern; any other first character keeps the code and makes the
// whole suffix the format text.
void vlApplyFormatSuffix(std::string_view suffix, std::int32_t& code, std::string& text);

// Splits "expression #suffix" at its first " #": returns true and fills
// expression and suffix when there is one.
bool vlSplitFormatSuffix(std::string_view bracket, std::string& expression, std::string& suffix);

}  // namespace vl
