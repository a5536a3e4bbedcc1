#include "engine/model/page_limits.h"

#include "engine/core/engine_state.h"
#include "engine/model/page.h"

namespace vl {

TvlPageLimits vlPageLimits(const TvlPage& page) {
  const TvlPaperMetrics& m = page.PaperMetrics;
  if (!page.UseMargins) return {0, 0, m.PaperWidthU, m.PaperHeightU};
  const TvlRect& g = page.Margins;
  return {g.Left != 0 ? g.Left : m.OffsetXU, g.Top != 0 ? g.Top : m.OffsetYU,
          g.Right != 0 ? m.PaperWidthU - g.Right : m.OffsetXU + m.PrintableWidthU,
          g.Bottom != 0 ? m.PaperHeightU - g.Bottom : m.OffsetYU + m.PrintableHeightU};
}

TvlLimitsInUse& vlLimitsInUse() {
  static TvlLimitsInUse hook;
  return hook;
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
