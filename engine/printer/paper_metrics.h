#pragma once
// Paper size, unprintable offsets and printable area, in printer pixels ("Px")
// and in page units ("U"). Kept by every template page and prepared page.

#include <cstdint>

namespace vl {

struct TvlPaperMetrics {
  std::int32_t PaperWidthPx = 0, PaperHeightPx = 0;
  std::int32_t PaperWidthU = 0, PaperHeightU = 0;
  std::int32_t OffsetXPx = 0, OffsetYPx = 0;
  std::int32_t OffsetXU = 0, OffsetYU = 0;
  std::int32_t PrintableWidthPx = 0, PrintableHeightPx = 0;
  std::int32_t PrintableWidthU = 0, PrintableHeightU = 0;

  bool operator==(const TvlPaperMetrics&) const = default;
};

}  // namespace vl
