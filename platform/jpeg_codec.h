#pragma once
// JPEG pictures decoded and encoded through libjpeg's C API. A corrupt
// stream decodes to false with an empty raster; libjpeg never prints.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/raster.h"

namespace vl {

bool vlDecodeJpeg(std::string_view bytes, TvlRaster& out);
// Size only, from the stream's header.
bool vlJpegSize(std::string_view bytes, std::int32_t& width, std::int32_t& height);
// Baseline JPEG of the raster at the given quality (1 to 100); empty on failure.
std::string vlEncodeJpeg(const TvlRaster& raster, int quality = 90);

}  // namespace vl
