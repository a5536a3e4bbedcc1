#pragma once
// A table of texts by number, sorted by number: the built-in string table and
// its translations share the entry and the lookup.

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace vl {

struct TvlNumberedText {
  int id;
  const char* text;
};

template <std::size_t N>
constexpr bool vlSortedByNumber(const TvlNumberedText (&table)[N]) {
  return std::is_sorted(std::begin(table), std::end(table),
                        [](const TvlNumberedText& a, const TvlNumberedText& b) { return a.id < b.id; });
}

// The text numbered id, or nullptr when the table has none.
template <std::size_t N>
const char* vlFindNumberedText(const TvlNumberedText (&table)[N], int id) {
  const TvlNumberedText* it = std::lower_bound(std::begin(table), std::end(table), id,
                                               [](const TvlNumberedText& e, int v) { return e.id < v; });
  return (it != std::end(table) && it->id == id) ? it->text : nullptr;
}

}  // namespace vl
