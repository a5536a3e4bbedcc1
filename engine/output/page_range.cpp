#include "engine/output/page_range.h"

#include <algorithm>

#include "engine/core/error.h"
#include "engine/core/string_table.h"

namespace vl {
namespace {

// Numbers beyond any page count stay this large instead of overflowing.
constexpr std::int64_t kBeyondAnyPage = 1'000'000'000;

[[noreturn]] void Refuse(const std::string& text, int reason) {
  throw TvlError(vlLoadStr(str::kBadPageRange) + "\"" + text + "\": " + vlLoadStr(reason));
}

}  // namespace

TvlPageList::TvlPageList(std::int32_t pageCount)
    : selected_(static_cast<std::size_t>(std::max<std::int32_t>(pageCount, 0)) + 1, false) {}

bool TvlPageList::Contains(std::int32_t pageNo) const {
  if (pageNo < 1 || pageNo >= static_cast<std::int32_t>(selected_.size())) return false;
  return all_ || selected_[static_cast<std::size_t>(pageNo)];
}

std::vector<std::int32_t> TvlPageList::Pages() const {
  std::vector<std::int32_t> pages;
  for (std::int32_t n = 1; n < static_cast<std::int32_t>(selected_.size()); ++n)
    if (Contains(n)) pages.push_back(n);
  return pages;
}

void TvlPageList::Add(std::int64_t from, std::int64_t to) {
  // Pages past the last one do not exist: the loop never runs beyond them.
  to = std::min<std::int64_t>(to, static_cast<std::int64_t>(selected_.size()) - 1);
  for (std::int64_t n = from; n <= to; ++n) selected_[static_cast<std::size_t>(n)] = true;
}

TvlPageList TvlPageList::Parse(const std::string& text, std::int32_t pageCount) {
  TvlPageList list(pageCount);
  std::string t;
  for (char c : text)
    if (c != ' ' && c != '\t') t += c;
  if (t.empty()) return list;
  list.all_ = false;

  // A range open at its end runs to the last page.
  const bool openEnd = t.back() == '-';
  t += ',';
  std::int64_t number = 0;
  bool haveNumber = false;
  std::int64_t rangeStart = 0;
  bool inRange = false;
  for (std::size_t k = 0; k < t.size(); ++k) {
    const char c = t[k];
    if (c >= '0' && c <= '9') {
      number = std::min(number * 10 + (c - '0'), kBeyondAnyPage);
      haveNumber = true;
      continue;
    }
    if (c != '-' && c != ',') Refuse(text, str::kRangeBadCharacter);
    if (haveNumber && number == 0) Refuse(text, str::kRangePageZero);
    if (c == '-') {
      if (!haveNumber) Refuse(text, str::kRangeNoStart);
      if (inRange) Refuse(text, str::kRangeTwoDashes);
      rangeStart = number;
      inRange = true;
    } else if (inRange) {
      if (haveNumber)
        list.Add(rangeStart, number);
      else if (openEnd && k + 1 == t.size())
        list.Add(rangeStart, pageCount);
      else
        Refuse(text, str::kRangeNoEnd);
      inRange = false;
    } else if (haveNumber) {
      list.Add(number, number);
    }
    number = 0;
    haveNumber = false;
  }
  return list;
}

}  // namespace vl
