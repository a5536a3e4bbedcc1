#pragma once
// A decoded picture: 32-bit pixels 0xAARRGGBB, rows from the top.

#include <cstdint>
#include <vector>

namespace vl {

struct TvlRaster {
  std::int32_t Width = 0, Height = 0;
  std::vector<std::uint32_t> Pixels;

  bool Empty() const { return Width <= 0 || Height <= 0; }
  std::uint32_t At(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
  std::uint32_t& At(int x, int y) { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
};

// The most pixels a decoder allocates for one picture (a 16384 x 2048 or
// 8000 x 5000 picture passes); larger claims are refused as corrupt.
inline constexpr std::int64_t kMaxRasterPixels = 40'000'000;

}  // namespace vl
