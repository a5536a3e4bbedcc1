#pragma once
// The rule that an envelope's recipient name and address never run out of
// their boxes: a text view printing one of them whose text would not fit
// first shrinks its font, down to kEnvelopeFloorSize points, and wraps;
// what still does not fit prints at that size and the batch check
// (envelope_check.h) names it.

#include <cstdint>
#include <unordered_map>

#include "engine/model/report.h"

namespace vl {

// The smallest size a name or an address shrinks to: 8 points (about
// 2.8 mm high) stays readable on an envelope and for sorting machines.
inline constexpr std::int32_t kEnvelopeFloorSize = 8;

// Installs the rule on report for as long as the object lives (chained
// before any OnBeforePrint the report has).
class TvlEnvelopeFit {
 public:
  explicit TvlEnvelopeFit(TvlReport& report);
  ~TvlEnvelopeFit();
  TvlEnvelopeFit(const TvlEnvelopeFit&) = delete;
  TvlEnvelopeFit& operator=(const TvlEnvelopeFit&) = delete;

 private:
  struct TStart {
    std::int32_t Size, LineSpacing;
  };
  void Fit(TvlView& view);

  TvlReport& report_;
  TEnterRectEvent previous_;
  // Each view's size and spacing as the template gives them.
  std::unordered_map<const TvlView*, TStart> start_;
};

}  // namespace vl
