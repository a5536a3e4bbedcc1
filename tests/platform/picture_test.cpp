#include <gtest/gtest.h>

#include <cstring>

#include "platform/bitmap_codec.h"
#include "platform/jpeg_codec.h"
#include "platform/metafile_player.h"
#include "platform/picture.h"
#include "platform/recording_canvas.h"
#include "tests/platform/picture_fixtures.h"

namespace vl {
namespace {

TvlRaster Gradient(int w, int h) {
  TvlRaster r;
  r.Width = w, r.Height = h;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      r.Pixels.push_back(0xFF000000u | (static_cast<std::uint32_t>(x * 255 / w) << 16) |
                         (static_cast<std::uint32_t>(y * 255 / h) << 8) | 0x40);
  return r;
}

TEST(BitmapCodec, BitmapFileRoundTripsAndIconKeepsItsMask) {
  const TvlRaster src = Gradient(5, 3);  // odd width: padded rows
  TvlRaster back;
  ASSERT_TRUE(vlDecodeBmp(vlEncodeBmp(src), back));
  EXPECT_EQ(back.Width, 5);
  EXPECT_EQ(back.Height, 3);
  EXPECT_EQ(back.Pixels, src.Pixels);

  TvlRaster icon;
  ASSERT_TRUE(vlDecodeIco(fixtures::TwoByTwoIcon(), icon));
  EXPECT_EQ(icon.Pixels, (std::vector<std::uint32_t>{0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0x00000000}));
}

TEST(BitmapCodec, ReadsPalettedAndTopDownBitmaps) {
  // 4-bit, 3 x 2, top-down (negative height), two palette entries used.
  std::string s = "BM";
  fixtures::Put(s, 0, 4), fixtures::Put(s, 0, 4), fixtures::Put(s, 14 + 40 + 8, 4);
  fixtures::Put(s, 40, 4), fixtures::Put(s, 3, 4), fixtures::Put(s, static_cast<std::uint32_t>(-2), 4);
  fixtures::Put(s, 1, 2), fixtures::Put(s, 4, 2), fixtures::Put(s, 0, 4), fixtures::Put(s, 0, 4);
  fixtures::Put(s, 0, 4), fixtures::Put(s, 0, 4), fixtures::Put(s, 2, 4), fixtures::Put(s, 0, 4);
  fixtures::Put(s, 0x000000FF, 4), fixtures::Put(s, 0x0000FF00, 4);  // blue, green (BGR0)
  s += std::string("\x01\x00\x00\x00\x10\x10\x00\x00", 8);
  TvlRaster r;
  ASSERT_TRUE(vlDecodeBmp(s, r));
  EXPECT_EQ(r.Pixels, (std::vector<std::uint32_t>{0xFF0000FF, 0xFF00FF00, 0xFF0000FF,   // 0 1 0
                                                  0xFF00FF00, 0xFF0000FF, 0xFF00FF00}));
}

TEST(BitmapCodec, BitFieldMasksOfEveryWidthDecode) {
  // 32-bit BI_BITFIELDS, one pixel; a mask may cover all 32 bits (a channel
  // as wide as the pixel) or sit in the top bits.
  const struct {
    std::uint32_t Red, Pixel, Expected;
  } cases[] = {{0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFF0000u},
               {0xFFFFFFFFu, 0x00000000u, 0xFF000000u},
               {0xFF000000u, 0x80000000u, 0xFF800000u},
               {0x80000000u, 0x80000000u, 0xFFFF0000u}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Red);
    std::string s = "BM";
    fixtures::Put(s, 0, 4), fixtures::Put(s, 0, 4), fixtures::Put(s, 14 + 40 + 12, 4);
    fixtures::Put(s, 40, 4), fixtures::Put(s, 1, 4), fixtures::Put(s, 1, 4);
    fixtures::Put(s, 1, 2), fixtures::Put(s, 32, 2), fixtures::Put(s, 3, 4);  // BI_BITFIELDS
    for (int k = 0; k < 5; ++k) fixtures::Put(s, 0, 4);
    fixtures::Put(s, c.Red, 4), fixtures::Put(s, 0, 4), fixtures::Put(s, 0, 4);  // green and blue absent
    fixtures::Put(s, c.Pixel, 4);
    TvlRaster r;
    ASSERT_TRUE(vlDecodeBmp(s, r));
    EXPECT_EQ(r.Pixels, std::vector<std::uint32_t>{c.Expected});
  }
}

TEST(JpegCodec, EncodesAndDecodesThroughLibjpeg) {
  const TvlRaster src = Gradient(40, 24);
  const std::string jpeg = vlEncodeJpeg(src, 95);
  ASSERT_GT(jpeg.size(), 100u);
  std::int32_t w = 0, h = 0;
  ASSERT_TRUE(vlJpegSize(jpeg, w, h));
  EXPECT_EQ(w, 40);
  EXPECT_EQ(h, 24);
  TvlRaster back;
  ASSERT_TRUE(vlDecodeJpeg(jpeg, back));
  ASSERT_EQ(back.Pixels.size(), src.Pixels.size());
  int worst = 0;
  for (std::size_t k = 0; k < src.Pixels.size(); ++k)
    for (int shift : {0, 8, 16})
      worst = std::max(worst, std::abs(static_cast<int>((src.Pixels[k] >> shift) & 0xFF) -
                                       static_cast<int>((back.Pixels[k] >> shift) & 0xFF)));
  EXPECT_LT(worst, 24);  // lossy, but the picture is the same
}

TEST(Pictures, CorruptBytesDecodeToNothingAndDrawNothing) {
  const std::string bmp = vlEncodeBmp(Gradient(4, 4));
  const std::string jpeg = vlEncodeJpeg(Gradient(16, 16));
  const std::string ico = fixtures::TwoByTwoIcon();
  fixtures::EmfWriter emf(1000, 1000);
  emf.Rect(0, 0, 50, 50);
  const std::string emfBytes = emf.Finish();
  const struct {
    TvlPictureKind Kind;
    std::string Bytes;
  } cases[] = {{TvlPictureKind::Bitmap, bmp}, {TvlPictureKind::Jpeg, jpeg}, {TvlPictureKind::Icon, ico},
               {TvlPictureKind::Metafile, emfBytes}};
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Kind));
    EXPECT_TRUE(TvlPicture(c.Kind, c.Bytes).Valid());
    EXPECT_EQ(vlDetectPictureKind(c.Bytes), c.Kind);
    // Every cut of the file, and the file with its size fields mangled.
    for (std::size_t cut = 0; cut < c.Bytes.size(); cut += 1 + c.Bytes.size() / 64) {
      TvlRecordingCanvas canvas;
      TvlPicture p(c.Kind, c.Bytes.substr(0, cut));
      canvas.StretchDraw({0, 0, 100, 100}, p);
      if (!p.Valid()) {
        EXPECT_TRUE(canvas.Describe(false).empty());
      }
    }
    std::string mangled = c.Bytes;
    for (std::size_t k = 2; k < std::min<std::size_t>(mangled.size(), 60); k += 7) mangled[k] = '\xFF';
    TvlRecordingCanvas canvas;
    canvas.StretchDraw({0, 0, 100, 100}, TvlPicture(c.Kind, mangled));
  }
  // A bitmap claiming a billion pixels is refused before any allocation.
  std::string huge = bmp;
  huge[18] = '\xFF', huge[19] = '\xFF', huge[20] = '\xFF', huge[21] = '\x0F';
  EXPECT_FALSE(TvlPicture(TvlPictureKind::Bitmap, huge).Valid());
}

TEST(MetafilePlayer, PlaysEnhancedRecordsScaledIntoTheRectangle) {
  // A 10 mm x 5 mm frame on a reference device of 1000 px per 254 mm:
  // 39.37 x 19.69 reference pixels drawn into 200 x 100.
  fixtures::EmfWriter emf(1000, 500, 1000, 1000, 254, 254);
  emf.Pen(1, 1 /* dash */, 0, 0x0000FF);
  emf.Select(1);
  emf.Brush(2, 0, 0x00FF00);
  emf.Select(2);
  emf.Rect(0, 0, 20, 10);
  emf.MoveTo(0, 0);
  emf.LineTo(39, 19);
  emf.Select(0x80000005);  // the null brush
  emf.Ellipse(2, 2, 4, 4);
  emf.Polygon16({0, 0, 10, 0, 5, 5});
  emf.Font(3, -4, 0, "Arial");
  emf.Select(3);
  emf.Text(1, 1, "Hi");
  std::string bits("\x00\x00\xFF\x00\x00\x00\x00\x00", 8);  // one red pixel, padded row
  emf.StretchDib(10, 10, 5, 5, 1, 1, bits);
  emf.Record(200, {1, 2, 3});  // a record the player does not know
  const std::string bytes = emf.Finish();

  TvlMetafileInfo info;
  ASSERT_TRUE(vlMetafileInfo(bytes, info));
  EXPECT_EQ(info.Width, 38);  // 10 mm at 96 per inch
  EXPECT_EQ(info.Height, 19);

  TvlRecordingCanvas c;
  c.SetFontHeight(7);
  ASSERT_TRUE(vlPlayMetafile(c, bytes, {100, 100, 300, 200}));
  const std::vector<std::string> ops = c.Describe(false);
  EXPECT_EQ(ops, (std::vector<std::string>{"rect 100,100,202,151", "line 100,100 298,197", "ellipse 110,110,120,120",
                                           "polygon 100,100 151,100 125,125", "text 105,105 'Hi'",
                                           "raster 151,151,176,176 from 1x1"}));
  // The surface's own state is back afterwards.
  EXPECT_EQ(c.Font().Height, 7);
  EXPECT_EQ(c.Pen().Color, clBlack);
  const auto runs = c.TextRuns();
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].Font.Height, 20);  // 4 logical units at 5.08 pixels each
}

TEST(MetafilePlayer, FollowsTheWorldTransform) {
  auto f = [](float v) {
    std::uint32_t u;
    std::memcpy(&u, &v, 4);
    return u;
  };
  fixtures::EmfWriter emf(2540, 2540, 100, 100, 25, 25);  // 100 reference pixels
  emf.Record(35, {f(2), f(0), f(0), f(2), f(10), f(5)});   // scale 2, then move by (10, 5)
  emf.Rect(0, 0, 10, 10);
  emf.Record(36, {f(1), f(0), f(0), f(1), f(0), f(0), 1});  // back to identity
  emf.Rect(0, 0, 10, 10);
  TvlRecordingCanvas c;
  ASSERT_TRUE(vlPlayMetafile(c, emf.Finish(), {0, 0, 100, 100}));
  EXPECT_EQ(c.Describe(false), (std::vector<std::string>{"rect 10,5,30,25", "rect 0,0,10,10"}));
}

TEST(MetafilePlayer, HeaderExtremesAreRefusedNotOverflowed) {
  fixtures::EmfWriter emf(0, 0);  // no frame: the bounds give the size
  std::string bytes = emf.Finish();
  bytes[11] = '\x80';  // left bound -2^31
  TvlMetafileInfo info;
  EXPECT_FALSE(vlMetafileInfo(bytes, info));
  EXPECT_FALSE(TvlPicture(TvlPictureKind::Metafile, bytes).Valid());
}

TEST(MetafilePlayer, PlaysPlaceableLegacyFiles) {
  fixtures::WmfWriter wmf(100, 50, 100);  // one inch by half an inch
  wmf.Record(0x02FA, {0, 2, 0, 0x00FF, 0});  // pen: solid, width 2, red
  wmf.Record(0x012D, {0});
  wmf.Record(0x041B, {40, 80, 10, 20});  // rectangle (bottom, right, top, left)
  wmf.Record(0x0521, {2, 'O' | ('K' << 8), 5, 3});  // "OK" at (3, 5)
  const std::string bytes = wmf.Finish();
  TvlMetafileInfo info;
  ASSERT_TRUE(vlMetafileInfo(bytes, info));
  EXPECT_EQ(info.Width, 96);
  EXPECT_EQ(info.Height, 48);
  TvlRecordingCanvas c;
  ASSERT_TRUE(vlPlayMetafile(c, bytes, {0, 0, 200, 100}));
  EXPECT_EQ(c.Describe(false), (std::vector<std::string>{"rect 40,20,160,80", "text 6,10 'OK'"}));
  EXPECT_FALSE(vlPlayMetafile(c, "not a metafile at all", {0, 0, 10, 10}));
}

}  // namespace
}  // namespace vl
