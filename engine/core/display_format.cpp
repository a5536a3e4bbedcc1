#include "engine/core/display_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "engine/core/date_time.h"
#include "engine/core/string_table.h"
#include "engine/core/text.h"
#include "engine/core/value_convert.h"

namespace vl {
namespace {

// First numbers of the predefined forms in the string table, by category.
constexpr int kFirstBooleanForm = 55170;
constexpr int kFirstDateForm = 55175;
constexpr int kFirstTimeForm = 55179;

// Beyond this many decimals a double has nothing left to show.
constexpr int kMaxDecimals = 18;

void GroupThousands(std::string& digits, char separator) {
  for (int k = static_cast<int>(digits.size()) - 3; k > 0; k -= 3)
    digits.insert(static_cast<std::size_t>(k), 1, separator);
}

// Plain decimal digits of a non-negative value rounded to decimals places.
void SplitFixed(double value, int decimals, std::string& intPart, std::string& fracPart) {
  std::vector<char> buf(400);
  const int n = std::snprintf(buf.data(), buf.size(), "%.*f", decimals, value);
  std::string s(buf.data(), n > 0 ? static_cast<std::size_t>(std::min<int>(n, 399)) : 0);
  const std::size_t dot = s.find('.');
  intPart = s.substr(0, dot);
  fracPart = dot == std::string::npos ? std::string() : s.substr(dot + 1);
}

// Splits a picture at ";" outside quoted text.
std::vector<std::string> Sections(std::string_view picture) {
  std::vector<std::string> out(1);
  char quote = 0;
  for (char c : picture) {
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == ';') {
      out.emplace_back();
      continue;
    }
    out.back() += c;
  }
  return out;
}

// One section laid out: the literal text before and after the digits and
// what the digit placeholders ask for.
struct TvlPictureLayout {
  std::string Prefix, Suffix;
  int IntPlaceholders = 0;
  int MinIntDigits = 0;  // placeholders from the first "0" before the point
  int MinDecimals = 0, MaxDecimals = 0;
  bool Grouped = false;
  bool Scientific = false;
  bool ExponentPlus = false;
  int ExponentDigits = 0;
};

TvlPictureLayout Layout(std::string_view section) {
  TvlPictureLayout l;
  bool point = false, digitsSeen = false, zeroSeen = false;
  std::string pending;  // literals met after the first placeholder
  for (std::size_t k = 0; k < section.size(); ++k) {
    const char c = section[k];
    std::string* literal = digitsSeen ? &pending : &l.Prefix;
    if (c == '"' || c == '\'') {
      const std::size_t end = section.find(c, k + 1);
      const std::size_t stop = end == std::string_view::npos ? section.size() : end;
      literal->append(section.substr(k + 1, stop - k - 1));
      k = stop;
    } else if ((c == 'E' || c == 'e') && !l.Scientific && digitsSeen && k + 1 < section.size() &&
               (section[k + 1] == '+' || section[k + 1] == '-')) {
      l.Scientific = true;
      l.ExponentPlus = section[k + 1] == '+';
      k += 2;
      while (k < section.size() && section[k] == '0') ++l.ExponentDigits, ++k;
      --k;
    } else if ((c == '0' || c == '#') && !l.Scientific) {
      if (!pending.empty()) l.Suffix += pending, pending.clear();
      digitsSeen = true;
      if (!point) {
        ++l.IntPlaceholders;
        if (c == '0') zeroSeen = true;
        if (zeroSeen) ++l.MinIntDigits;
      } else {
        ++l.MaxDecimals;
        if (c == '0') l.MinDecimals = l.MaxDecimals;
      }
    } else if (c == '.' && !point && !l.Scientific) {
      point = true;
      digitsSeen = true;
    } else if (c == ',' && !point && !l.Scientific) {
      l.Grouped = true;
    } else {
      literal->push_back(c);
    }
  }
  l.Suffix += pending;
  l.MaxDecimals = std::min(l.MaxDecimals, kMaxDecimals);
  l.MinDecimals = std::min(l.MinDecimals, l.MaxDecimals);
  return l;
}

std::string Digits(double value, const TvlPictureLayout& l, const TvlFormatSettings& fs) {
  std::string intPart, fracPart, exponent;
  if (l.Scientific && value != 0) {
    int e = static_cast<int>(std::floor(std::log10(value))) - (std::max(l.IntPlaceholders, 1) - 1);
    double mantissa = value / std::pow(10.0, e);
    SplitFixed(mantissa, l.MaxDecimals, intPart, fracPart);
    // Rounding may carry into one more integer digit.
    if (static_cast<int>(intPart.size()) > std::max(l.IntPlaceholders, 1)) {
      ++e;
      SplitFixed(value / std::pow(10.0, e), l.MaxDecimals, intPart, fracPart);
    }
    char digitBuf[16];
    std::snprintf(digitBuf, sizeof digitBuf, "%d", std::abs(e));
    const std::string digits(digitBuf);
    exponent.push_back('E');
    if (e < 0) exponent += '-';
    else if (l.ExponentPlus) exponent += '+';
    if (static_cast<int>(digits.size()) < l.ExponentDigits)
      exponent.append(static_cast<std::size_t>(l.ExponentDigits) - digits.size(), '0');
    exponent += digits;
  } else {
    SplitFixed(value, l.MaxDecimals, intPart, fracPart);
  }
  while (static_cast<int>(fracPart.size()) > l.MinDecimals && !fracPart.empty() && fracPart.back() == '0')
    fracPart.pop_back();
  if (intPart == "0") intPart.clear();
  if (static_cast<int>(intPart.size()) < l.MinIntDigits)
    intPart.insert(0, static_cast<std::size_t>(l.MinIntDigits) - intPart.size(), '0');
  if (l.Grouped) GroupThousands(intPart, fs.ThousandSeparator);
  std::string out = intPart;
  if (!fracPart.empty()) {
    out += fs.DecimalSeparator;
    out += fracPart;
  }
  out += exponent;
  return out;
}

bool AllZero(const std::string& text) {
  return std::none_of(text.begin(), text.end(), [](char c) { return c >= '1' && c <= '9'; });
}

std::string PlainText(const TvlValue& v, const TvlFormatSettings& fs) {
  if (v.Kind() == TvlValueKind::Float) return vlFloatToText(v.Float(), fs);
  if (v.Kind() == TvlValueKind::DateTime) return vlDateTimeToText(v.Float(), fs);
  return vlValueToText(v);
}

std::string FormatNumber(const TvlValue& v, int kind, int decimals, std::string_view text,
                         const TvlFormatSettings& fs) {
  const double d = vlValueToFloat(v);
  switch (kind) {
    case 0:
    case 2: return vlFormatFloatPicture(vlPredefinedFormat(fcNumber, kind, decimals), d, fs);
    case 1: return vlFormatFloatFixed(d, decimals, false, fs);
    case 3: return vlFormatFloatFixed(d, decimals, true, fs);
    case kFormatKindText: return vlFormatFloatPicture(text, d, fs);
    default: return PlainText(v, fs);
  }
}

std::string FormatBoolean(const TvlValue& v, const std::string& pattern) {
  const std::size_t semi = pattern.find(';');
  const std::string no = pattern.substr(0, semi);
  const std::string yes = semi == std::string::npos ? std::string() : pattern.substr(semi + 1);
  const bool set = v.IsString() ? vlValueToBool(v) : vlValueToInteger(v) != 0;
  return set ? yes : no;
}

}  // namespace

std::string vlPredefinedFormat(int category, int kind, int decimals) {
  if (kind < 0 || kind > 3) return {};
  switch (category) {
    case fcNumber: {
      if (kind == 1 || kind == 3) return {};
      std::string p = kind == 0 ? "##0." : "#,##0.";
      p.append(static_cast<std::size_t>(std::clamp(decimals, 0, kMaxDecimals)), '#');
      return p;
    }
    case fcDate: return vlLoadStr(kFirstDateForm + kind);
    case fcTime: return vlLoadStr(kFirstTimeForm + kind);
    case fcBoolean: return vlLoadStr(kFirstBooleanForm + kind);
    default: return {};
  }
}

std::string vlFormatFloatPicture(std::string_view picture, double value, const TvlFormatSettings& fs) {
  if (std::isnan(value) || std::isinf(value) || std::fabs(value) >= 1e18)
    return vlFloatToText(value, fs);
  if (vlTrim(picture).empty()) return vlFloatToText(value, fs);
  const std::vector<std::string> sections = Sections(picture);
  std::size_t index = 0;
  bool sign = false;
  if (value < 0) {
    if (sections.size() >= 2 && !sections[1].empty()) index = 1;
    else sign = true;
  } else if (value == 0 && sections.size() >= 3 && !sections[2].empty()) {
    index = 2;
  }
  const TvlPictureLayout l = Layout(sections[index]);
  const std::string digits = Digits(std::fabs(value), l, fs);
  std::string out;
  if (sign && !AllZero(digits)) out += '-';
  out += l.Prefix;
  out += digits;
  out += l.Suffix;
  return out;
}

std::string vlFormatFloatFixed(double value, int decimals, bool grouped, const TvlFormatSettings& fs) {
  if (std::isnan(value) || std::isinf(value) || std::fabs(value) >= 1e15)
    return vlFloatToText(value, fs);
  std::string intPart, fracPart;
  SplitFixed(std::fabs(value), std::clamp(decimals, 0, kMaxDecimals), intPart, fracPart);
  if (grouped) GroupThousands(intPart, fs.ThousandSeparator);
  std::string out;
  if (value < 0 && !AllZero(intPart + fracPart)) out += '-';
  out += intPart;
  if (!fracPart.empty()) {
    out += fs.DecimalSeparator;
    out += fracPart;
  }
  return out;
}

std::string vlFormatDisplayValue(const TvlValue& value, std::int32_t code, std::string_view text,
                                 const TvlFormatSettings& fs) {
  if (value.IsNullOrEmpty()) return {};
  if (value.IsString() && vlTrim(value.Str()).empty()) return {};
  const int kind = vlFormatKindOf(code);
  try {
    switch (vlFormatCategoryOf(code)) {
      case fcText: return PlainText(value, fs);
      case fcNumber: {
        // The code's own decimal separator holds for this value only; a
        // thousands separator equal to it would make the text ambiguous.
        TvlFormatSettings local = fs;
        const char sep = vlFormatSeparatorOf(code);
        if (sep != 0) local.DecimalSeparator = sep;
        if (local.ThousandSeparator == local.DecimalSeparator)
          local.ThousandSeparator = local.DecimalSeparator == ',' ? '.' : ',';
        return FormatNumber(value, kind, vlFormatDecimalsOf(code), text, local);
      }
      case fcDate: {
        const double d = vlValueToDateTime(value, fs);
        if (kind == kFormatKindText) return vlFormatDateTime(text, d, fs);
        if (kind == 3) return vlFormatDateTime(fs.LongDateFormat, d, fs);
        if (kind < 3) return vlFormatDateTime(vlPredefinedFormat(fcDate, kind), d, fs);
        return PlainText(value, fs);
      }
      case fcTime: {
        const double d = vlValueToDateTime(value, fs);
        if (kind == kFormatKindText) return vlFormatDateTime(text, d, fs);
        if (kind <= 3) return vlFormatDateTime(vlPredefinedFormat(fcTime, kind), d, fs);
        return PlainText(value, fs);
      }
      case fcBoolean:
        return FormatBoolean(value, kind == kFormatKindText ? std::string(text)
                                                            : vlPredefinedFormat(fcBoolean, kind));
      default: return {};
    }
  } catch (...) {
    try {
      return PlainText(value, fs);
    } catch (...) {
      return {};
    }
  }
}

void vlApplyFormatSuffix(std::string_view suffix, std::int32_t& code, std::string& text) {
  if (suffix.empty()) return;
  std::string s(suffix);
  const char first = s[0];
  if ((first >= '0' && first <= '9') || first == 'N' || first == 'n') {
    if (first >= '0' && first <= '9') s.insert(0, 1, 'N');
    const bool secondDigit = s.size() > 1 && s[1] >= '0' && s[1] <= '9';
    int kind = secondDigit ? 1 : 0;
    int decimals = 0;
    char separator = 0;
    for (std::size_t k = s.size() - 1; k >= 1; --k) {
      const char c = s[k];
      if (c == ',' || c == '-' || c == '.') {
        separator = c;
        s[k] = '.';
        if (secondDigit) {
          for (std::size_t j = k + 1; j < s.size() && s[j] >= '0' && s[j] <= '9'; ++j)
            decimals = std::min(decimals * 10 + (s[j] - '0'), 255);
        }
        break;
      }
    }
    if (!secondDigit) {
      s.erase(0, 1);
      kind = kFormatKindText;
    }
    code = vlMakeFormat(fcNumber, kind, decimals, separator);
    text = s;
  } else if (first == 'D' || first == 'T' || first == 'd' || first == 't') {
    code = vlMakeFormat(fcDate, kFormatKindText);
    text = s.substr(1);
  } else if (first == 'B' || first == 'b') {
    code = vlMakeFormat(fcBoolean, kFormatKindText);
    text = s.substr(1);
  } else {
    text = s;
  }
}

bool vlSplitFormatSuffix(std::string_view bracket, std::string& expression, std::string& suffix) {
  const std::size_t at = bracket.find(" #");
  if (at == std::string_view::npos) {
    expression = std::string(bracket);
    suffix.clear();
    return false;
  }
  expression = std::string(bracket.substr(0, at));
  suffix = std::string(bracket.substr(at + 2));
  return true;
}

}  // namespace vl
