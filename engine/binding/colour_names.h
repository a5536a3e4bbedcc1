#pragma once
// The engine's named colours: the 16 standard colours, the 25 system colours
// (0xFF000000 plus the platform's index) and "clTransparent" for no colour.
// Scripts read them as constants; the object inspector shows colours by them.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace vl {

struct TvlColourName {
  const char* Name;
  std::uint32_t Value;
};

// The 42 names in their fixed order (standard, system, transparent).
std::span<const TvlColourName> vlColourNames();
// The name of a colour, or none when the colour has no name.
const char* vlColourName(std::uint32_t colour);
// The colour of a name, compared without regard to case.
std::optional<std::uint32_t> vlNamedColour(const std::string& name);

}  // namespace vl
