#include "designer/undo_history.h"

#include <algorithm>

#include "engine/model/object_factory.h"
#include "engine/model/page.h"

namespace vl {

namespace {

int IndexOfId(const TvlPage& page, std::int32_t id) {
  for (std::size_t i = 0; i < page.Objects.size(); ++i)
    if (page.Objects[i]->ID == id) return static_cast<int>(i);
  return -1;
}

void PutAt(TvlPage& page, int from, int to) {
  auto& list = page.Objects;
  to = std::clamp(to, 0, static_cast<int>(list.size()) - 1);
  if (from == to) return;
  auto view = std::move(list[static_cast<std::size_t>(from)]);
  list.erase(list.begin() + from);
  list.insert(list.begin() + to, std::move(view));
}

}  // namespace

std::unique_ptr<TvlView> vlCopyView(TvlView& view) {
  std::unique_ptr<TvlView> copy = vlCreateView(view.Typ, view.ClassName);
  copy->Assign(view);
  copy->ID = view.ID;
  return copy;
}

void TvlUndoHistory::Push(TvlUndoStep step) {
  if (steps_.size() >= kCapacity) steps_.pop_front();
  steps_.push_back(std::move(step));
}

TvlUndoStep TvlUndoHistory::Pop() {
  TvlUndoStep step = std::move(steps_.back());
  steps_.pop_back();
  return step;
}

TvlUndoStep vlMakeUndoStep(TvlUndoKind kind, int pageIndex, const std::vector<std::pair<TvlView*, int>>& objects) {
  TvlUndoStep step;
  step.Kind = kind;
  step.PageIndex = pageIndex;
  for (const auto& [view, index] : objects) {
    if (view->Flags & flNoUndo) continue;
    TvlUndoEntry entry;
    entry.ID = view->ID;
    entry.Index = index;
    if (kind == ukDelete || kind == ukEdit) entry.Copy = vlCopyView(*view);
    step.Entries.push_back(std::move(entry));
  }
  return step;
}

bool TvlUndoBuffers::Record(TvlUndoKind kind, TvlPage& page, int pageIndex) {
  RedoSteps.Clear();
  std::vector<std::pair<TvlView*, int>> objects;
  for (std::size_t i = 0; i < page.Objects.size(); ++i) {
    TvlView* v = page.Objects[i].get();
    if (kind == ukZOrder || v->Selected) objects.emplace_back(v, static_cast<int>(i));
  }
  TvlUndoStep step = vlMakeUndoStep(kind, pageIndex, objects);
  if (step.Entries.empty()) return false;
  UndoSteps.Push(std::move(step));
  return true;
}

bool TvlUndoBuffers::Revert(TvlUndoHistory& from, TvlUndoHistory& to, TvlPage& page, int pageIndex) {
  if (from.Empty() || from.Newest().PageIndex != pageIndex) return false;
  TvlUndoStep step = from.Pop();

  // The inverse, taken from the page as it stands now.
  TvlUndoStep inverse;
  inverse.PageIndex = pageIndex;
  switch (step.Kind) {
    case ukInsert: inverse.Kind = ukDelete; break;
    case ukDelete: inverse.Kind = ukInsert; break;
    default: inverse.Kind = step.Kind; break;
  }
  for (const TvlUndoEntry& e : step.Entries) {
    TvlUndoEntry back;
    back.ID = e.ID;
    back.Index = e.Index;
    if (step.Kind == ukInsert || step.Kind == ukZOrder) {
      back.Index = IndexOfId(page, e.ID);
      if (back.Index < 0) continue;
      if (step.Kind == ukInsert) back.Copy = vlCopyView(*page.Objects[static_cast<std::size_t>(back.Index)]);
    } else if (step.Kind == ukEdit) {
      if (e.Index < 0 || e.Index >= static_cast<int>(page.Objects.size())) continue;
      TvlView& now = *page.Objects[static_cast<std::size_t>(e.Index)];
      back.ID = now.ID;
      back.Copy = vlCopyView(now);
    }
    inverse.Entries.push_back(std::move(back));
  }

  // Apply the step in list order.
  for (TvlUndoEntry& e : step.Entries) {
    switch (step.Kind) {
      case ukInsert: {
        const int at = IndexOfId(page, e.ID);
        if (at >= 0) page.Objects.erase(page.Objects.begin() + at);
        break;
      }
      case ukDelete: {
        const int at = std::clamp(e.Index, 0, static_cast<int>(page.Objects.size()));
        page.Objects.insert(page.Objects.begin() + at, std::move(e.Copy));
        break;
      }
      case ukEdit:
        if (e.Index >= 0 && e.Index < static_cast<int>(page.Objects.size()))
          page.Objects[static_cast<std::size_t>(e.Index)]->Assign(*e.Copy);
        break;
      case ukZOrder: {
        const int at = IndexOfId(page, e.ID);
        if (at >= 0) PutAt(page, at, e.Index);
        break;
      }
    }
  }
  for (auto& v : page.Objects) v->Selected = 0;
  if (!inverse.Entries.empty()) to.Push(std::move(inverse));
  return true;
}

}  // namespace vl
