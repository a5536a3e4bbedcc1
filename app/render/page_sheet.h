#pragma once
// A prepared page on a sheet that prints to its edges (a PDF page, an image):
// where the page lands, and the drawing that lets the page's views go again
// right after, as printing does, so that memory stays flat over any number
// of pages.

#include <string>

#include "engine/model/prepared_pages.h"
#include "platform/canvas_types.h"
#include "platform/graphics_types.h"

namespace vl {

class TvlCanvas;

// The sheet of a page at dpi: its paper in page units, scaled and rounded.
TvlSize vlSheetPixels(const TvlPreparedPage& page, double dpi);

// Where the page lands on a sheet of that many device pixels: the whole
// sheet, or for a page stretched to the printable area (here the whole
// sheet), the sheet less the page's margins.
TvlRect vlSheetTarget(const TvlPreparedPage& page, TvlSize sheet);

// Draws page index into target and releases its views again. A page record
// that cannot be read raises TvlError naming the page (a half-drawn output
// would otherwise pass for a good one).
void vlDrawSheet(TvlEMFPages& pages, int index, TvlCanvas& canvas, const TvlRect& target);

}  // namespace vl
