// Enhanced and legacy metafiles played onto a recording surface.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/metafile_player.h"
#include "platform/picture.h"
#include "platform/recording_canvas.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/platform/picture_fixtures.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  vl::fixtures::EmfWriter emf(2000, 1000);
  emf.Pen(1, 0, 2, 0xFF);
  emf.Select(1);
  emf.Brush(2, 2, 0xFF00);
  emf.Select(2);
  emf.Rect(1, 1, 30, 20);
  emf.MoveTo(0, 0);
  emf.LineTo(50, 40);
  emf.Polygon16({0, 0, 10, 0, 5, 5});
  emf.Font(3, -12, 900, "Arial");
  emf.Select(3);
  emf.Text(5, 5, "Text");
  emf.StretchDib(10, 10, 5, 5, 1, 1, std::string("\x00\x00\xFF\x00", 4));
  vl::fixtures::WmfWriter wmf(100, 50);
  wmf.Record(0x02FA, {0, 2, 0, 0xFF, 0});
  wmf.Record(0x012D, {0});
  wmf.Record(0x041B, {40, 80, 10, 20});
  wmf.Record(0x0521, {2, 'O' | ('K' << 8), 5, 3});
  wmf.Record(0x0324, {3, 0, 0, 10, 0, 5, 5});
  vl::fuzz::WriteSeedsIfAsked({emf.Finish(), wmf.Finish()});
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  vl::TvlRecordingCanvas canvas({500, 500});
  vl::TvlMetafileInfo info;
  vl::vlMetafileInfo(bytes, info);
  vl::vlPlayMetafile(canvas, bytes, {10, 10, 400, 300});
  canvas.StretchDraw({0, 0, 20, 20}, vl::TvlGraphic(vl::TvlPictureKind::Metafile, bytes));
  return 0;
}
