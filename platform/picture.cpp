#include "platform/picture.h"

#include "platform/bitmap_codec.h"
#include "platform/jpeg_codec.h"
#include "platform/metafile_player.h"

namespace vl {

struct TvlGraphic::Decoded {
  bool Ok = false;
  TvlRaster Raster;
  std::int32_t Width = 0, Height = 0;
};

TvlPictureKind vlDetectPictureKind(const std::string& b) {
  auto at = [&b](std::size_t k) { return k < b.size() ? static_cast<unsigned char>(b[k]) : 0u; };
  if (at(0) == 'B' && at(1) == 'M') return TvlPictureKind::Bitmap;
  if (at(0) == 0xFF && at(1) == 0xD8) return TvlPictureKind::Jpeg;
  if (at(0) == 0 && at(1) == 0 && (at(2) == 1 || at(2) == 2) && at(3) == 0) return TvlPictureKind::Icon;
  if (vlIsMetafile(b)) return TvlPictureKind::Metafile;
  return TvlPictureKind::None;
}

TvlGraphic::TvlGraphic(TvlPictureKind kind, std::string bytes) : kind_(kind), bytes_(std::move(bytes)) {}

const TvlGraphic::Decoded& TvlGraphic::Decode() const {
  if (decoded_) return *decoded_;
  auto d = std::make_shared<Decoded>();
  switch (kind_) {
    case TvlPictureKind::Bitmap: d->Ok = vlDecodeBmp(bytes_, d->Raster); break;
    case TvlPictureKind::Jpeg: d->Ok = vlDecodeJpeg(bytes_, d->Raster); break;
    case TvlPictureKind::Icon: d->Ok = vlDecodeIco(bytes_, d->Raster); break;
    case TvlPictureKind::Metafile: {
      TvlMetafileInfo info;
      d->Ok = vlMetafileInfo(bytes_, info);
      d->Width = info.Width;
      d->Height = info.Height;
      break;
    }
    case TvlPictureKind::None: break;
  }
  if (d->Ok && kind_ != TvlPictureKind::Metafile) {
    d->Width = d->Raster.Width;
    d->Height = d->Raster.Height;
  }
  if (!d->Ok) d->Raster = TvlRaster{}, d->Width = d->Height = 0;
  decoded_ = std::move(d);
  return *decoded_;
}

std::int32_t TvlGraphic::Width() const { return Decode().Width; }
std::int32_t TvlGraphic::Height() const { return Decode().Height; }
bool TvlGraphic::Valid() const { return Decode().Ok; }
const TvlRaster* TvlGraphic::Raster() const {
  const Decoded& d = Decode();
  return d.Ok && kind_ != TvlPictureKind::Metafile ? &d.Raster : nullptr;
}

}  // namespace vl
