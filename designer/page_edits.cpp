#include "designer/page_edits.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdint>
#include <vector>

#include "designer/align_objects.h"
#include "designer/designer_restrictions.h"
#include "engine/core/string_table.h"
#include "engine/model/band_kinds.h"
#include "engine/model/band_view.h"
#include "engine/model/codes.h"
#include "engine/model/object_factory.h"

namespace vl {
namespace {

bool MayMove(const TvlView& v) { return !vlRestricted(dsNoMoveObject) && !(v.Restrictions & rsDontMove); }
bool MaySize(const TvlView& v) { return !vlRestricted(dsNoSizeObject) && !(v.Restrictions & rsDontSize); }
bool MayDelete(const TvlView& v) { return !vlRestricted(dsNoDeleteObject) && !(v.Restrictions & rsDontDelete); }

}  // namespace

std::string vlBandBaseName(int bandType) {
  // Object names are identifiers in scripts: always the English band name.
  std::string base = vlBuiltinStr(str::kFirstBandName + bandType);
  if (const auto space = base.find(' '); space != std::string::npos) {
    base.erase(space, 1);
    if (space < base.size()) base[space] = static_cast<char>(std::toupper(static_cast<unsigned char>(base[space])));
  }
  return base;
}

std::unique_ptr<TvlView> vlNewBand(int bandType) {
  std::unique_ptr<TvlView> band = vlCreateView(otBand, {});
  band->FrameTyp = static_cast<std::uint16_t>(bandType);
  band->BaseName = vlBandBaseName(bandType);
  return band;
}

void vlApplyBandOrder(TvlPage& page) {
  auto& list = page.Objects;
  std::stable_partition(list.begin(), list.end(), [](const auto& v) { return v->Typ == otBand; });
  const auto bandsEnd = std::find_if(list.begin(), list.end(), [](const auto& v) { return v->Typ != otBand; });
  const auto overlay = std::find_if(list.begin(), bandsEnd, [](const auto& v) { return v->FrameTyp == btOverlay; });
  if (overlay != bandsEnd) std::rotate(list.begin(), overlay, overlay + 1);
  std::stable_partition(list.begin(), bandsEnd, [](const auto& v) { return !vlIsVerticalBand(v->FrameTyp); });
}

bool TvlPageEdits::Record(TvlUndoKind kind) {
  if (undo_) undo_->Record(kind, page_, index_);
  return true;
}

bool TvlPageEdits::MoveSelection(int dx, int dy) {
  if (dx == 0 && dy == 0) return false;
  const bool any = std::any_of(page_.Objects.begin(), page_.Objects.end(),
                               [](const auto& v) { return v->Selected && MayMove(*v); });
  if (!any) return false;
  Record(ukEdit);
  for (const auto& v : page_.Objects)
    if (v->Selected && MayMove(*v)) {
      v->Left += dx;
      v->Top += dy;
    }
  return true;
}

bool TvlPageEdits::ResizeSelection(int dw, int dh) {
  if (dw == 0 && dh == 0) return false;
  const bool any = std::any_of(page_.Objects.begin(), page_.Objects.end(),
                               [](const auto& v) { return v->Selected && MaySize(*v); });
  if (!any) return false;
  Record(ukEdit);
  for (const auto& v : page_.Objects)
    if (v->Selected && MaySize(*v)) {
      v->Width = std::max(0, v->Width + dw);
      v->Height = std::max(0, v->Height + dh);
    }
  return true;
}

bool TvlPageEdits::SetBounds(TvlView& view, int left, int top, int width, int height) {
  width = std::max(0, width);
  height = std::max(0, height);
  const bool moves = left != view.Left || top != view.Top;
  const bool sizes = width != view.Width || height != view.Height;
  if ((!moves && !sizes) || (moves && !MayMove(view)) || (sizes && !MaySize(view))) return false;
  // The step holds the selected objects: for it, the one changed alone.
  std::vector<std::uint8_t> selection;
  for (const auto& v : page_.Objects) {
    selection.push_back(static_cast<std::uint8_t>(v->Selected));
    v->Selected = v.get() == &view ? 1 : 0;
  }
  Record(ukEdit);
  for (std::size_t i = 0; i < page_.Objects.size(); ++i) page_.Objects[i]->Selected = selection[i];
  view.Left = left;
  view.Top = top;
  view.Width = width;
  view.Height = height;
  return true;
}

bool TvlPageEdits::DeleteSelection() {
  auto& list = page_.Objects;
  const bool any = std::any_of(list.begin(), list.end(), [](const auto& v) { return v->Selected && MayDelete(*v); });
  if (!any) return false;
  Record(ukDelete);
  for (int i = static_cast<int>(list.size()) - 1; i >= 0; --i) {
    TvlView& v = *list[static_cast<std::size_t>(i)];
    if (!v.Selected || !MayDelete(v)) continue;
    if (v.Typ == otBand && v.FrameTyp == btChild)
      for (const auto& o : list)
        if (o->Typ == otBand && static_cast<TvlBandView&>(*o).ChildBand == v.Name)
          static_cast<TvlBandView&>(*o).ChildBand.clear();
    list.erase(list.begin() + i);
  }
  return true;
}

bool TvlPageEdits::ZOrderSelection(bool toFront) {
  if (vlRestricted(dsNoMoveObject)) return false;
  auto& list = page_.Objects;
  // Objects that may not move keep their place in the stacking order too.
  auto moving = [](const auto& v) { return v->Selected && !(v->Restrictions & rsDontMove); };
  if (std::none_of(list.begin(), list.end(), moving)) return false;
  Record(ukZOrder);
  std::stable_partition(list.begin(), list.end(), [&](const auto& v) { return toFront != moving(v); });
  return true;
}

bool TvlPageEdits::KeepSelectionOnPaper(int paperWidth, int paperHeight, bool record) {
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
  for (const auto& v : page_.Objects)
    if (v->Selected && MayMove(*v) && v->Typ != otBand) {
      left = std::min(left, v->Left);
      top = std::min(top, v->Top);
      right = std::max(right, v->Left + v->Width);
      bottom = std::max(bottom, v->Top + v->Height);
    }
  if (left == INT_MAX) return false;
  // Back within the paper: the group's start first, then its end as far as
  // the start allows (a group wider than the paper keeps its left edge on it).
  int dx = 0, dy = 0;
  if (right > paperWidth) dx = paperWidth - right;
  if (left + dx < 0) dx = -left;
  if (bottom > paperHeight) dy = paperHeight - bottom;
  if (top + dy < 0) dy = -top;
  if (dx == 0 && dy == 0) return false;
  if (record) Record(ukEdit);
  for (const auto& v : page_.Objects)
    if (v->Selected && MayMove(*v) && v->Typ != otBand) {
      v->Left += dx;
      v->Top += dy;
    }
  return true;
}

bool TvlPageEdits::Align(int command, const TvlView* anchor, int surfaceWidth, int surfaceHeight) {
  if (vlRestricted(dsNoMoveObject)) return false;
  int selected = 0;
  const TvlView* topmost = nullptr;
  for (const auto& v : page_.Objects)
    if (v->Selected) ++selected, topmost = v.get();
  const TvlView* band = vlFirstSelectedBand(page_);
  // A selection that does not suit the command leaves no undo step behind.
  const bool bandRow = (command == acLeftEdges || command == acRightEdges) && band;
  if (selected == 0 || (!bandRow && selected < vlAlignMinimum(command))) return false;
  if (bandRow) {
    // The row moves objects that are not selected: the step keeps them too,
    // so that undo puts the whole row back.
    std::vector<TvlView*> added;
    for (TvlView* v : vlBandRow(page_, *band))
      if (!v->Selected) v->Selected = 1, added.push_back(v);
    Record(ukEdit);
    for (TvlView* v : added) v->Selected = 0;
  } else {
    Record(ukEdit);
  }
  vlAlignObjects(page_, command, anchor ? anchor : topmost, surfaceWidth, surfaceHeight);
  return true;
}

bool TvlPageEdits::FitSelectionToGrid(int grid) {
  if (vlRestricted(dsNoMoveObject)) return false;
  const int g = std::max(1, grid);
  const bool any = std::any_of(page_.Objects.begin(), page_.Objects.end(),
                               [](const auto& v) { return v->Selected && !(v->Restrictions & rsDontMove); });
  if (!any) return false;
  // Halves go to the even neighbour (the platform's default rounding).
  auto fit = [g](int value, bool size) {
    const int fitted = static_cast<int>(std::lrint(static_cast<double>(value) / g)) * g;
    return size && fitted == 0 ? g : fitted;
  };
  Record(ukEdit);
  for (const auto& v : page_.Objects) {
    if (!v->Selected || (v->Restrictions & rsDontMove)) continue;
    v->Left = fit(v->Left, false);
    v->Top = fit(v->Top, false);
    v->Width = fit(v->Width, true);
    v->Height = fit(v->Height, true);
  }
  return true;
}

TvlView& TvlPageEdits::Insert(std::unique_ptr<TvlView> view) {
  TvlView& v = *view;
  for (const auto& o : page_.Objects) o->Selected = 0;
  page_.Objects.push_back(std::move(view));
  v.CreateUniqueName();
  v.SetProperty("Name", TvlValue(v.Name));
  v.Selected = 1;
  if (v.Typ == otBand) vlApplyBandOrder(page_);
  // An insert step is recorded after the change: it keeps the new object's ID.
  Record(ukInsert);
  return v;
}

TvlView& TvlPageEdits::InsertBand(int bandType, const TvlRect& bounds) {
  std::unique_ptr<TvlView> band = vlNewBand(bandType);
  band->Left = bounds.Left;
  band->Top = bounds.Top;
  band->Width = bounds.Width();
  band->Height = bounds.Height();
  return Insert(std::move(band));
}

}  // namespace vl
