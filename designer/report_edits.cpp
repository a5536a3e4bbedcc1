#include "designer/report_edits.h"

#include <string>

#include "engine/model/report.h"
#include "engine/model/views.h"

namespace vl {
namespace {

// "Page" and the first number from 1 that no page is named with.
std::string UniquePageName(const TvlReport& report) {
  for (int n = 1;; ++n) {
    const std::string name = "Page" + std::to_string(n);
    bool taken = false;
    for (int i = 0; i < report.Pages.Count(); ++i) taken = taken || report.Pages[i]->Name == name;
    if (!taken) return name;
  }
}

}  // namespace

void TvlReportEdits::Push(TvlUndoStep step) {
  if (undo_) undo_->Push(std::move(step));
}

TvlPage* TvlReportEdits::AddPage(std::uint8_t pageType, const std::function<bool(TvlPage&)>& setUp) {
  TvlUndoStep before = undo_ ? vlMakeReportStep(ukPages, report_) : TvlUndoStep{};
  TvlPage* page = report_.Pages.Add();
  page->Name = UniquePageName(report_);
  page->PageType = pageType;
  if (setUp && !setUp(*page)) {
    report_.Pages.Delete(report_.Pages.Count() - 1);
    return nullptr;
  }
  Push(std::move(before));
  return page;
}

bool TvlReportEdits::DeletePage(int index) {
  if (report_.Pages.Count() <= 1 || index < 0 || index >= report_.Pages.Count()) return false;
  Push(undo_ ? vlMakeReportStep(ukPages, report_) : TvlUndoStep{});
  report_.Pages.Delete(index);
  for (int p = 0; p < report_.Pages.Count(); ++p) {
    auto& list = report_.Pages[p]->Objects;
    for (int i = static_cast<int>(list.size()) - 1; i >= 0; --i) {
      if (list[static_cast<std::size_t>(i)]->Typ != otSubReport) continue;
      auto& sub = static_cast<TvlSubReportView&>(*list[static_cast<std::size_t>(i)]);
      if (sub.TargetPage == index)
        list.erase(list.begin() + i);
      else if (sub.TargetPage > index)
        --sub.TargetPage;
    }
  }
  return true;
}

bool TvlReportEdits::ChangePage(int index, const std::function<bool(TvlPage&)>& change) {
  if (index < 0 || index >= report_.Pages.Count()) return false;
  TvlPage& page = *report_.Pages[index];
  const std::string record = vlPageRecord(page);
  TvlUndoStep before = undo_ ? vlMakeReportStep(ukPages, report_) : TvlUndoStep{};
  if (!change(page) || vlPageRecord(page) == record) return false;
  Push(std::move(before));
  return true;
}

bool TvlReportEdits::SetDataSources(const TvlReportDataSources& sources) {
  TvlReportDataSources& now = vlDataSourcesOf(report_);
  if (now.Items == sources.Items) return false;
  Push(undo_ ? vlMakeReportStep(ukDataSources, report_) : TvlUndoStep{});
  now.Items = sources.Items;
  return true;
}

}  // namespace vl
