#pragma once
// A picture as views keep it: its bytes and its kind. It is decoded once, on
// first use, behind the drawing surface; bytes that do not decode make an
// empty picture that draws nothing.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/raster.h"

namespace vl {

// The picture kinds, numbered as the picture views' kind codes.
enum class TvlPictureKind : std::uint8_t { Bitmap = 0, Jpeg = 1, Icon = 2, Metafile = 3, None = 255 };

// Kind from the first bytes; None when nothing matches.
TvlPictureKind vlDetectPictureKind(const std::string& bytes);

class TvlGraphic {
 public:
  TvlGraphic() = default;
  TvlGraphic(TvlPictureKind kind, std::string bytes);

  TvlPictureKind Kind() const { return kind_; }
  const std::string& Bytes() const { return bytes_; }
  bool Empty() const { return bytes_.empty(); }

  // Natural size in pixels (a metafile's frame at 96 per inch); 0 x 0 when
  // the bytes do not decode.
  std::int32_t Width() const;
  std::int32_t Height() const;
  bool Valid() const;
  bool IsMetafile() const { return kind_ == TvlPictureKind::Metafile; }
  // The decoded raster of a bitmap, JPEG or icon; null for metafiles and
  // for bytes that do not decode.
  const TvlRaster* Raster() const;

 private:
  struct Decoded;
  const Decoded& Decode() const;

  TvlPictureKind kind_ = TvlPictureKind::None;
  std::string bytes_;
  mutable std::shared_ptr<const Decoded> decoded_;
};

}  // namespace vl
