#include "app/vlreport/prepare_template.h"

#include <QString>

#include "app/vlreport/cli_values.h"
#include "app/vlreport/template_load.h"
#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/core/text.h"
#include "engine/data/csv_data_source.h"
#include "engine/data/db_dataset.h"
#include "engine/data/sqlite_data_source.h"
#include "engine/report/globals.h"
#include "platform/platform.h"
#include "platform/qt/qt_text.h"
#include "platform/recording_message_box.h"

namespace vl::cli {
namespace {

// NAME=SOURCE: a CSV file, or a SQLite file followed by "#TABLE" or "#SELECT ...".
void AddDataset(TvlForm& form, const std::string& given) {
  const std::size_t eq = given.find('=');
  if (eq == std::string::npos || eq == 0) throw UsageError{"--dataset needs NAME=SOURCE, not '" + given + "'"};
  const std::string name = vlFromQt(QString::fromUtf8(given.substr(0, eq).c_str()));
  const std::string source = given.substr(eq + 1);
  if (form.FindComponent(name)) throw UsageError{"--dataset " + given.substr(0, eq) + " is given twice"};
  TvlDataSource* data = nullptr;
  const std::size_t hash = source.find('#');
  if (hash == std::string::npos) {
    auto& csv = form.Add<TvlCsvDataSource>(name + "_Source");
    csv.FileName = source;
    data = &csv;
  } else {
    auto& sqlite = form.Add<TvlSQLiteDataSource>(name + "_Source");
    sqlite.FileName = source.substr(0, hash);
    const std::string what = vlTrim(source.substr(hash + 1));
    if (what.empty()) throw UsageError{"--dataset " + given + ": name a table or a SELECT after '#'"};
    if (what.size() > 7 && vlSameText(what.substr(0, 7), "SELECT "))
      sqlite.SQL = vlFromQt(QString::fromUtf8(what.c_str()));
    else
      sqlite.TableName = vlFromQt(QString::fromUtf8(what.c_str()));
    data = &sqlite;
  }
  auto& dataset = form.Add<TvlDBDataSet>(name);
  dataset.SetDataSet(data);
}

}  // namespace

PrepareOptions ReadPrepareOptions(ArgReader& reader) {
  PrepareOptions options;
  options.Datasets = reader.Options("--dataset");
  options.Vars = ReadAssignments(reader, "--var");
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
