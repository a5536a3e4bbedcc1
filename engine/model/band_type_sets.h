#pragma once
// Which band types offer which flag: the inspector's property list and the
// band's context menu follow the same sets.

#include <cstdint>

namespace vl {

// Whether bands of the type offer the flag (flStretched, flFormNewPage,
// flPrintIfSubsetEmpty, flBreaked, flOnFirstPage, flOnLastPage,
// flRepeatHeader or flPrintChildIfInvisible).
bool vlBandTypeOffers(std::uint16_t bandType, std::uint16_t flag);
// Master, detail and subdetail data bands.
bool vlIsDataBandType(std::uint16_t bandType);

}  // namespace vl
