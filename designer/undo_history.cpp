#include "designer/undo_history.h"

#include <algorithm>

#include "engine/core/engine_state.h"
#include "engine/model/object_factory.h"
#include "engine/model/page.h"
#include "engine/model/report.h"
#include "engine/model/stream_reader.h"
#include "engine/model/stream_writer.h"

namespace vl {

namespace {

int IndexOfId(const TvlPage& page, std::int32_t id) {
  for (std::size_t i = 0; i < page.Objects.size(); ++i)
    if (page.Objects[i]->ID == id) return static_cast<int>(i);
  return -1;
}

// Page records are written and read in the present stream form, whatever
// the form of the template last read.
class TvlPresentStreamForm {
 public:
  TvlPresentStreamForm() : previous_(vlState().StreamVersion) { vlState().StreamVersion = kCurrentStreamVersion; }
  ~TvlPresentStreamForm() { vlState().StreamVersion = previous_; }
  TvlPresentStreamForm(const TvlPresentStreamForm&) = delete;
  TvlPresentStreamForm& operator=(const TvlPresentStreamForm&) = delete;

 private:
  int previous_;
};

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

std::string vlPageRecord(const TvlPage& page) {
  const TvlPresentStreamForm present;
  TvlStreamWriter w;
  page.SaveToStream(w);
  return w.TakeBytes();
}

std::unique_ptr<TvlPage> vlCopyPage(const TvlPage& page) {
  const std::string record = vlPageRecord(page);
  auto copy = std::make_unique<TvlPage>(page.PaperSize, page.PaperWidth, page.PaperHeight, page.Bin, page.Orientation);
  {
    const TvlPresentStreamForm present;
    TvlStreamReader r(record);
    copy->LoadFromStream(r);
  }
  copy->Visible = page.Visible;
  for (const auto& v : page.Objects) copy->Objects.push_back(vlCopyView(*v));
  return copy;
}

TvlUndoStep vlMakeReportStep(TvlUndoKind kind, const TvlReport& report) {
  TvlUndoStep step;
  step.Kind = kind;
  step.PageIndex = kAnyPage;
  if (kind == ukPages)
    for (int i = 0; i < report.Pages.Count(); ++i) step.Pages.push_back(vlCopyPage(*report.Pages[i]));
  else
    step.Sources = vlDataSourcesOf(report).Items;
  return step;
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

void TvlUndoBuffers::Push(TvlUndoStep step) {
  RedoSteps.Clear();
  UndoSteps.Push(std::move(step));
}

bool TvlUndoBuffers::Revert(TvlUndoHistory& from, TvlUndoHistory& to, TvlReport& report, int pageIndex) {
  if (from.Empty()) return false;
  if (!from.NewestIsReportLevel()) {
    if (pageIndex < 0 || pageIndex >= report.Pages.Count()) return false;
    return Revert(from, to, *report.Pages[pageIndex], pageIndex);
  }
  TvlUndoStep step = from.Pop();
  // The inverse takes what stands now; the step's own state goes in whole.
  TvlUndoStep inverse;
  inverse.Kind = step.Kind;
  inverse.PageIndex = kAnyPage;
  if (step.Kind == ukPages) {
    while (report.Pages.Count() > 0) inverse.Pages.push_back(report.Pages.Release(0));
    for (auto& page : step.Pages) {
      for (auto& v : page->Objects) v->Selected = 0;
      report.Pages.Adopt(std::move(page));
    }
  } else {
    inverse.Sources = std::move(vlDataSourcesOf(report).Items);
    vlDataSourcesOf(report).Items = std::move(step.Sources);
  }
  to.Push(std::move(inverse));
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
      case ukPages:
      case ukDataSources:
        break;  // report-level steps belong to no page (kAnyPage): never here
    }
  }
  for (auto& v : page.Objects) v->Selected = 0;
  if (!inverse.Entries.empty()) to.Push(std::move(inverse));
  return true;
}

}  // namespace vl
