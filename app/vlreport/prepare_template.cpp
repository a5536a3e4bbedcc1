#include "app/vlreport/prepare_template.h"

#include <memory>

#include "app/vlreport/cli_datasets.h"
#include "app/vlreport/cli_values.h"
#include "app/vlreport/template_load.h"
#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/report/globals.h"
#include "platform/platform.h"
#include "platform/recording_message_box.h"

namespace vl::cli {

PrepareOptions ReadPrepareOptions(ArgReader& reader) {
  PrepareOptions options;
  options.Datasets = reader.Options("--dataset");
  options.Vars = ReadAssignments(reader, "--var");
  options.Maps = ReadAssignments(reader, "--map");
  options.Password = reader.Option("--password");
  options.TwoPass = reader.Flag("--two-pass");
  return options;
}

void PrepareTemplate(TvlForm& form, TvlReport& report, const std::string& path, const PrepareOptions& options) {
  TvlGlobals* globals = vlGlobals();
  if (!globals) throw TvlError("The engine's globals are not created");
  for (const std::string& d : options.Datasets) AddDataset(form, d);
  report.Name = "vlReport1";
  report.Owner = &form;
  LoadTemplate(report, path, options.Password);
  // An address list makes the template one envelope per address for this run only.
  const std::unique_ptr<TvlAddressBinding> addresses = BindAddressList(form, report, options.Maps);
  for (const auto& entry : options.Vars.Entries()) globals->ScriptVariables.Set(entry.Name, entry.Value);
  if (options.TwoPass) report.TwoPassReport = true;
  // No window: scripts run under the step budget instead of Cancel.
  report.ShowProgress = false;

  TvlRecordingMessageBox quiet;
  TvlMessageBox* previous = vlPlatform().MessageBox;
  vlInstallPlatform(TvlPlatform{&quiet, nullptr, nullptr, nullptr});
  report.Prepare();
  vlInstallPlatform(TvlPlatform{previous, nullptr, nullptr, nullptr});
  if (vlState().ErrorFlag) throw TvlError(MessageLines(vlState().ErrorText));
}

}  // namespace vl::cli
