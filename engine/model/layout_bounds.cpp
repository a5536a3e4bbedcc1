#include "engine/model/layout_bounds.h"

#include <algorithm>
#include <limits>

namespace vl {

std::int32_t vlBoundDistance(std::int64_t value) { return vlBoundViewCoordinate(value); }

std::int32_t vlBoundColumns(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, -kColumnsLimit, kColumnsLimit));
}

std::int32_t vlBoundFontSize(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, -kFontSizeLimit, kFontSizeLimit));
}

std::int32_t vlBoundCharSpacing(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, -kCharSpacingLimit, kCharSpacingLimit));
}

std::int32_t vlClampTo32(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                             std::numeric_limits<std::int32_t>::max()));
}

}  // namespace vl
