#pragma once
// Feed calibration: per printer, a shift of the whole drawing and a half turn
// for printers that take envelopes the other way round. It is kept in the
// settings store under the printer's name and applied only where prepared
// pages are drawn to that printer (never to the preview or to files).

#include <cstdint>
#include <string>

#include "engine/printer/paper_metrics.h"
#include "platform/canvas.h"

namespace vl {

struct TvlFeedCalibration {
  // Tenths of a millimetre, right and down; kept within +-kMaxShiftTenths.
  std::int32_t ShiftXTenths = 0;
  std::int32_t ShiftYTenths = 0;
  bool Turned = false;

  static constexpr std::int32_t kMaxShiftTenths = 500;
  bool IsNone() const { return ShiftXTenths == 0 && ShiftYTenths == 0 && !Turned; }
  bool operator==(const TvlFeedCalibration&) const = default;
};

// The settings store's calibration of the printer; none for an unknown
// printer. Stored values out of range are brought within it.
TvlFeedCalibration vlReadFeedCalibration(const std::string& printerName);
// Stores it; a calibration that is none removes the printer's entry.
void vlWriteFeedCalibration(const std::string& printerName, const TvlFeedCalibration& calibration);

// The whole sheet on a printer canvas, whose origin is the corner of the
// printable area.
TvlRect vlSheetRect(const TvlPaperMetrics& m);

// The shift in device pixels of a canvas at that resolution.
TvlPoint vlFeedShiftPixels(const TvlFeedCalibration& calibration, int dpiX, int dpiY);

// Applies a calibration to the drawing of one sheet on a printer canvas for
// as long as it lives: sheet is the whole sheet in canvas pixels (the canvas
// origin is the printable area's corner), which the half turn turns about.
// The shift itself is for the caller to add to where it draws.
class TvlFeedTurn {
 public:
  TvlFeedTurn(TvlCanvas& canvas, const TvlFeedCalibration& calibration, const TvlRect& sheet);
  ~TvlFeedTurn();
  TvlFeedTurn(const TvlFeedTurn&) = delete;
  TvlFeedTurn& operator=(const TvlFeedTurn&) = delete;

 private:
  TvlCanvas& canvas_;
  bool turned_;
};

}  // namespace vl
