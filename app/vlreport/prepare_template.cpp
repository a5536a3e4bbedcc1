#include "app/vlreport/prepare_template.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "app/vlreport/cli_datasets.h"
#include "app/vlreport/cli_values.h"
#include "app/vlreport/json_output.h"
#include "app/vlreport/template_load.h"
#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/binding/globals.h"
#include "engine/core/text.h"
#include "engine/data/report_sources_on_form.h"
#include "platform/platform.h"
#include "platform/recording_message_box.h"
#include "engine/core/project_texts.h"

namespace vl::cli {

bool PrepareOptions::HasAddressList() const {
  const std::string prefix = std::string(kAddressDataset) + "=";
  for (const std::string& d : Datasets)
    if (d.size() >= prefix.size() && vlSameText(d.substr(0, prefix.size()), prefix)) return true;
  return false;
}

PrepareOptions ReadPrepareOptions(ArgReader& reader) {
  PrepareOptions options;
  options.Datasets = reader.Options("--dataset");
  for (const auto& [name, text] : ReadAssignmentTexts(reader, "--var")) {
    options.Vars.Set(name, ReadCliValue(text));
    if (const int field = vlEnvelopeFieldOf(name); field >= 0) options.Envelope[static_cast<std::size_t>(field)] = text;
  }
  options.Maps = ReadAssignments(reader, "--map");
  options.Password = reader.Option("--password");
  options.TwoPass = reader.Flag("--two-pass");
  options.Strict = reader.Flag("--strict");
  return options;
}

std::vector<TvlEnvelopeProblem> PrepareTemplate(TvlForm& form, TvlReport& report, const std::string& path,
                                                const PrepareOptions& options,
                                                const std::function<void(int)>& onProgress) {
  TvlGlobals* globals = vlGlobals();
  if (!globals) throw TvlError(vlTr("The engine's globals are not created"));
  for (const std::string& d : options.Datasets) AddDataset(form, d);
  report.Name = "vlReport1";
  report.Owner = &form;
  LoadTemplate(report, path, options.Password);
  // The template's own data sources serve the names no --dataset gave.
  TvlReportSourcesOnForm ownSources(form);
  for (const std::string& problem : ownSources.Attach(vlDataSourcesOf(report)))
    std::fprintf(stderr, "vlreport: %s\n", vlTr("data source %1", {problem}).c_str());
  // An address list makes the template one envelope per address for this run only.
  const std::unique_ptr<TvlAddressBinding> addresses = BindAddressList(form, report, options.Maps);
  std::unique_ptr<TvlEnvelopeRecord> envelope;
  if (std::any_of(options.Envelope.begin(), options.Envelope.end(), [](const auto& v) { return v.has_value(); }))
    envelope = std::make_unique<TvlEnvelopeRecord>(form, report, options.Envelope);
  for (const auto& entry : options.Vars.Entries()) globals->ScriptVariables.Set(entry.Name, entry.Value);
  if (options.TwoPass) report.TwoPassReport = true;
  // No window: scripts run under the step budget instead of Cancel.
  report.ShowProgress = false;
  if (onProgress) report.OnProgress = [onProgress](std::int32_t n) { onProgress(n); };

  // The error is raised below with its text; the message box stays silent,
  // and the previous one is back however the run ends.
  struct Quiet {
    TvlRecordingMessageBox box;
    TvlMessageBox* previous = vlPlatform().MessageBox;
    Quiet() { vlInstallPlatform(TvlPlatform{&box, nullptr, nullptr, nullptr}); }
    ~Quiet() { vlInstallPlatform(TvlPlatform{previous, nullptr, nullptr, nullptr}); }
  };
  {
    Quiet quiet;
    report.Prepare();
  }
  report.OnProgress = nullptr;
  if (vlState().ErrorFlag) throw TvlError(MessageLines(vlState().ErrorText));
  std::vector<TvlEnvelopeProblem> problems =
      addresses ? vlCheckEnvelopes(report, *addresses) : vlCheckPreparedValues(report);
  for (const TvlEnvelopeProblem& p : problems) std::fprintf(stderr, "vlreport: %s\n", Utf8(vlEnvelopeProblemLine(p)).c_str());
  if (options.Strict && !problems.empty()) {
    std::size_t envelopes = 0;
    for (std::size_t k = 0; k < problems.size(); ++k)
      envelopes += k == 0 || problems[k].Row != problems[k - 1].Row || problems[k].Page != problems[k - 1].Page;
    const std::string n = std::to_string(envelopes);
    if (addresses)
      throw TvlError(envelopes == 1 ? vlTr("1 envelope has a problem (--strict): nothing is written or printed")
                                    : vlTr("%1 envelopes have a problem (--strict): nothing is written or printed", {n}));
    throw TvlError(envelopes == 1 ? vlTr("1 page has a problem (--strict): nothing is written or printed")
                                  : vlTr("%1 pages have a problem (--strict): nothing is written or printed", {n}));
  }
  return problems;
}

nlohmann::ordered_json WarningsJson(const std::vector<TvlEnvelopeProblem>& problems) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const TvlEnvelopeProblem& p : problems) {
    nlohmann::ordered_json entry = {{"Row", p.Row}, {"Name", Utf8(p.Name)}, {"Problem", Utf8(p.Problem)}};
    if (p.Page) entry["Page"] = p.Page;
    list.push_back(std::move(entry));
  }
  return list;
}

}  // namespace vl::cli
