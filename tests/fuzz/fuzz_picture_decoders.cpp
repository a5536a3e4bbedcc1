// Bitmap, icon and JPEG decoding: the first byte chooses the decoder, the
// rest is the file. A picture that decodes is drawn on a recording surface.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/bitmap_codec.h"
#include "platform/jpeg_codec.h"
#include "platform/picture.h"
#include "platform/recording_canvas.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/platform/picture_fixtures.h"

namespace {

std::string Seed(char kind, const std::string& bytes) { return std::string(1, kind) + bytes; }

vl::TvlRaster Small() {
  vl::TvlRaster r;
  r.Width = 6, r.Height = 5;
  for (int k = 0; k < 30; ++k) r.Pixels.push_back(0xFF000000u | static_cast<std::uint32_t>(k * 0x050301));
  return r;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  vl::fuzz::WriteSeedsIfAsked({Seed(0, vl::vlEncodeBmp(Small())), Seed(1, vl::vlEncodeJpeg(Small(), 80)),
                               Seed(2, vl::fixtures::TwoByTwoIcon())});
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  vl::TvlGraphic picture(static_cast<vl::TvlPictureKind>(data[0] % 3), bytes);
  vl::TvlRecordingCanvas canvas;
  canvas.StretchDraw({0, 0, 50, 50}, picture, data[0] & 0x80);
  if (const vl::TvlRaster* r = picture.Raster()) {
    if (r->Pixels.size() != static_cast<std::size_t>(r->Width) * r->Height) __builtin_trap();
  }
  return 0;
}
