#include "engine/core/value_convert.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "engine/core/date_time.h"
#include "engine/core/error.h"
#include "engine/core/text.h"
#include "engine/core/units.h"

namespace vl {

std::string vlFloatToText(double v, const TvlFormatSettings& fs) {
  if (std::isnan(v)) return "NAN";
  if (std::isinf(v)) return v > 0 ? "INF" : "-INF";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15G", v);
  std::string s;
  for (const char* p = buf; *p; ++p) {
    if (*p == '.') {
      s += fs.DecimalSeparator;
    } else if (*p == 'E') {
      // "E+15" -> "E15", "E-05" -> "E-5"
      s += 'E';
      ++p;
      if (*p == '-') s += '-';
      if (*p == '+' || *p == '-') ++p;
      while (*p == '0' && p[1]) ++p;
      s += p;
      break;
    } else {
      s += *p;
    }
  }
  return s;
}

std::string vlValueToText(const TvlValue& v) {
  switch (v.Kind()) {
    case TvlValueKind::Empty:
    case TvlValueKind::Null: return {};
    case TvlValueKind::Integer: return std::to_string(v.Int());
    case TvlValueKind::Float: return vlFloatToText(v.Float());
    case TvlValueKind::Boolean: return v.Bool() ? "True" : "False";
    case TvlValueKind::DateTime: return vlDateTimeToText(v.Float());
    case TvlValueKind::String: return v.Str();
    case TvlValueKind::Array: {
      std::string s;
      for (const TvlValue& item : v.Items()) {
        if (!s.empty()) s += ';';
        s += vlValueToText(item);
      }
      return s;
    }
  }
  return {};
}

bool vlTryTextToFloat(std::string_view text, double& out, const TvlFormatSettings& fs) {
  std::size_t b = 0, e = text.size();
  while (b < e && text[b] == ' ') ++b;
  while (e > b && text[e - 1] == ' ') --e;
  if (b == e) return false;
  std::string buf;
  buf.reserve(e - b);
  bool digits = false;
  for (std::size_t k = b; k < e; ++k) {
    char c = text[k];
    if (c == fs.DecimalSeparator) c = '.';
    if (c >= '0' && c <= '9') digits = true;
    else if (c != '.' && c != '+' && c != '-' && c != 'e' && c != 'E') return false;
    buf += c;
  }
  if (!digits) return false;
  // from_chars reads '.' whatever the C locale says (Qt sets it from the
  // environment, where strtod would expect a comma in many languages); it
  // takes no leading '+'.
  const char* first = buf.data();
  const char* last = buf.data() + buf.size();
  if (*first == '+' && first + 1 < last && first[1] != '-' && first[1] != '+') ++first;
  double d = 0;
  const auto [end, ec] = std::from_chars(first, last, d);
  if (ec != std::errc() || end != last) return false;
  out = d;
  return true;
}

double vlValueToFloat(const TvlValue& v) {
  switch (v.Kind()) {
    case TvlValueKind::Empty:
    case TvlValueKind::Null: return 0;
    case TvlValueKind::Integer: return v.Int();
    case TvlValueKind::Float:
    case TvlValueKind::DateTime: return v.Float();
    case TvlValueKind::Boolean: return v.Bool() ? -1 : 0;
    case TvlValueKind::String: {
      double d = 0;
      if (!vlTryTextToFloat(v.Str(), d))
        throw TvlError("Could not convert variant of type (String) into type (Double)");
      return d;
    }
    case TvlValueKind::Array: break;
  }
  throw TvlError("Invalid variant type conversion");
}

double vlValueToDateTime(const TvlValue& v, const TvlFormatSettings& fs) {
  if (v.IsString()) {
    double d = 0;
    if (vlTextToDate(v.Str(), d, fs) || vlTextToTime(v.Str(), d, fs) || vlTryTextToFloat(v.Str(), d, fs)) return d;
    throw TvlError("'" + v.Str() + "' is not a valid date");
  }
  return vlValueToFloat(v);
}

std::int32_t vlValueToInteger(const TvlValue& v) {
  if (v.Kind() == TvlValueKind::Integer) return v.Int();
  return vlRound(vlValueToFloat(v));
}

bool vlValueToBool(const TvlValue& v) {
  switch (v.Kind()) {
    case TvlValueKind::Boolean: return v.Bool();
    case TvlValueKind::String:
      if (vlSameText(v.Str(), "True")) return true;
      if (vlSameText(v.Str(), "False")) return false;
      return vlValueToFloat(v) != 0;
    default: return vlValueToFloat(v) != 0;
  }
}

}  // namespace vl
