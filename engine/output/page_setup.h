#pragma once
// What the page-setup dialog hands back and how the report takes it: the
// printer's device settings and the margins in hundredths of a millimetre.

#include "platform/graphics_types.h"
#include "platform/platform_printer.h"

namespace vl {

class TvlReport;

struct TvlPageSetupChoice {
  TvlDeviceMode Mode;
  TvlRect Margins;  // left, top, right, bottom in hundredths of a millimetre
};

// Page units (design pixels, 18 to 5 millimetres) and hundredths of a millimetre.
inline constexpr std::int32_t vlHundredthsFromUnits(std::int32_t units) { return units * 500 / 18; }
inline constexpr std::int32_t vlUnitsFromHundredths(std::int32_t hundredths) { return hundredths * 18 / 500; }

// The device settings go to the printer, and every template page takes the
// margins and the printer's paper, orientation and bin.
void vlApplyPageSetup(TvlReport& report, const TvlPageSetupChoice& choice);

}  // namespace vl
