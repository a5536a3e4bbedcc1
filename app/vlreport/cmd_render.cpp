// vlreport render: a template (prepared first, exactly as vlreport prepare
// does) or a prepared-report file, drawn page by page through the Qt surface
// into one PDF or into one PNG file per page. Each page is released right
// after it is drawn, so memory stays flat however many pages there are.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "app/render/pdf_output.h"
#include "app/render/png_output.h"
#include "app/vlreport/cli_values.h"
#include "app/vlreport/command.h"
#include "app/vlreport/console_progress.h"
#include "app/vlreport/json_output.h"
#include "app/vlreport/template_load.h"
#include "app/vlreport/prepare_template.h"
#include "engine/core/error.h"
#include "engine/data/components.h"
#include "engine/model/report.h"
#include "engine/output/page_range.h"
#include "engine/core/project_texts.h"

namespace vl::cli {
namespace {

// The indexes of the pages the range text selects, in document order. A text
// that cannot be read, or one that selects no page, ends the command: it
// never writes an empty document.
std::vector<int> SelectPages(const std::string& range, int count) {
  const TvlPageList list = TvlPageList::Parse(range, count);
  std::vector<int> indexes;
  for (std::int32_t pageNo : list.Pages())
    if (pageNo >= 1 && pageNo <= count) indexes.push_back(pageNo - 1);
  if (indexes.empty())
    throw TvlError(count == 1 ? vlTr("--pages '%1' selects none of the report's 1 page", {range})
                              : vlTr("--pages '%1' selects none of the report's %2 pages", {range, std::to_string(count)}));
  return indexes;
}

}  // namespace

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
  const int count = report.EMFPages.Count();
  if (count == 0) throw TvlError(vlTr("the report has no pages: nothing is written"));
  const std::vector<int> indexes = SelectPages(range, count);

  const int total = static_cast<int>(indexes.size());
  const auto drawn = [&line, total](int done) {
    line.Show(vlTr("Drawing page %1 of %2", {std::to_string(done), std::to_string(total)}));
  };
  nlohmann::ordered_json doc;
  doc["Pages"] = count;
  doc["Drawn"] = total;
  if (toPdf) {
    // The document's title: the report's, or else the file's name.
    const std::string title = report.Title.empty() ? std::filesystem::path(path).stem().string() : report.Title;
    vlWritePdf(report.EMFPages, indexes, pdf, title, drawn);
    doc["Output"] = pdf;
  } else {
    doc["Output"] = vlWritePngPages(report.EMFPages, indexes, png, dpi, drawn);
  }
  line.Finish();
  if (options.HasAddressList() || !problems.empty()) doc["Warnings"] = WarningsJson(problems);
  PrintJson(doc);
  return 0;
}

}  // namespace vl::cli
