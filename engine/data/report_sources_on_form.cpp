#include "engine/data/report_sources_on_form.h"

#include <algorithm>
#include <filesystem>

#include "engine/core/error.h"
#include "engine/data/db_dataset.h"
#include "engine/data/named_list.h"
#include "engine/data/open_data_source.h"
#include "engine/core/project_texts.h"

namespace vl {

std::vector<std::string> TvlReportSourcesOnForm::Attach(const TvlReportDataSources& sources) {
  Detach();
  std::vector<std::string> problems;
  for (const TvlReportDataSource& s : sources.Items) {
    if (s.Name.empty() || form_.FindComponent(s.Name)) continue;  // the form's own wins
    std::error_code ec;
    if (!std::filesystem::exists(s.FileName, ec)) {
      problems.push_back(vlTr("%1: %2 is missing", {s.Name, s.FileName}));
      continue;
    }
    try {
      std::unique_ptr<TvlDataSource> made = vlMakeDataSource(vlParseSourceSpec(s.Spec()), vlListSourceName(s.Name));
      auto& source = static_cast<TvlDataSource&>(form_.InsertComponent(std::move(made)));
      added_.push_back(&source);
      auto& dataset = form_.Add<TvlDBDataSet>(s.Name);
      dataset.SetDataSet(&source);
      added_.push_back(&dataset);
      names_.push_back(s.Name);
    } catch (const TvlError& e) {
      problems.push_back(s.Name + ": " + e.what());
    }
  }
  return problems;
}

void TvlReportSourcesOnForm::Detach() {
  // Datasets first: they refer to their sources.
  for (auto it = added_.rbegin(); it != added_.rend(); ++it) {
    const auto& owned = form_.Components();
    if (std::any_of(owned.begin(), owned.end(), [&](const auto& c) { return c.get() == *it; }))
      form_.DestroyComponent(*it);
  }
  added_.clear();
  names_.clear();
}

std::vector<std::string> TvlReportSourcesOnForm::Names() const { return names_; }

std::string vlMissingSourcesMessage(const std::vector<std::string>& problems) {
  if (problems.empty()) return {};
  std::string text = vlTr("These data sources of the report cannot be read; the report opens without them:");
  for (const std::string& p : problems) text += "\r" + p;
  return text;
}

}  // namespace vl
