// vlreport render: a template (prepared first, exactly as vlreport prepare
// does) or a prepared-report file, drawn page by page into one PDF (through
// the PDF surface) or into one PNG file per page (through the Qt surface).
// Each page is released right after it is drawn, so memory stays flat
// however many pages there are.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "app/vlreport/cli_values.h"
#include "app/vlreport/command.h"
#include "app/vlreport/console_progress.h"
#include "app/vlreport/json_output.h"
#include "app/vlreport/template_load.h"
#include "app/vlreport/prepare_template.h"
#include "app/vlreport/render_pages.h"
#include "engine/core/error.h"
#include "engine/data/components.h"
#include "engine/model/report.h"
#include "engine/core/project_texts.h"

namespace vl::cli {

int RunRender(const Args& args) {
  ArgReader reader(args);
  const bool toPdf = reader.Has("--pdf");
  const bool toPng = reader.Has("--png");
  const bool dpiGiven = reader.Has("--dpi");
  const std::string pdf = reader.Option("--pdf");
  const std::string png = reader.Option("--png");
  const std::string dpiText = reader.Option("--dpi", "96");
  const std::string range = reader.Option("--pages");
  const PrepareOptions options = ReadPrepareOptions(reader);
  const Args rest = reader.Positional();
  if (rest.size() != 1) throw UsageError{vlTr("needs one FILE.vlf or FILE.vlp")};
  if (toPdf == toPng) throw UsageError{vlTr("needs either --pdf OUT.pdf or --png OUTPREFIX")};
  if ((toPdf && pdf.empty()) || (toPng && png.empty())) throw UsageError{vlTr("the output file name is empty")};
  if (dpiGiven && !toPng) throw UsageError{vlTr("--dpi applies to --png")};
  const double dpi = ReadDpi(dpiText);
  const std::string& path = rest[0];
  const bool prepared = IsPreparedReportFile(path);
  if (prepared && options.Any())
    throw UsageError{vlTr("--dataset, --var, --password, --two-pass and --strict prepare a template; %1 is prepared already", {path})};

  ConsoleProgress line;
  TvlForm form("FormMain");
  TvlReport report;
  std::vector<TvlEnvelopeProblem> problems;
  if (prepared) {
    report.LoadPreparedReport(path);
  } else {
    problems = PrepareTemplate(form, report, path, options,
                    [&line](int n) { line.Show(vlTr("Preparing page %1", {std::to_string(n)})); });
  }
  RenderTarget target;
  target.ToPdf = toPdf;
  target.Pdf = pdf;
  target.PngPrefix = png;
  target.Dpi = dpi;
  target.Range = range;
  // The document's title: the report's, else the name its information
  // block gives the template, and only when it has neither the file's.
  const std::string title = !report.Title.empty()        ? report.Title
                            : !report.ReportName.empty() ? report.ReportName
                                                         : std::filesystem::path(path).stem().string();
  nlohmann::ordered_json doc = RenderPages(report, target, title, line);
  if (options.HasAddressList() || !problems.empty()) doc["Warnings"] = WarningsJson(problems);
  PrintJson(doc);
  return 0;
}

}  // namespace vl::cli
