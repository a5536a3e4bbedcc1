#pragma once
// The sheet that helps the user measure a feed calibration: a frame at the
// edge of the paper, a second frame 10 mm inside it, a cross at the centre
// and, in the top-left corner, the printer's name and the calibration in
// force (upside down or at the far corner when the turn is wrong).

#include "engine/output/feed_calibration.h"

namespace vl {

// Prints the test sheet on the selected printer's current paper with the
// calibration given (the one being set, not yet stored). False, with the
// message shown, when there is no printer or the job fails.
bool vlPrintFeedTestPage(const TvlFeedCalibration& calibration);

// Draws the test sheet on a canvas whose origin is the printable area's
// corner: sheet is the whole paper in canvas pixels.
void vlDrawFeedTestPage(TvlCanvas& canvas, const TvlRect& sheet, const TvlFeedCalibration& calibration,
                        const std::string& printerName);

}  // namespace vl
