#pragma once
// What the commands that prepare a template share (vlreport prepare and
// print): data sources given as --dataset NAME=SOURCE become datasets on a
// host form "FormMain", so templates find them by the names they were
// designed with; --var values become script variables; the template is
// prepared without a window.

#include <string>

#include "app/vlreport/command.h"
#include "engine/core/variables.h"
#include "engine/data/components.h"
#include "engine/model/report.h"

namespace vl::cli {

struct PrepareOptions {
  Args Datasets;        // NAME=SOURCE: a CSV file, or a SQLite file with "#TABLE" or "#SELECT ..."
  TvlVariables Vars;
  std::string Password;
  bool TwoPass = false;
};

// Takes --dataset, --var, --password and --two-pass.
PrepareOptions ReadPrepareOptions(ArgReader& reader);
// Loads the template into report (named vlReport1, owned by form, which
// gets the datasets) and prepares it. An error of the run raises TvlError
// with the run's error text.
void PrepareTemplate(TvlForm& form, TvlReport& report, const std::string& path, const PrepareOptions& options);

}  // namespace vl::cli
