#pragma once
// Preparing a template from the command line, shared by every subcommand that
// prepares one (prepare, render): data sources given as NAME=SOURCE become
// datasets on a host form named "FormMain", so templates find them by the
// names they were designed with; --var values are script variables.

#include <functional>
#include <string>

#include "app/vlreport/command.h"
#include "engine/core/variables.h"

namespace vl {
class TvlForm;
class TvlReport;
}  // namespace vl

namespace vl::cli {

struct PrepareOptions {
  Args Datasets;        // NAME=SOURCE: a CSV file, or FILE.db#TABLE / FILE.db#SELECT ...
  TvlVariables Vars;    // script variables
  std::string Password; // answers the template's password prompt
  bool TwoPass = false;

  // True when any option that only a template uses was given.
  bool Any() const { return !Datasets.empty() || Vars.Count() > 0 || !Password.empty() || TwoPass; }
};

// Takes --dataset, --var, --password and --two-pass from the arguments.
PrepareOptions ReadPrepareOptions(ArgReader& reader);

// Loads the template into report (named vlReport1, owned by form), applies
// the options and prepares it without a window; onProgress, when given,
// hears the page numbers as the run goes. A template that cannot be loaded or
// a run that ends in an error raises TvlError with the engine's message.
void PrepareTemplate(TvlForm& form, TvlReport& report, const std::string& path, const PrepareOptions& options,
                     const std::function<void(int)>& onProgress = {});

}  // namespace vl::cli
