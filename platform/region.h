#pragma once
// A region: a set of pixels made of rectangles, combined by union,
// intersection and difference. View regions, clipping and the designer's
// repaint areas are regions.

#include <vector>

#include "platform/graphics_types.h"

namespace vl {

class TvlRegion {
 public:
  TvlRegion() = default;
  explicit TvlRegion(const TvlRect& rect);

  bool Empty() const { return rects_.empty(); }
  // Disjoint rectangles whose union is the region, none empty.
  const std::vector<TvlRect>& Rects() const { return rects_; }
  // The smallest rectangle holding the region; empty region: all zero.
  TvlRect Bounds() const;

  TvlRegion Union(const TvlRegion& other) const;
  TvlRegion Intersect(const TvlRegion& other) const;
  TvlRegion Subtract(const TvlRegion& other) const;

  bool Contains(TvlPoint p) const;
  // True when any pixel of the rectangle lies in the region.
  bool Intersects(const TvlRect& rect) const;
  // Same pixel set (the rectangles may be cut differently).
  bool SameArea(const TvlRegion& other) const;
  long long Area() const;

 private:
  std::vector<TvlRect> rects_;
};

bool vlRectEmpty(const TvlRect& r);
TvlRect vlIntersectRect(const TvlRect& a, const TvlRect& b);  // empty: all zero

}  // namespace vl
