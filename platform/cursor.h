#pragma once
// Mouse cursor shapes the engine asks for (the designer's sizing cursors, the
// hand over links, the hourglass while busy). The numbers are the classic
// desktop toolkit's, which stored settings and event handlers use.

#include <cstdint>

namespace vl {

enum TvlCursor : std::int16_t {
  crDefault = 0,
  crNone = -1,
  crArrow = -2,
  crCross = -3,
  crIBeam = -4,
  crSizeNESW = -6,
  crSizeNS = -7,
  crSizeNWSE = -8,
  crSizeWE = -9,
  crUpArrow = -10,
  crHourGlass = -11,
  crDrag = -12,
  crNoDrop = -13,
  crHSplit = -14,
  crVSplit = -15,
  crMultiDrag = -16,
  crSQLWait = -17,
  crNo = -18,
  crAppStart = -19,
  crHelp = -20,
  crHandPoint = -21,
  crSizeAll = -22,
};

}  // namespace vl
