#include "engine/model/prepared_pages.h"

#include <algorithm>

#include "engine/core/engine_state.h"
#include "engine/model/report.h"

namespace vl {

void TvlCompressor::Compress(const std::string&, std::string&) {}
void TvlCompressor::Decompress(const std::string&, std::string&) {}

namespace {
TvlCompressor g_plainCompressor;
TvlCompressor* g_compressor = &g_plainCompressor;
}  // namespace

TvlCompressor& vlCompressor() { return *g_compressor; }
void vlInstallCompressor(TvlCompressor* compressor) {
  g_compressor = compressor ? compressor : &g_plainCompressor;
}

TvlEMFPages::~TvlEMFPages() = default;

void TvlEMFPages::Clear() { pages_.clear(); }

void TvlEMFPages::Insert(int index, const TvlPage& templatePage) {
  auto page = std::make_unique<TvlPreparedPage>();
  page->PaperSize = templatePage.PaperSize;
  page->PaperWidth = templatePage.PaperWidth;
  page->PaperHeight = templatePage.PaperHeight;
  page->Orientation = templatePage.Orientation;
  page->Bin = templatePage.Bin;
  page->UseMargins = templatePage.UseMargins;
  page->Margins = templatePage.Margins;
  page->PaperMetrics = templatePage.PaperMetrics;
  page->Stream.WriteByte(kPreparedStreamVersion);
  const std::size_t at = index < 0 ? 0 : std::min(static_cast<std::size_t>(index), pages_.size());
  pages_.insert(pages_.begin() + static_cast<std::ptrdiff_t>(at), std::move(page));
}

void TvlEMFPages::Add(const TvlPage& templatePage) {
  Insert(Count(), templatePage);
  if (report_ && report_->OnBeginPage) report_->OnBeginPage(vlState().PageNo);
}

}  // namespace vl
