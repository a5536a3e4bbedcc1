#include "designer/align_objects.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>

#include "engine/model/codes.h"
#include "engine/model/page.h"
#include "engine/model/page_limits.h"

namespace vl {

namespace {

bool Movable(const TvlView& v) { return !(v.Restrictions & rsDontMove); }
int Right(const TvlView& v) { return v.Left + v.Width; }
int Bottom(const TvlView& v) { return v.Top + v.Height; }

// Objects ordered by a coordinate compared as four-digit zero-padded text,
// equal texts keeping list order (so 10000 sorts before 9999, as it always did).
void SortByText(std::vector<TvlView*>& list, int TvlView::*coordinate) {
  auto text = [coordinate](const TvlView* v) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d", v->*coordinate);
    return std::string(buffer);
  };
  std::stable_sort(list.begin(), list.end(), [&](const TvlView* a, const TvlView* b) { return text(a) < text(b); });
}

// Equal steps between the first and the last object's coordinate.
void SpaceEqually(std::vector<TvlView*> list, int TvlView::*coordinate) {
  SortByText(list, coordinate);
  const int step = (list.back()->*coordinate - list.front()->*coordinate) / static_cast<int>(list.size() - 1);
  for (std::size_t i = 1; i + 1 < list.size(); ++i)
    if (Movable(*list[i])) list[i]->*coordinate = list[i - 1]->*coordinate + step;
}

// The selection shifted so that its bounding box is centred on the surface
// along one axis; objects that may not move stay.
void CentreIn(const std::vector<TvlView*>& selected, int TvlView::*start, int TvlView::*size, int surface) {
  int lo = INT_MAX, hi = INT_MIN;
  for (TvlView* v : selected) lo = std::min(lo, v->*start), hi = std::max(hi, v->*start + v->*size);
  const int shift = lo + (hi - lo - surface) / 2;
  for (TvlView* v : selected)
    if (Movable(*v)) v->*start -= shift;
}

void BandRow(TvlPage& page, const TvlView& band, const std::vector<TvlView*>& selected, bool fromRight) {
  std::vector<TvlView*> row = vlBandRow(page, band);
  if (row.empty()) return;
  SortByText(row, &TvlView::Left);
  // The row takes the top of the selected object furthest to that side.
  const TvlView* guide = nullptr;
  for (TvlView* v : selected) {
    if (v->Typ == otBand) continue;
    if (!guide || (fromRight ? Right(*v) > Right(*guide) : v->Left < guide->Left)) guide = v;
  }
  const int top = guide ? guide->Top : INT_MIN;
  const TvlPageLimits limits = vlPageLimits(page);
  auto place = [top](TvlView& v, int left) {
    if (!Movable(v)) return;
    v.Left = left;
    if (top != INT_MIN) v.Top = top;
  };
  if (fromRight) {
    int right = limits.Right;
    for (auto it = row.rbegin(); it != row.rend(); ++it) {
      place(**it, right - (*it)->Width);
      right -= (*it)->Width;
    }
  } else {
    int left = limits.Left;
    for (TvlView* v : row) {
      place(*v, left);
      left += v->Width;
    }
  }
}

}  // namespace

std::vector<TvlView*> vlBandRow(const TvlPage& page, const TvlView& band) {
  std::vector<TvlView*> row;
  for (const auto& v : page.Objects)
    if (v->Typ != otBand && v->Top >= band.Top && Bottom(*v) <= Bottom(band)) row.push_back(v.get());
  return row;
}

const TvlView* vlFirstSelectedBand(const TvlPage& page) {
  for (const auto& v : page.Objects)
    if (v->Selected && v->Typ == otBand) return v.get();
  return nullptr;
}

int vlAlignMinimum(int command) {
  switch (command) {
    case acHCenterInWindow:
    case acVCenterInWindow:
      return 1;
    case acHSpace:
    case acVSpace:
      return 3;
    default:
      return 2;
  }
}

bool vlAlignObjects(TvlPage& page, int command, const TvlView* anchor, int surfaceWidth, int surfaceHeight) {
  std::vector<TvlView*> selected;
  const TvlView* band = nullptr;
  for (const auto& v : page.Objects)
    if (v->Selected) {
      selected.push_back(v.get());
      if (!band && v->Typ == otBand) band = v.get();
    }
  if ((command == acLeftEdges || command == acRightEdges) && band) {
    BandRow(page, *band, selected, command == acRightEdges);
    return true;
  }
  if (static_cast<int>(selected.size()) < vlAlignMinimum(command)) return false;
  if (!anchor) anchor = selected.back();
  // The anchor's place before it moves itself.
  const struct {
    int Left, Top, Width, Height;
  } a{anchor->Left, anchor->Top, anchor->Width, anchor->Height};
  auto each = [&](auto change) {
    for (TvlView* v : selected)
      if (Movable(*v)) change(*v);
  };
  switch (command) {
    case acLeftEdges: each([&](TvlView& v) { v.Left = a.Left; }); break;
    case acHCenters: each([&](TvlView& v) { v.Left = a.Left + a.Width / 2 - v.Width / 2; }); break;
    case acRightEdges: each([&](TvlView& v) { v.Left = a.Left + a.Width - v.Width; }); break;
    case acTops: each([&](TvlView& v) { v.Top = a.Top; }); break;
    case acVCenters: each([&](TvlView& v) { v.Top = a.Top + a.Height / 2 - v.Height / 2; }); break;
    case acBottoms: each([&](TvlView& v) { v.Top = a.Top + a.Height - v.Height; }); break;
    case acHCenterInWindow: CentreIn(selected, &TvlView::Left, &TvlView::Width, surfaceWidth); break;
    case acVCenterInWindow: CentreIn(selected, &TvlView::Top, &TvlView::Height, surfaceHeight); break;
    case acHSpace: SpaceEqually(selected, &TvlView::Left); break;
    case acVSpace: SpaceEqually(selected, &TvlView::Top); break;
    default: return false;
  }
  return true;
}

}  // namespace vl
