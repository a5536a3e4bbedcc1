#pragma once
// Windows metafiles (enhanced, and placeable or plain legacy ones) played
// onto any drawing surface. The player covers the records that drawings and
// text use: lines, polygons, rectangles, ellipses, text, fonts, pens,
// brushes, bitmaps, mapping and clipping rectangles. Other records are
// skipped; a record whose length does not fit ends the playback.

#include <cstdint>
#include <string_view>

#include "platform/graphics_types.h"

namespace vl {

class TvlCanvas;

struct TvlMetafileInfo {
  bool Enhanced = false;
  // Natural size in pixels at 96 per inch.
  std::int32_t Width = 0, Height = 0;
};

bool vlIsMetafile(std::string_view bytes);
bool vlMetafileInfo(std::string_view bytes, TvlMetafileInfo& info);
// Plays the picture stretched into dest; the surface's pen, brush, font,
// background mode and clip region are as before afterwards. False when the
// bytes are not a metafile.
bool vlPlayMetafile(TvlCanvas& canvas, std::string_view bytes, const TvlRect& dest);

}  // namespace vl
