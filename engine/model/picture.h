#pragma once
// The image a picture view holds: the graphic's kind and its bytes in the
// graphic's own file format (bitmap file, enhanced metafile, icon file,
// JPEG/JFIF), kept exactly as stored. The drawing surface decodes them
// (through the platform's TvlPicture, which this type is converted to; the
// two have different names so that one program can hold both).

#include <cstdint>
#include <vector>

namespace vl {

// Graphic kinds as the template stream numbers them (not the BlobType codes).
enum TvlGraphicKind : std::uint8_t {
  gkNone = 0,
  gkBitmap = 1,
  gkMetafile = 2,
  gkIcon = 3,
  gkJpeg = 4,
};

struct TvlGraphic {
  TvlGraphicKind Kind = gkNone;
  std::vector<std::uint8_t> Data;

  bool Empty() const noexcept { return Kind == gkNone; }
  void Clear() noexcept {
    Kind = gkNone;
    Data.clear();
  }
  bool operator==(const TvlGraphic&) const = default;
};

}  // namespace vl
