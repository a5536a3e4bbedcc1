#pragma once
// Plain types shared by the engine and the drawing surface: colours, points,
// rectangles and font descriptions.

#include <cstdint>
#include <string>

namespace vl {

// Colours: 0x00BBGGRR for RGB, 0xFF000000 + index for system colours,
// clNone for no colour (transparent) and clDefault for the default colour.
using TvlColor = std::uint32_t;
inline constexpr TvlColor clNone = 0x1FFFFFFF;
inline constexpr TvlColor clDefault = 0x20000000;
inline constexpr TvlColor clBlack = 0x00000000;
inline constexpr TvlColor clWhite = 0x00FFFFFF;
inline constexpr TvlColor clSilver = 0x00C0C0C0;
inline constexpr TvlColor clBtnFace = 0xFF00000F;
inline constexpr TvlColor vlSystemColor(std::uint32_t index) { return 0xFF000000u + index; }
inline constexpr bool vlIsSystemColor(TvlColor c) { return (c & 0xFF000000u) == 0xFF000000u; }
inline constexpr TvlColor vlRGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return static_cast<TvlColor>(r) | (static_cast<TvlColor>(g) << 8) | (static_cast<TvlColor>(b) << 16);
}

struct TvlPoint {
  std::int32_t X = 0, Y = 0;
  bool operator==(const TvlPoint&) const = default;
};

// Right and bottom are exclusive.
struct TvlRect {
  std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  std::int32_t Width() const { return Right - Left; }
  std::int32_t Height() const { return Bottom - Top; }
  bool operator==(const TvlRect&) const = default;
};

// A font as views hold it: face name, size in points, the font-style code
// (1 italic, 2 bold, 4 underline, 8 strike-out), colour and character set.
struct TvlFont {
  std::string Name = "Arial";
  std::int32_t Size = 10;
  std::int32_t Style = 0;
  TvlColor Color = clBlack;
  std::int32_t Charset = 1;  // the default character set
  bool operator==(const TvlFont&) const = default;
};

}  // namespace vl
