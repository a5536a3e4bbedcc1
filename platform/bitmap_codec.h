#pragma once
// Windows bitmap and icon files decoded to a raster, without any library.
// Every length is checked against the bytes given; a corrupt or unsupported
// file decodes to false and leaves the raster empty.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/raster.h"

namespace vl {

// A bitmap file ("BM" header, then a device-independent bitmap).
bool vlDecodeBmp(std::string_view bytes, TvlRaster& out);
// A device-independent bitmap: its header with the colour table, and the
// pixel rows (as metafiles and icons keep them). With iconMask the header's
// height counts the image and its transparency mask, which follows the rows.
bool vlDecodeDib(std::string_view header, std::string_view bits, TvlRaster& out, bool iconMask = false);
// An icon file: the largest image of the directory (PNG images are not read).
bool vlDecodeIco(std::string_view bytes, TvlRaster& out);
// A 24-bit bitmap file of the raster (tests and the designer's clipboard).
std::string vlEncodeBmp(const TvlRaster& raster);

}  // namespace vl
