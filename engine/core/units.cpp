#include "engine/core/units.h"

#include <cmath>
#include <limits>

namespace vl {

double vlRoundToEven(double x) noexcept { return std::nearbyint(x); }

std::int32_t vlRound(double x) noexcept {
  // nearbyint follows the current rounding mode, which the engine never changes
  // from round-to-nearest-even.
  const double r = std::nearbyint(x);
  if (!(r == r)) return 0;  // NaN
  if (r >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
    return std::numeric_limits<std::int32_t>::max();
  if (r <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
    return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(r);
}

std::int32_t vlTenthsToUnits(std::int32_t tenths) noexcept {
  return vlRound(tenths * kPageUnitsPerInch / 254.0);
}

std::int32_t vlPixelsToUnits(std::int32_t pixels, double pixelsPerInch) noexcept {
  if (pixelsPerInch <= 0) return 0;
  return vlRound(pixels * (kPageUnitsPerInch / pixelsPerInch));
}

double vlPixelsToMm(double pixels) noexcept { return pixels / kDesignPixelsPerMm; }
std::int32_t vlMmToPixels(double mm) noexcept { return vlRound(mm * kDesignPixelsPerMm); }
double vlPixelsToInches(double pixels) noexcept { return pixels / kDesignPixelsPerInch; }
std::int32_t vlInchesToPixels(double inches) noexcept {
  return vlRound(inches * kDesignPixelsPerInch);
}

}  // namespace vl
