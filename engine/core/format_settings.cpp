#include "engine/core/format_settings.h"

#include <langinfo.h>
#include <locale.h>

namespace vl {
namespace {

// Turns a strftime pattern such as "%d/%m/%Y" into the engine's letters and
// reports the separator it uses.
std::string FromStrftime(const char* p, char separatorChar, char* separatorOut) {
  std::string out;
  for (; p && *p; ++p) {
    if (*p != '%') {
      if (*p == separatorChar || *p == '.' || *p == '/' || *p == '-' || *p == ':') {
        if (separatorOut && *separatorOut == 0) *separatorOut = *p;
        out += separatorChar;
      } else {
        out += *p;
      }
      continue;
    }
    ++p;
    if (!*p) break;
    switch (*p) {
      case 'd': case 'e': out += "dd"; break;
      case 'm': out += "mm"; break;
      case 'y': out += "yy"; break;
      case 'Y': out += "yyyy"; break;
      case 'H': case 'I': out += "hh"; break;
      case 'M': out += "nn"; break;
      case 'S': out += "ss"; break;
      case 'p': out += "AM/PM"; break;
      default: break;
    }
  }
  return out;
}

}  // namespace

TvlFormatSettings TvlFormatSettings::FromSystem() {
  TvlFormatSettings s;
  locale_t loc = newlocale(LC_ALL_MASK, "", static_cast<locale_t>(nullptr));
  if (!loc) return s;
  const char* dp = nl_langinfo_l(RADIXCHAR, loc);
  if (dp && dp[0] && !dp[1]) s.DecimalSeparator = dp[0];
  const char* ts = nl_langinfo_l(THOUSEP, loc);
  s.ThousandSeparator = (ts && ts[0] && !ts[1]) ? ts[0] : (s.DecimalSeparator == ',' ? '.' : ',');
  char dateSep = 0, timeSep = 0;
  const std::string date = FromStrftime(nl_langinfo_l(D_FMT, loc), '/', &dateSep);
  const std::string time = FromStrftime(nl_langinfo_l(T_FMT, loc), ':', &timeSep);
  if (!date.empty()) s.ShortDateFormat = date;
  if (!time.empty()) s.LongTimeFormat = time;
  if (dateSep) s.DateSeparator = dateSep;
  if (timeSep) s.TimeSeparator = timeSep;
  freelocale(loc);
  return s;
}

TvlFormatSettings& vlFormatSettings() {
  static TvlFormatSettings settings = TvlFormatSettings::FromSystem();
  return settings;
}

}  // namespace vl
