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
#include "engine/data/db_dataset.h"
#include "engine/data/report_sources_on_form.h"
#include "engine/labels/label_check.h"
#include "engine/labels/leading_blanks.h"
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

namespace {

bool AnyValue(const TvlEnvelopeValues& values) {
  return std::any_of(values.begin(), values.end(), [](const auto& v) { return v.has_value(); });
}

// What prepare, render, print and labels share: the datasets, the loaded
// (or built) template, the address list or the --var values, the run
// without a window and the check of what it prepared. labels: the sheet
// when load builds a label template.
std::vector<TvlEnvelopeProblem> Prepare(TvlForm& form, TvlReport& report, const std::function<void()>& load,
                                        const PrepareOptions& options, const std::function<void(int)>& onProgress,
                                        const LabelJob* labels) {
  TvlGlobals* globals = vlGlobals();
  if (!globals) throw TvlError(vlTr("The engine's globals are not created"));
  for (const std::string& d : options.Datasets) AddDataset(form, d);
  report.Name = "vlReport1";
  report.Owner = &form;
  load();
  // The template's own data sources serve the names no --dataset gave.
  TvlReportSourcesOnForm ownSources(form);
  for (const std::string& problem : ownSources.Attach(vlDataSourcesOf(report)))
    std::fprintf(stderr, "vlreport: %s\n", vlTr("data source %1", {problem}).c_str());
  // An address list makes the template one envelope per address for this
  // run only; labels walk the list with their band, one label per address.
  const bool returnLabels = labels && labels->Layout == TvlLabelLayout::Return;
  if (returnLabels && options.HasAddressList())
    throw UsageError{vlTr("--layout return prints the sender on every label: it takes no address list")};
  const std::unique_ptr<TvlAddressBinding> addresses =
      returnLabels ? nullptr : BindAddressList(form, report, options.Maps, !labels);
  // Without a list a sheet of labels repeats the values given on every label left.
  const int copies = labels && !addresses ? labels->Sheet.Labels() - (labels->Start - 1) : 1;
  if (labels && !addresses && !AnyValue(options.Envelope))
    throw UsageError{returnLabels ? vlTr("--layout return needs the sender: --var SenderAddress=TEXT [--var SenderPostcode=CODE]")
                                  : vlTr("labels need an address list (--dataset Addresses=LIST) or --var RecipientName=TEXT ...")};
  std::unique_ptr<TvlEnvelopeRecord> envelope;
  if (AnyValue(options.Envelope)) envelope = std::make_unique<TvlEnvelopeRecord>(form, report, options.Envelope, copies);
  if (labels && !addresses) vlSetLabelDataset(report, TvlEnvelopeRecord::kDataset);
  // "Start at label N": the labels before it stay empty.
  std::unique_ptr<TvlLeadingBlanks> blanks;
  if (labels && labels->Start > 1)
    if (auto* walked = dynamic_cast<TvlDBDataSet*>(form.FindComponent(vlLabelDatasetOf(report))))
      blanks = std::make_unique<TvlLeadingBlanks>(*walked, labels->Start - 1);
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
      !addresses ? vlCheckPreparedValues(report)
      : labels   ? vlCheckLabels(report, *addresses, labels->Sheet, labels->Start, labels->Start - 1)
                 : vlCheckEnvelopes(report, *addresses);
  for (const TvlEnvelopeProblem& p : problems) std::fprintf(stderr, "vlreport: %s\n", Utf8(vlEnvelopeProblemLine(p)).c_str());
  if (options.Strict && !problems.empty()) {
    std::size_t envelopes = 0;
    for (std::size_t k = 0; k < problems.size(); ++k)
      envelopes += k == 0 || problems[k].Row != problems[k - 1].Row || problems[k].Page != problems[k - 1].Page;
    const std::string n = std::to_string(envelopes);
    if (labels && addresses)
      throw TvlError(envelopes == 1 ? vlTr("1 label has a problem (--strict): nothing is written or printed")
                                    : vlTr("%1 labels have a problem (--strict): nothing is written or printed", {n}));
    if (addresses)
      throw TvlError(envelopes == 1 ? vlTr("1 envelope has a problem (--strict): nothing is written or printed")
                                    : vlTr("%1 envelopes have a problem (--strict): nothing is written or printed", {n}));
    throw TvlError(envelopes == 1 ? vlTr("1 page has a problem (--strict): nothing is written or printed")
                                  : vlTr("%1 pages have a problem (--strict): nothing is written or printed", {n}));
  }
  return problems;
}

}  // namespace

std::vector<TvlEnvelopeProblem> PrepareTemplate(TvlForm& form, TvlReport& report, const std::string& path,
                                                const PrepareOptions& options,
                                                const std::function<void(int)>& onProgress) {
  return Prepare(form, report, [&] { LoadTemplate(report, path, options.Password); }, options, onProgress, nullptr);
}

std::vector<TvlEnvelopeProblem> PrepareLabels(TvlForm& form, TvlReport& report, const LabelJob& job,
                                              const PrepareOptions& options,
                                              const std::function<void(int)>& onProgress) {
  return Prepare(form, report, [&] { vlBuildLabelTemplate(report, job.Sheet, job.Layout); }, options, onProgress,
                 &job);
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
