#include "app/vlreport/render_pages.h"

#include <cstdint>
#include <vector>

#include "app/render/pdf_output.h"
#include "app/render/png_output.h"
#include "engine/core/error.h"
#include "engine/core/project_texts.h"
#include "engine/output/page_range.h"

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

nlohmann::ordered_json RenderPages(TvlReport& report, const RenderTarget& target, const std::string& title,
                                   ConsoleProgress& line) {
  const int count = report.EMFPages.Count();
  if (count == 0) throw TvlError(vlTr("the report has no pages: nothing is written"));
  const std::vector<int> indexes = SelectPages(target.Range, count);
  const int total = static_cast<int>(indexes.size());
  const auto drawn = [&line, total](int done) {
    line.Show(vlTr("Drawing page %1 of %2", {std::to_string(done), std::to_string(total)}));
  };
  nlohmann::ordered_json doc;
  doc["Pages"] = count;
  doc["Drawn"] = total;
  if (target.ToPdf) {
    vlWritePdf(report.EMFPages, indexes, target.Pdf, title, drawn);
    doc["Output"] = target.Pdf;
  } else {
    doc["Output"] = vlWritePngPages(report.EMFPages, indexes, target.PngPrefix, target.Dpi, drawn);
  }
  line.Finish();
  return doc;
}

}  // namespace vl::cli
