#include "engine/output/preview_search.h"

#include <charconv>

#include "engine/core/text.h"
#include "engine/model/prepared_pages.h"
#include "engine/model/scratch_canvas.h"
#include "engine/output/preview_layout.h"
#include "platform/recording_canvas.h"

namespace vl {

void vlStartSearch(TvlPreviewSearch& search, const std::string& text, bool caseSensitive, bool fromCurrentPage,
                   std::int32_t currentPage) {
  search.Text = caseSensitive ? text : vlUpperCase(text);
  search.CaseSensitive = caseSensitive;
  const std::int32_t page = fromCurrentPage ? std::max(currentPage - 1, 0) : 0;
  if (!(fromCurrentPage && search.Found && search.FoundPage == page)) search.Object = 0;
  search.Page = page;
  search.Found = false;
}

bool vlFindNext(TvlEMFPages& pages, TvlPreviewSearch& search) {
  if (search.Text.empty()) return false;
  for (std::int32_t i = std::max(search.Page, 0); i < pages.Count(); ++i) {
    TvlPreparedPage& page = pages[i];
    const TvlSize size = vlPageSize(page);
    // A recorded picture of the page takes every view, and measures text as
    // the screen does so that the bounds match what is shown.
    TvlRecordingCanvas canvas({size.Width, size.Height}, 96, &vlScratchCanvas());
    canvas.SetKind(TvlSurfaceKind::Metafile);
    const bool wasVisible = page.Visible;
    page.Visible = true;
    pages.Draw(i, canvas, {0, 0, size.Width, size.Height});
    const std::vector<TvlTextRun> runs = canvas.TextRuns();
    for (std::size_t k = static_cast<std::size_t>(std::max(search.Object, 0)); k < runs.size(); ++k) {
      const std::string text = search.CaseSensitive ? runs[k].Text : vlUpperCase(runs[k].Text);
      if (text.find(search.Text) == std::string::npos) continue;
      page.Visible = wasVisible;
      search.Page = i;
      search.Object = static_cast<std::int32_t>(k) + 1;
      search.Found = true;
      search.FoundPage = i;
      search.FoundBounds = runs[k].Bounds;
      return true;
    }
    page.Visible = false;
    pages.Draw(i, canvas, TvlRect{});
    search.Object = 0;
  }
  return false;
}

std::optional<std::int32_t> vlLinkPage(const std::string& link) {
  const std::size_t at = link.find('@');
  if (at == std::string::npos) return std::nullopt;
  const std::string number = vlTrim(link.substr(at + 1));
  if (number.empty()) return std::nullopt;
  std::int32_t n = 0;
  const char* end = number.data() + number.size();
  const auto [ptr, ec] = std::from_chars(number.data(), end, n);
  if (ec == std::errc::result_out_of_range && ptr == end) return number[0] == '-' ? 1 : INT32_MAX;
  if (ec != std::errc{} || ptr != end) return std::nullopt;
  return n < 1 ? 1 : n;
}

}  // namespace vl
