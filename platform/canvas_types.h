#pragma once
// The state a drawing surface keeps: pen, brush, font, background mode and
// the small value types its operations take and return.

#include <array>
#include <cstdint>
#include <string>

#include "platform/graphics_types.h"

namespace vl {

// Pen styles 0 to 4 have the numbers of the frame styles; Clear draws nothing.
enum class TvlPenStyle : std::uint8_t { Solid = 0, Dash, Dot, DashDot, DashDotDot, Clear };
// Copy paints the pen colour; Xor combines it with the surface by
// exclusive-or (drawing twice restores the surface); Not inverts the surface.
enum class TvlPenMode : std::uint8_t { Copy, Xor, Not };

struct TvlPen {
  TvlColor Color = clBlack;
  std::int32_t Width = 1;  // device pixels
  TvlPenStyle Style = TvlPenStyle::Solid;
  TvlPenMode Mode = TvlPenMode::Copy;
  bool operator==(const TvlPen&) const = default;
};

enum class TvlBrushStyle : std::uint8_t { Solid, Clear, Pattern };

// A pattern brush is a two-colour 8 x 8 bitmap, one byte a row, the high bit
// leftmost: set bits take Color, clear bits PatternBack (the designer's grid
// dots, the empty-picture chequer, the latched-button dither).
struct TvlBrush {
  TvlBrushStyle Style = TvlBrushStyle::Solid;
  TvlColor Color = clWhite;
  std::array<std::uint8_t, 8> Pattern{};
  TvlColor PatternBack = clWhite;
  bool operator==(const TvlBrush&) const = default;
};

enum class TvlBkMode : std::uint8_t { Opaque, Transparent };

// The font of a surface. Height is the character height (em) in device
// pixels; Escapement turns the text counter-clockwise in tenths of a degree
// (900 reads upward). Color is the text colour.
struct TvlCanvasFont {
  std::string Name = "Arial";
  std::int32_t Height = 13;
  std::int32_t Style = 0;  // 1 italic, 2 bold, 4 underline, 8 strike-out
  TvlColor Color = clBlack;
  std::int32_t Charset = 1;
  std::int32_t Escapement = 0;
  bool operator==(const TvlCanvasFont&) const = default;
};

struct TvlSize {
  std::int32_t Width = 0, Height = 0;
  bool operator==(const TvlSize&) const = default;
};

// Font metrics in device pixels; Height = Ascent + Descent.
struct TvlTextMetrics {
  std::int32_t Height = 0, Ascent = 0, Descent = 0;
  std::int32_t InternalLeading = 0, ExternalLeading = 0;
  std::int32_t AveCharWidth = 0, MaxCharWidth = 0;
};

// Options of text output clipped to a rectangle.
inline constexpr std::uint32_t toClipped = 1;     // nothing outside the rectangle changes
inline constexpr std::uint32_t toOpaque = 2;      // the rectangle is first filled with the background
inline constexpr std::uint32_t toRtlReading = 4;  // right-to-left reading order

// How stretched rasters are resampled: ColorOnColor takes the nearest
// pixel (what pictures sent to a printer use), Smooth filters.
enum class TvlStretchMode : std::uint8_t { ColorOnColor, Smooth };

// The colour a system colour stands for (classic desktop scheme); RGB
// colours come back unchanged, clNone and clDefault as white and black.
TvlColor vlResolveColor(TvlColor color);

}  // namespace vl
