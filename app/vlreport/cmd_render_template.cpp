// vlreport render-template: one template page's views drawn as they stand
// (nothing prepared) onto an image, saved as PNG, so that drawing can be
// looked at before the engine prepares pages. Prints the picture's size.

#include <QImage>
#include <QString>
#include <cmath>
#include <cstdlib>

#include "app/render/output_target.h"
#include "app/render/render_views.h"
#include "app/vlreport/cli_values.h"
#include "app/vlreport/command.h"
#include "app/vlreport/json_output.h"
#include "app/vlreport/template_load.h"
#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/core/units.h"
#include "engine/model/page.h"
#include "engine/core/project_texts.h"

namespace vl::cli {
namespace {

// The picture is made in memory before it is saved: a resolution that would
// need more than this many pixels is refused instead of allocated.
constexpr double kMaxPixels = 100e6;

long ParsePage(const std::string& text) {
  char* end = nullptr;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != 0 || v < 1 || v > 100000) throw UsageError{vlTr("bad page number '%1'", {text})};
  return v;
}

}  // namespace

int RunRenderTemplate(const Args& args) {
  ArgReader reader(args);
  const std::string pageText = reader.Option("--page", "1");
  const std::string png = reader.Option("--png");
  const std::string dpiText = reader.Option("--dpi", "96");
  const std::string password = reader.Option("--password");
  const Args rest = reader.Positional();
  if (rest.size() != 1) throw UsageError{vlTr("needs one template file")};
  if (png.empty()) throw UsageError{vlTr("needs --png OUT.png")};
  const long pageNo = ParsePage(pageText);
  const double dpi = ReadDpi(dpiText);

  TvlReport report;
  LoadTemplate(report, rest[0], password);
  if (pageNo > report.Pages.Count())
    throw UsageError{report.Pages.Count() == 1
                         ? vlTr("no page %1: the template has 1 page", {pageText})
                         : vlTr("no page %1: the template has %2 pages", {pageText, std::to_string(report.Pages.Count())})};
  TvlPage& page = *report.Pages[static_cast<int>(pageNo - 1)];

  // A report page is its paper; a dialog page is its window.
  std::int32_t w = page.PaperMetrics.PaperWidthU, h = page.PaperMetrics.PaperHeightU;
  if (page.PageType == ptDialog) w = page.Width, h = page.Height;
  if (w <= 0 || h <= 0) throw TvlError(vlTr("page %1 has no size", {pageText}));
  const double scale = dpi / kPageUnitsPerInch;
  if (w * scale * (h * scale) > kMaxPixels)
    throw UsageError{vlTr("resolution '%1' makes too large a picture of this page", {dpiText})};

  std::vector<TvlView*> views;
  for (const auto& v : page.Objects) views.push_back(v.get());
  // Views aligned in their band find the page through the engine state,
  // which must not point at them once they are gone.
  struct CurrentPage {
    CurrentPage(TvlReport& r, TvlPage& p) { vlState().CurReport = &r, vlState().CurPage = &p; }
    ~CurrentPage() { vlState().CurReport = nullptr, vlState().CurPage = nullptr; }
  } current(report, page);
  const QImage image = vlRenderViewsToImage(views, w, h, dpi);
  if (!image.save(vlOutputTarget(png), "PNG")) throw TvlError(vlTr("cannot write '%1'", {png}));
  PrintJson({{"Page", pageNo}, {"Views", views.size()}, {"Width", image.width()}, {"Height", image.height()}});
  return 0;
}

}  // namespace vl::cli
