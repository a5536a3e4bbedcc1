#include "engine/core/date_time.h"

#include <cctype>
#include <cmath>
#include <ctime>

#include "engine/core/text.h"

namespace vl {
namespace {

constexpr const char* kShortMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr const char* kLongMonths[] = {"January", "February", "March",     "April",
                                       "May",     "June",     "July",      "August",
                                       "September", "October", "November", "December"};
constexpr const char* kShortDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* kLongDays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }
int DaysInMonth(int y, int m) {
  static const int d[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return (m == 2 && IsLeap(y)) ? 29 : d[m - 1];
}

// Days from 0001-01-01 (proleptic Gregorian) to the given date.
long long DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;  // days from 1970-01-01
}

void CivilFromDays(long long z, int& y, int& m, int& d) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

const long long kEpoch1899 = DaysFromCivil(1899, 12, 30);

void AppendNumber(std::string& out, long long v, int width) {
  std::string digits = std::to_string(v < 0 ? -v : v);
  if (v < 0) out += '-';
  for (int k = static_cast<int>(digits.size()); k < width; ++k) out += '0';
  out += digits;
}

}  // namespace

bool vlIsValidDate(int year, int month, int day) noexcept {
  return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
         day <= DaysInMonth(year, month);
}

bool vlEncodeDate(int year, int month, int day, double& out) noexcept {
  if (!vlIsValidDate(year, month, day)) return false;
  out = static_cast<double>(DaysFromCivil(year, month, day) - kEpoch1899);
  return true;
}

bool vlEncodeTime(int hour, int minute, int second, int ms, double& out) noexcept {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
      ms < 0 || ms > 999)
    return false;
  out = (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + ms) / 86400000.0;
  return true;
}

TvlDateParts vlDecodeDateTime(double value) noexcept {
  TvlDateParts p;
  if (!std::isfinite(value) || std::fabs(value) > 3e6) return p;
  // Negative values count days backwards but the time runs forwards.
  double day = std::trunc(value);
  double frac = std::fabs(value - day);
  long long msTotal = std::llround(frac * 86400000.0);
  if (msTotal >= 86400000) { msTotal -= 86400000; day += value < 0 ? -1 : 1; }
  CivilFromDays(static_cast<long long>(day) + kEpoch1899, p.Year, p.Month, p.Day);
  p.Hour = static_cast<int>(msTotal / 3600000);
  p.Minute = static_cast<int>(msTotal / 60000 % 60);
  p.Second = static_cast<int>(msTotal / 1000 % 60);
  p.Millisecond = static_cast<int>(msTotal % 1000);
  return p;
}

int vlDayOfWeek(double value) noexcept {
  // 30 December 1899 was a Saturday.
  long long d = static_cast<long long>(std::floor(value)) % 7;
  if (d < 0) d += 7;
  return static_cast<int>((d + 6) % 7) + 1;
}

std::string vlFormatDateTime(std::string_view pattern, double value, const TvlFormatSettings& fs) {
  const TvlDateParts p = vlDecodeDateTime(value);
  std::string out;
  bool afterHour = false;
  bool twelveHour = false;
  {
    const std::string up = vlUpperCase(pattern);
    twelveHour = up.find("AM/PM") != std::string::npos || up.find("A/P") != std::string::npos ||
                 up.find("AMPM") != std::string::npos;
  }
  const std::size_t n = pattern.size();
  std::size_t k = 0;
  auto run = [&](char c) {
    std::size_t j = k;
    while (j < n && std::tolower(static_cast<unsigned char>(pattern[j])) == c) ++j;
    return j - k;
  };
  while (k < n) {
    const char c = pattern[k];
    const char lc = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (c == '"' || c == '\'') {
      std::size_t j = k + 1;
      while (j < n && pattern[j] != c) ++j;
      out.append(pattern.substr(k + 1, j - k - 1));
      k = j < n ? j + 1 : n;
      continue;
    }
    if (c == '/') { out += fs.DateSeparator; ++k; continue; }
    if (c == ':') { out += fs.TimeSeparator; ++k; continue; }
    if (lc == 'a') {
      const std::string rest = vlUpperCase(pattern.substr(k, 5));
      const bool pm = p.Hour >= 12;
      if (rest.rfind("AM/PM", 0) == 0) { out += pm ? "PM" : "AM"; k += 5; continue; }
      if (rest.rfind("A/P", 0) == 0) { out += pm ? "P" : "A"; k += 3; continue; }
      if (rest.rfind("AMPM", 0) == 0) { out += pm ? "PM" : "AM"; k += 4; continue; }
      out += c; ++k; continue;
    }
    if (lc == 'c') {
      out += vlDateTimeToText(value, fs);
      ++k;
      continue;
    }
    if (lc == 'd') {
      const std::size_t len = run('d');
      const int dow = vlDayOfWeek(value) - 1;
      if (len == 1) AppendNumber(out, p.Day, 1);
      else if (len == 2) AppendNumber(out, p.Day, 2);
      else if (len == 3) out += kShortDays[dow];
      else if (len == 4) out += kLongDays[dow];
      else if (len == 5) out += vlFormatDateTime(fs.ShortDateFormat, value, fs);
      else out += vlFormatDateTime(fs.LongDateFormat, value, fs);
      k += len;
      afterHour = false;
      continue;
    }
    if (lc == 'm') {
      const std::size_t len = run('m');
      if (afterHour && len <= 2) {
        AppendNumber(out, p.Minute, static_cast<int>(len));
      } else if (len == 1) AppendNumber(out, p.Month, 1);
      else if (len == 2) AppendNumber(out, p.Month, 2);
      else if (len == 3) out += kShortMonths[p.Month - 1];
      else out += kLongMonths[p.Month - 1];
      k += len;
      afterHour = false;
      continue;
    }
    if (lc == 'y') {
      const std::size_t len = run('y');
      if (len <= 2) AppendNumber(out, p.Year % 100, 2);
      else AppendNumber(out, p.Year, 4);
      k += len;
      continue;
    }
    if (lc == 'h') {
      const std::size_t len = run('h');
      int h = p.Hour;
      if (twelveHour) { h %= 12; if (h == 0) h = 12; }
      AppendNumber(out, h, len >= 2 ? 2 : 1);
      k += len;
      afterHour = true;
      continue;
    }
    if (lc == 'n') {
      const std::size_t len = run('n');
      AppendNumber(out, p.Minute, len >= 2 ? 2 : 1);
      k += len;
      afterHour = false;
      continue;
    }
    if (lc == 's') {
      const std::size_t len = run('s');
      AppendNumber(out, p.Second, len >= 2 ? 2 : 1);
      k += len;
      afterHour = false;
      continue;
    }
    if (lc == 'z') {
      const std::size_t len = run('z');
      AppendNumber(out, p.Millisecond, len >= 3 ? 3 : 1);
      k += len;
      continue;
    }
    out += c;
    ++k;
  }
  return out;
}

std::string vlDateTimeToText(double value, const TvlFormatSettings& fs) {
  const double day = std::trunc(value);
  const double frac = value - day;
  if (day == 0 && frac != 0) return vlFormatDateTime(fs.LongTimeFormat, value, fs);
  std::string s = vlFormatDateTime(fs.ShortDateFormat, value, fs);
  if (frac != 0) {
    s += ' ';
    s += vlFormatDateTime(fs.LongTimeFormat, value, fs);
  }
  return s;
}

namespace {

// Reads up to three numbers separated by any of the given separators.
int ReadNumbers(std::string_view t, std::size_t& k, int* nums, int max, std::string_view seps) {
  int count = 0;
  while (count < max) {
    while (k < t.size() && t[k] == ' ') ++k;
    if (k >= t.size() || !std::isdigit(static_cast<unsigned char>(t[k]))) break;
    long v = 0;
    int digits = 0;
    while (k < t.size() && std::isdigit(static_cast<unsigned char>(t[k])) && digits < 9) {
      v = v * 10 + (t[k] - '0');
      ++k;
      ++digits;
    }
    nums[count++] = static_cast<int>(v);
    while (k < t.size() && t[k] == ' ') ++k;
    if (k < t.size() && seps.find(t[k]) != std::string_view::npos && count < max) {
      ++k;
    } else {
      break;
    }
  }
  return count;
}

}  // namespace

bool vlTextToTime(std::string_view text, double& out, const TvlFormatSettings& fs) {
  std::string t = vlTrim(text);
  const std::string up = vlUpperCase(t);
  int pm = -1;
  if (up.size() >= 2 && (up.compare(up.size() - 2, 2, "AM") == 0 || up.compare(up.size() - 2, 2, "PM") == 0)) {
    pm = up[up.size() - 2] == 'P' ? 1 : 0;
    t = vlTrim(std::string_view(t).substr(0, t.size() - 2));
  }
  std::size_t k = 0;
  int nums[3] = {0, 0, 0};
  const std::string seps = std::string(1, fs.TimeSeparator) + ":";
  const int count = ReadNumbers(t, k, nums, 3, seps);
  if (count < 1 || k != t.size()) return false;
  if (count == 1 && pm < 0) return false;
  int h = nums[0];
  if (pm >= 0) {
    if (h < 1 || h > 12) return false;
    h = h % 12 + (pm ? 12 : 0);
  }
  return vlEncodeTime(h, nums[1], nums[2], 0, out);
}

bool vlTextToDate(std::string_view text, double& out, const TvlFormatSettings& fs) {
  const std::string t = vlTrim(text);
  std::size_t k = 0;
  int nums[3] = {0, 0, 0};
  const std::string seps = std::string(1, fs.DateSeparator) + "./-";
  const int count = ReadNumbers(t, k, nums, 3, seps);
  if (count < 2) return false;
  // Order of day, month and year as the short date pattern has them.
  const std::string up = vlUpperCase(fs.ShortDateFormat);
  const std::size_t pd = up.find('D'), pm = up.find('M'), py = up.find('Y');
  int d = 0, m = 0, y = 0;
  if (count == 2) {
    const TvlDateParts today = vlDecodeDateTime(vlNow());
    y = today.Year;
    if (pm < pd) { m = nums[0]; d = nums[1]; } else { d = nums[0]; m = nums[1]; }
  } else if (py < pm && py < pd) {
    y = nums[0];
    if (pm < pd) { m = nums[1]; d = nums[2]; } else { d = nums[1]; m = nums[2]; }
  } else if (pm < pd) {
    m = nums[0]; d = nums[1]; y = nums[2];
  } else {
    d = nums[0]; m = nums[1]; y = nums[2];
  }
  if (count == 3 && y < 100) y += y < 50 ? 2000 : 1900;
  double date = 0;
  if (!vlEncodeDate(y, m, d, date)) return false;
  double time = 0;
  const std::string rest = vlTrim(std::string_view(t).substr(k));
  if (!rest.empty() && !vlTextToTime(rest, time, fs)) return false;
  out = date + time;
  return true;
}

double vlNow() noexcept {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  double d = 0, t = 0;
  vlEncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, d);
  vlEncodeTime(local.tm_hour, local.tm_min, local.tm_sec > 59 ? 59 : local.tm_sec, 0, t);
  return d + t;
}

}  // namespace vl
