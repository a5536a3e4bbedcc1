#include "engine/model/page_limits.h"

#include "engine/core/engine_state.h"
#include "engine/model/layout_bounds.h"
#include "engine/model/page.h"
#include "engine/model/view_run_hooks.h"
#include "engine/core/run_context.h"

namespace vl {

TvlPageLimits vlPageLimits(const TvlPage& page) {
  const TvlPaperMetrics& m = page.PaperMetrics;
  if (!page.UseMargins) return {0, 0, m.PaperWidthU, m.PaperHeightU};
  const TvlRect& g = page.Margins;
  // Margins set before they were bounded, or metrics from a printer, may
  // still be extreme: the edges are computed wide.
  auto edge = [](std::int32_t margin, std::int64_t fromMargin, std::int64_t fromOffset) {
    return vlClampTo32(margin != 0 ? fromMargin : fromOffset);
  };
  return {g.Left != 0 ? g.Left : m.OffsetXU, g.Top != 0 ? g.Top : m.OffsetYU,
          edge(g.Right, std::int64_t{m.PaperWidthU} - g.Right, std::int64_t{m.OffsetXU} + m.PrintableWidthU),
          edge(g.Bottom, std::int64_t{m.PaperHeightU} - g.Bottom, std::int64_t{m.OffsetYU} + m.PrintableHeightU)};
}

TvlLimitsInUse& vlLimitsInUse() {
  static TvlLimitsInUse hook;
  TvlViewRunHooks* run = vlRunContext().ViewHooks;
  return run ? run->LimitsInUse : hook;
}

void vlFillBandAlignContext(const TvlPage& page, TvlBandAlignContext& context) {
  const TvlPageLimits limits = vlPageLimits(page);
  context.Mode = vlState().DocMode;
  context.PageLeft = limits.Left;
  context.PageRight = limits.Right;
  context.PaperWidth = page.PaperMetrics.PaperWidthU;
  context.PaperHeight = page.PaperMetrics.PaperHeightU;
  context.Objects.clear();
  context.Objects.reserve(page.Objects.size());
  for (const auto& v : page.Objects) context.Objects.push_back(v.get());
}

TvlBandAlignProvider vlPageBandAlignProvider() {
  return [](TvlView&, TvlBandAlignContext& context) {
    const TvlPage* page = vlState().CurPage;
    if (!page) return false;
    vlFillBandAlignContext(*page, context);
    return true;
  };
}

}  // namespace vl
