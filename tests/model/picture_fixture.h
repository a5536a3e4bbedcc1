#pragma once
// Pictures made by code for the picture view tests.

#include <string>

#include "platform/bitmap_codec.h"
#include "platform/raster.h"

namespace vl::test {

// A bitmap file of w x h pixels in one colour.
inline std::string BitmapFile(std::int32_t w, std::int32_t h, std::uint32_t argb = 0xFF3366CC) {
  TvlRaster r;
  r.Width = w, r.Height = h;
  r.Pixels.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), argb);
  return vlEncodeBmp(r);
}

}  // namespace vl::test
