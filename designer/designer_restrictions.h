#pragma once
// The program-wide set of design restrictions: each flag disables one group
// of designer commands. Empty unless the host program sets it.

#include <cstdint>

namespace vl {

enum TvlDesignRestriction : std::uint16_t {
  dsNoEditObject = 1,
  dsNoModifyObject = 2,
  dsNoSizeObject = 4,
  dsNoMoveObject = 8,
  dsNoDeleteObject = 16,
  dsNoCreateObject = 32,
  dsNoDeletePage = 64,
  dsNoCreatePage = 128,
  dsNoEditPage = 256,
  dsNoNewReport = 512,
  dsNoOpenReport = 1024,
  dsNoSaveReport = 2048,
  dsNoPreview = 4096,
  dsNoEditDictionary = 8192,
  dsNoReportOptions = 16384,
};

std::uint16_t& DesignRestrictions();
inline bool vlRestricted(std::uint16_t flag) { return (DesignRestrictions() & flag) != 0; }

}  // namespace vl
