#pragma once
// The pages a print selects, read from the range text of the print dialog
// ("1,3,5-12"). Blanks are ignored and an empty text selects every page; a
// range open at its end ("5-") runs to the last page; a reversed range
// ("12-5") selects nothing; numbers past the last page select nothing. Pages
// print in document order whatever the order of the text, each once.
//
// A text that cannot be read is refused rather than guessed at, so a print
// never starts with a wrong page list: anything but page numbers, "-" and
// ",", a "-" without a number before it, page 0, a second "-" in one range,
// and a "-" without a number after it anywhere but at the end.

#include <cstdint>
#include <string>
#include <vector>

namespace vl {

class TvlPageList {
 public:
  // Every page of a report of pageCount pages.
  explicit TvlPageList(std::int32_t pageCount = 0);
  // Raises TvlError naming the text and what is wrong with it.
  static TvlPageList Parse(const std::string& text, std::int32_t pageCount);

  bool All() const { return all_; }
  // Page numbers count from 1.
  bool Contains(std::int32_t pageNo) const;
  // The selected page numbers in ascending order.
  std::vector<std::int32_t> Pages() const;

 private:
  void Add(std::int64_t from, std::int64_t to);

  bool all_ = true;
  std::vector<bool> selected_;  // by page number; entry 0 unused
};

}  // namespace vl
