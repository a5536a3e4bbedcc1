#pragma once
// The dashes of thin dashed and dotted pens, shared by every surface.

#include <vector>

#include "platform/canvas_types.h"

namespace vl {

// The dashes of a thin pen of that style (on, off, ...) on a surface of dpi:
// the classic cosmetic pens' screen pixels, stretched on finer surfaces (a
// PDF page, a printer) so dashes keep their length on paper instead of
// shrinking to dots. Empty for solid and clear pens.
std::vector<double> vlDashPattern(TvlPenStyle style, int dpi);

}  // namespace vl
