#pragma once
// The one rounding rule and the unit conversions of the whole engine.
//
// Design pixels are the unit of every position and size on a page; they are
// also the page units of page formation and prepared pages. The designer and a
// page's size properties count 18 design pixels to 5 mm. Paper is held in
// tenths of a millimetre and mapped to page units at 18600/203 per inch.

#include <cstdint>

namespace vl {

// Nearest integer, halves to the even neighbour (0.5 -> 0, 1.5 -> 2, 2.5 -> 2).
// Values beyond the 32-bit range saturate.
std::int32_t vlRound(double x) noexcept;
// The same rule without narrowing, for callers that keep a double.
double vlRoundToEven(double x) noexcept;

inline constexpr double kPageUnitsPerInch = 18600.0 / 203.0;  // 91.6256157635468
inline constexpr double kDesignPixelsPerMm = 18.0 / 5.0;       // 3.6
inline constexpr double kDesignPixelsPerInch = 91.44;

// Paper length in tenths of a millimetre to page units.
std::int32_t vlTenthsToUnits(std::int32_t tenths) noexcept;
// Printer pixels at the given resolution to page units.
std::int32_t vlPixelsToUnits(std::int32_t pixels, double pixelsPerInch) noexcept;

// Design pixels to and from millimetres and inches, as the designer shows them.
double vlPixelsToMm(double pixels) noexcept;
std::int32_t vlMmToPixels(double mm) noexcept;
double vlPixelsToInches(double pixels) noexcept;
std::int32_t vlInchesToPixels(double inches) noexcept;

}  // namespace vl
