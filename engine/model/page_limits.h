#pragma once
// The limits a template page prints within, and the band alignment of views
// against the engine's current page.

#include <cstdint>
#include <functional>

#include "engine/model/view_support.h"

namespace vl {

class TvlPage;

// Page units from the page's paper metrics and margins. With margins in use
// a margin of 0 means the printer's offset applies: left is the left margin
// or the horizontal offset, right the paper width less the right margin or
// the offset plus the printable width (top and bottom alike). A page
// stretched to the printable area uses the whole paper.
struct TvlPageLimits {
  std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
};
TvlPageLimits vlPageLimits(const TvlPage& page);

// While a report is prepared, page formation answers the limits in use on
// the page being built (the page's margin properties read them); unset, or
// answering false, the stored margins are read.
using TvlLimitsInUse = std::function<bool(const TvlPage& page, TvlPageLimits& limits)>;
TvlLimitsInUse& vlLimitsInUse();

// Fills what the page gives a view's band alignment: the engine's document
// mode, the page's left and right limits, its paper size in page units and
// its objects in list order. The band being printed is added by whoever
// prints bands.
void vlFillBandAlignContext(const TvlPage& page, TvlBandAlignContext& context);

// The provider the engine starts with: the engine's current page
// (vlState().CurPage — the page being designed in design mode, the page
// being prepared in printing mode); no page, no alignment.
TvlBandAlignProvider vlPageBandAlignProvider();

}  // namespace vl
