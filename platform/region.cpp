#include "platform/region.h"

#include <algorithm>

namespace vl {

bool vlRectEmpty(const TvlRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }

TvlRect vlIntersectRect(const TvlRect& a, const TvlRect& b) {
  TvlRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
  return vlRectEmpty(r) ? TvlRect{} : r;
}

namespace {

// The parts of a that lie outside b: up to four rectangles (top and bottom
// strips across the full width, then the left and right pieces between).
void CutAway(const TvlRect& a, const TvlRect& b, std::vector<TvlRect>& out) {
  const TvlRect i = vlIntersectRect(a, b);
  if (vlRectEmpty(i)) {
    out.push_back(a);
    return;
  }
  if (a.Top < i.Top) out.push_back({a.Left, a.Top, a.Right, i.Top});
  if (i.Bottom < a.Bottom) out.push_back({a.Left, i.Bottom, a.Right, a.Bottom});
  if (a.Left < i.Left) out.push_back({a.Left, i.Top, i.Left, i.Bottom});
  if (i.Right < a.Right) out.push_back({i.Right, i.Top, a.Right, i.Bottom});
}

std::vector<TvlRect> SubtractRects(std::vector<TvlRect> from, const std::vector<TvlRect>& cut) {
  for (const TvlRect& c : cut) {
    std::vector<TvlRect> next;
    next.reserve(from.size() + 4);
    for (const TvlRect& r : from) CutAway(r, c, next);
    from.swap(next);
    if (from.empty()) break;
  }
  return from;
}

}  // namespace

TvlRegion::TvlRegion(const TvlRect& rect) {
  if (!vlRectEmpty(rect)) rects_.push_back(rect);
}

TvlRect TvlRegion::Bounds() const {
  if (rects_.empty()) return {};
  TvlRect b = rects_.front();
  for (const TvlRect& r : rects_) {
    b.Left = std::min(b.Left, r.Left);
    b.Top = std::min(b.Top, r.Top);
    b.Right = std::max(b.Right, r.Right);
    b.Bottom = std::max(b.Bottom, r.Bottom);
  }
  return b;
}

TvlRegion TvlRegion::Union(const TvlRegion& other) const {
  TvlRegion r;
  r.rects_ = rects_;
  std::vector<TvlRect> extra = SubtractRects(other.rects_, rects_);
  r.rects_.insert(r.rects_.end(), extra.begin(), extra.end());
  return r;
}

TvlRegion TvlRegion::Intersect(const TvlRegion& other) const {
  TvlRegion r;
  for (const TvlRect& a : rects_)
    for (const TvlRect& b : other.rects_) {
      const TvlRect i = vlIntersectRect(a, b);
      if (!vlRectEmpty(i)) r.rects_.push_back(i);
    }
  return r;
}

TvlRegion TvlRegion::Subtract(const TvlRegion& other) const {
  TvlRegion r;
  r.rects_ = SubtractRects(rects_, other.rects_);
  return r;
}

bool TvlRegion::Contains(TvlPoint p) const {
  for (const TvlRect& r : rects_)
    if (p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom) return true;
  return false;
}

bool TvlRegion::Intersects(const TvlRect& rect) const {
  for (const TvlRect& r : rects_)
    if (!vlRectEmpty(vlIntersectRect(r, rect))) return true;
  return false;
}

long long TvlRegion::Area() const {
  long long a = 0;
  for (const TvlRect& r : rects_) a += static_cast<long long>(r.Width()) * r.Height();
  return a;
}

bool TvlRegion::SameArea(const TvlRegion& other) const {
  return Area() == other.Area() && Subtract(other).Empty() && other.Subtract(*this).Empty();
}

}  // namespace vl
