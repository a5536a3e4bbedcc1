// vlreport labels: address labels on a sheet of the catalogue (or one of the
// user's own sheets), one label per address of a list or a whole sheet of
// the sender, prepared as vlreport prepare prepares a template and then
// saved as a template, drawn into a PDF or PNG files, or printed.
// vlreport labels --list: the sheets on offer.

#include <QString>
#include <cstdlib>

#include "app/label_sheets.h"
#include "app/vlreport/cli_values.h"
#include "app/vlreport/command.h"
#include "app/vlreport/console_progress.h"
#include "app/vlreport/json_output.h"
#include "app/vlreport/prepare_template.h"
#include "app/vlreport/print_prepared.h"
#include "app/vlreport/render_pages.h"
#include "engine/core/error.h"
#include "engine/core/project_texts.h"
#include "engine/data/components.h"
#include "engine/labels/sheet_catalogue.h"
#include "platform/qt/qt_settings_store.h"
#include "platform/qt/qt_text.h"

namespace vl::cli {
namespace {

// Command-line arguments are UTF-8; sheet names and messages are engine texts.
std::string EngineText(const std::string& arg) { return vlFromQt(QString::fromUtf8(arg.c_str())); }

nlohmann::ordered_json SheetList(const std::vector<TvlLabelSheet>& sheets) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const TvlLabelSheet& s : sheets)
    list.push_back({{"Name", Utf8(s.Name)},
                    {"Paper", s.Paper},
                    {"Columns", s.Columns},
                    {"Rows", s.Rows},
                    {"LabelWidth", s.LabelWidth},
                    {"LabelHeight", s.LabelHeight}});
  return list;
}

int ReadStart(const std::string& text, const TvlLabelSheet& sheet) {
  char* end = nullptr;
  const long start = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != 0 || start < 1 || start > sheet.Labels())
    throw UsageError{vlTr("--start %1: the label to start at must be from 1 to %2 (the labels of one sheet)",
                          {text, std::to_string(sheet.Labels())})};
  return static_cast<int>(start);
}

}  // namespace

int RunLabels(const Args& args) {
  ArgReader reader(args);
  const bool list = reader.Flag("--list");
  const std::string sheetName = reader.Option("--sheet");
  const std::string layoutName = reader.Option("--layout", "recipient");
  const std::string startText = reader.Option("--start", "1");
  const std::string out = reader.Option("--out");
  const std::string pdf = reader.Option("--pdf");
  const std::string png = reader.Option("--png");
  const std::string dpiText = reader.Option("--dpi", "96");
  const std::string printerName = reader.Option("--printer");
  const PrepareOptions options = ReadPrepareOptions(reader);
  if (!reader.Positional().empty()) throw UsageError{vlTr("takes no file: the sheet is named by --sheet NAME")};

  // The user's own sheets live in the user's settings store.
  TvlQtSettingsStore settings;
  const std::vector<TvlLabelSheet> sheets = vlOfferedSheets(settings);
  if (list) {
    PrintJson(SheetList(sheets));
    return 0;
  }
  if (sheetName.empty()) throw UsageError{vlTr("needs --sheet NAME (vlreport labels --list names the sheets)")};
  const std::string wanted = EngineText(sheetName);
  const TvlLabelSheet* sheet = vlFindSheet(sheets, wanted);
  if (!sheet) throw UsageError{vlTr("no label sheet named '%1' (vlreport labels --list names the sheets)", {wanted})};
  LabelJob job;
  job.Sheet = *sheet;
  if (!vlLabelLayoutOf(layoutName, job.Layout))
    throw UsageError{vlTr("--layout %1: the layouts are recipient, barcode and return", {EngineText(layoutName)})};
  job.Start = ReadStart(startText, *sheet);
  const int outputs = !out.empty() + !pdf.empty() + !png.empty() + !printerName.empty();
  if (outputs != 1) throw UsageError{vlTr("needs one of --out LABELS.vlf, --pdf OUT.pdf, --png PREFIX or --printer NAME")};
  const double dpi = ReadDpi(dpiText);

  TvlForm form("FormMain");
  TvlReport report;
  if (!out.empty()) {
    // The label template itself, to design further: no data is read.
    vlBuildLabelTemplate(report, job.Sheet, job.Layout);
    report.SaveToFile(out);
    PrintJson({{"Output", out}, {"Labels", job.Sheet.Labels()}});
    return 0;
  }
  const int printer = printerName.empty() ? -1 : PrinterIndex(printerName);
  ConsoleProgress line;
  const std::vector<TvlEnvelopeProblem> problems =
      PrepareLabels(form, report, job, options, [&line](int n) { line.Show(vlTr("Preparing page %1", {std::to_string(n)})); });
  report.Title = job.Sheet.Name;
  const nlohmann::ordered_json warnings = WarningsJson(problems);
  const bool warn = options.HasAddressList() || !problems.empty();
  if (printer >= 0) {
    PrintTarget target;
    target.Printer = printerName;
    bool printed = false;
    line.Finish();
    PrintJson(PrintPrepared(report, printer, target, warn ? &warnings : nullptr, printed));
    return printed ? 0 : 1;
  }
  RenderTarget target;
  target.ToPdf = !pdf.empty();
  target.Pdf = pdf;
  target.PngPrefix = png;
  target.Dpi = dpi;
  nlohmann::ordered_json doc = RenderPages(report, target, report.Title, line);
  if (warn) doc["Warnings"] = warnings;
  PrintJson(doc);
  return 0;
}

}  // namespace vl::cli
