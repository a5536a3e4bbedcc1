#pragma once
// What the commands that prepare a template share (vlreport prepare and
// print): data sources given as --dataset NAME=SOURCE become datasets on a
// host form "FormMain", so templates find them by the names they were
// designed with; --var values become script variables (and fill the
// envelope's fields they name); the template is prepared without a window.

#include <functional>
#include <nlohmann/json.hpp>
#include <vector>
#include <string>

#include "app/vlreport/command.h"
#include "engine/core/variables.h"
#include "engine/data/components.h"
#include "engine/data/envelope_check.h"
#include "engine/data/envelope_record.h"
#include "engine/labels/label_template.h"
#include "engine/model/report.h"

namespace vl::cli {

struct PrepareOptions {
  Args Datasets;        // NAME=SOURCE as vlOpenDataSource takes it (CSV, vCard, SQLite "#TABLE" or "#SELECT ...")
  TvlVariables Vars;
  // The --var values that name an envelope variable (RecipientName ...), as
  // given: they fill the envelope's fields as an address does, and win over
  // an address list's column for that field.
  TvlEnvelopeValues Envelope;
  TvlVariables Maps;    // VARIABLE=COLUMN for the address list's columns the names do not give
  std::string Password;
  bool TwoPass = false;
  // Any problem the check of an address list's envelopes finds stops the
  // run as an error, before anything is written or printed.
  bool Strict = false;

  // True when an address list (the dataset "Addresses") is given.
  bool HasAddressList() const;
  // True when any option that only a template uses was given.
  bool Any() const { return !Datasets.empty() || Vars.Count() > 0 || Maps.Count() > 0 || !Password.empty() || TwoPass || Strict; }
};

// Takes --dataset, --var, --map, --password, --two-pass and --strict.
PrepareOptions ReadPrepareOptions(ArgReader& reader);
// Loads the template into report (named vlReport1, owned by form, which
// gets the datasets) and prepares it; with an address list (the dataset
// "Addresses") one envelope per address. An error of the run raises TvlError
// with the run's error text. onProgress, when given, hears the page numbers
// as the run goes.
// With an address list every envelope is checked once prepared: the
// problems are written to standard error, one line each, and returned (for
// the "Warnings" of the JSON result); with Strict they raise TvlError.
std::vector<TvlEnvelopeProblem> PrepareTemplate(TvlForm& form, TvlReport& report, const std::string& path,
                                                const PrepareOptions& options,
                                                const std::function<void(int)>& onProgress = {});
// A sheet of labels in place of a template file (vlreport labels).
struct LabelJob {
  TvlLabelSheet Sheet;
  TvlLabelLayout Layout = TvlLabelLayout::Recipient;
  int Start = 1;  // the first label to print on; those before it stay empty
};
// Builds the label template of job's sheet into report and prepares it as
// PrepareTemplate prepares a template: with an address list one label per
// address (from label Start on, each checked on its own label); without
// one, the --var values (the sender for return labels) on every label of a
// sheet from label Start on.
std::vector<TvlEnvelopeProblem> PrepareLabels(TvlForm& form, TvlReport& report, const LabelJob& job,
                                              const PrepareOptions& options,
                                              const std::function<void(int)>& onProgress = {});

// The problems as the JSON result's "Warnings": Row, Name, Problem.
nlohmann::ordered_json WarningsJson(const std::vector<TvlEnvelopeProblem>& problems);

}  // namespace vl::cli
