#include "platform/dash_pattern.h"

#include <algorithm>

namespace vl {

std::vector<double> vlDashPattern(TvlPenStyle style, int dpi) {
  std::vector<double> pattern;
  switch (style) {
    case TvlPenStyle::Dash: pattern = {18, 6}; break;
    case TvlPenStyle::Dot: pattern = {3, 3}; break;
    case TvlPenStyle::DashDot: pattern = {9, 6, 3, 6}; break;
    case TvlPenStyle::DashDotDot: pattern = {9, 3, 3, 3, 3, 3}; break;
    default: return pattern;
  }
  const double scale = std::max(1.0, dpi / 96.0);
  for (double& length : pattern) length *= scale;
  return pattern;
}

}  // namespace vl
