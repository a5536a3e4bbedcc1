// vlreport print: prints a template (prepared first, with the data sources
// and values of vlreport prepare) or a prepared-report file on a printer
// without any window, through the same print loop as the preview's Print
// button.

#include <QString>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "app/vlreport/command.h"
#include "app/vlreport/json_output.h"
#include "app/vlreport/prepare_template.h"
#include "app/vlreport/print_prepared.h"
#include "engine/data/address_fields.h"
#include "engine/data/db_dataset.h"
#include "engine/data/text_file_source.h"
#include "engine/model/report.h"
#include "platform/qt/qt_text.h"
#include "engine/core/project_texts.h"

namespace vl::cli {
namespace {

bool EndsWith(const std::string& text, const std::string& tail) {
  if (text.size() < tail.size()) return false;
  for (std::size_t k = 0; k < tail.size(); ++k)
    if (std::tolower(static_cast<unsigned char>(text[text.size() - tail.size() + k])) != tail[k]) return false;
  return true;
}

// "DL 110 × 220 mm 国内标准信封 – addresses.csv (4)": the template's name (its
// file's when it has none) and, with an address list, the list's file and
// its count of addresses.
std::string JobTitle(TvlForm& form, TvlReport& report, const std::string& path) {
  std::string title = report.ReportName.empty()
                          ? vlFromQt(QString::fromLocal8Bit(std::filesystem::path(path).filename().string().c_str()))
                          : report.ReportName;
  auto* dataset = dynamic_cast<TvlDBDataSet*>(form.FindComponent(kAddressDataset));
  TvlDataSource* source = dataset ? dataset->GetDataSet() : nullptr;
  auto* list = dynamic_cast<TvlTextFileSource*>(source);
  if (!list) return title;
  const QString file = QString::fromLocal8Bit(std::filesystem::path(list->FileName).filename().string().c_str());
  return title + vlFromQt(QStringLiteral(" – ") + file) + " (" + std::to_string(list->RecordCount()) + ")";
}

}  // namespace

int RunPrint(const Args& args) {
  ArgReader reader(args);
  const std::string printerName = reader.Option("--printer");
  const std::string range = reader.Option("--pages");
  const std::string copiesText = reader.Option("--copies", "1");
  const std::string title = reader.Option("--title");
  const PrepareOptions options = ReadPrepareOptions(reader);
  const bool collate = reader.Flag("--collate");
  const bool odd = reader.Flag("--odd");
  const bool even = reader.Flag("--even");
  const Args rest = reader.Positional();
  if (rest.size() != 1) throw UsageError{vlTr("needs one FILE.vlf or FILE.vlp")};
  if (printerName.empty()) throw UsageError{vlTr("needs --printer NAME")};
  if (odd && even) throw UsageError{vlTr("--odd and --even exclude each other")};
  char* end = nullptr;
  const long copies = std::strtol(copiesText.c_str(), &end, 10);
  if (copiesText.empty() || *end != 0 || copies < 1 || copies > 9999)
    throw UsageError{vlTr("bad --copies '%1' (1 to 9999)", {copiesText})};
  const std::string& path = rest[0];
  const bool prepared = EndsWith(path, ".vlp");
  if (!prepared && !EndsWith(path, ".vlf")) throw UsageError{vlTr("prints FILE.vlf or FILE.vlp")};

  const int index = PrinterIndex(printerName);

  if (prepared && (!options.Datasets.empty() || !options.Vars.Entries().empty() || options.TwoPass || options.Strict))
    throw UsageError{vlTr("--dataset, --var and --two-pass prepare a template; a prepared-report file is printed as it is")};
  TvlForm form("FormMain");
  TvlReport report;
  std::vector<TvlEnvelopeProblem> problems;
  if (prepared)
    report.LoadPreparedReport(path);
  else
    problems = PrepareTemplate(form, report, path, options);
  // The spooler's job name, an engine text: --title, else the report's own
  // title, else the template's name and the address list.
  if (!title.empty()) report.Title = vlFromQt(QString::fromUtf8(title.c_str()));
  else if (report.Title.empty() && !prepared) report.Title = JobTitle(form, report, path);
  PrintTarget target;
  target.Printer = printerName;
  target.Range = range;
  target.Copies = copies;
  target.Parity = odd ? 1 : even ? 2 : 0;
  target.Collate = collate;
  bool printed = false;
  const nlohmann::ordered_json warnings = WarningsJson(problems);
  const bool warn = options.HasAddressList() || !problems.empty();
  const nlohmann::ordered_json doc = PrintPrepared(report, index, target, warn ? &warnings : nullptr, printed);
  PrintJson(doc);
  // The engine's own message (a refused range, a printer that failed) went to standard error.
  return printed ? 0 : 1;
}

}  // namespace vl::cli
