#pragma once
// The data sources a template brings with it, put on the form that owns the
// report as datasets of their own names (a source and a dataset over it),
// for as long as this object lives; the designer, its preview and vlreport
// share it. A name the form already holds wins: the launcher's address list
// and vlreport's --dataset override the template's own source of that name.

#include <string>
#include <vector>

#include "engine/data/components.h"
#include "engine/model/report_data_sources.h"

namespace vl {

class TvlReportSourcesOnForm {
 public:
  explicit TvlReportSourcesOnForm(TvlComponent& form) : form_(form) {}
  ~TvlReportSourcesOnForm() { Detach(); }
  TvlReportSourcesOnForm(const TvlReportSourcesOnForm&) = delete;
  TvlReportSourcesOnForm& operator=(const TvlReportSourcesOnForm&) = delete;

  // Replaces what was attached before by sources. A source whose file is
  // missing, or that cannot be made, is left out and described in the
  // result, one line each ("NAME: why").
  std::vector<std::string> Attach(const TvlReportDataSources& sources);
  // Takes off what Attach put on.
  void Detach();
  // The names attached now, in the template's order.
  std::vector<std::string> Names() const;

 private:
  TvlComponent& form_;
  std::vector<TvlComponent*> added_;  // sources and datasets, in the order added
  std::vector<std::string> names_;
};

// One message for the sources that could not be attached: a first line and
// one line per source; empty when there are none.
std::string vlMissingSourcesMessage(const std::vector<std::string>& problems);

}  // namespace vl
