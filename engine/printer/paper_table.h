#pragma once
// The built-in paper table the virtual printer offers: standard size codes with
// their portrait sizes in tenths of a millimetre. Names come from the string
// table (entry 56000 + code).

#include <cstdint>
#include <span>
#include <string>

namespace vl {

struct TvlPaperSize {
  std::int32_t Code;
  std::int32_t WidthTenths;
  std::int32_t HeightTenths;
};

inline constexpr std::int32_t kCustomPaper = 256;
inline constexpr std::int32_t kPaperA4 = 9;

std::span<const TvlPaperSize> vlPaperTable();
// The row of a code, or nullptr when the table has none.
const TvlPaperSize* vlFindPaper(std::int32_t code);
std::string vlPaperName(std::int32_t code);

}  // namespace vl
