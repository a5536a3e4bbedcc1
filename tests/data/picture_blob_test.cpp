#include <gtest/gtest.h>

#include "engine/data/source_blob_field.h"
#include "engine/data/sqlite_data_source.h"
#include "engine/core/engine_state.h"
#include "engine/model/picture_view.h"
#include "platform/bitmap_codec.h"
#include "platform/jpeg_codec.h"
#include "platform/recording_canvas.h"
#include "tests/data/fixtures.h"

namespace vl {
namespace {

using test::TempFolder;

TvlRaster Solid(std::int32_t w, std::int32_t h) {
  TvlRaster r;
  r.Width = w, r.Height = h;
  r.Pixels.assign(static_cast<std::size_t>(w * h), 0xFF2080C0);
  return r;
}

std::string Hex(const std::string& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string s;
  for (unsigned char c : bytes) s += {digits[c >> 4], digits[c & 15]};
  return s;
}

// Draws the view as the preview does and gives the picture it put down.
std::string DrawnPicture(TvlPictureView& v) {
  const TvlDocMode mode = vlState().DocMode;
  vlState().DocMode = TvlDocMode::dmPrinting;
  TvlRecordingCanvas c;
  v.Draw(c);
  vlState().DocMode = mode;
  for (const TvlCanvasOp& op : c.Ops())
    if (op.Kind == TvlOpKind::Raster) return TvlRecordingCanvas::Describe(op);
  return "nothing";
}

TEST(PictureFromData, BlobColumnsAndFilesDrawCentredKeepingTheAspect) {
  TempFolder dir;
  const std::string bmp = vlEncodeBmp(Solid(40, 10));
  const std::string jpg = vlEncodeJpeg(Solid(10, 40));
  TvlSQLiteDataSource s;
  s.FileName = dir.Database("pictures.db", "CREATE TABLE p(kind INTEGER, pic BLOB);"
                                           "INSERT INTO p VALUES(0, x'" + Hex(bmp) + "');"
                                           "INSERT INTO p VALUES(1, x'" + Hex(jpg) + "');"
                                           "INSERT INTO p VALUES(1, NULL);"
                                           "INSERT INTO p VALUES(1, x'FFD8FFE000104A464946');");
  s.TableName = "p";
  s.Open();

  TvlPictureView v;
  v.Left = 100, v.Top = 50, v.Width = 80, v.Height = 80;
  v.Flags = flStretched | flKeepAspect | flCenter;
  const TvlSourceBlobField field(s, "PIC");

  // 40 x 10 bitmap in an 80 x 80 view: 81 x 20, moved down by (81 - 20) / 2.
  v.BlobType = btBMP;
  v.GetBlob(field);
  EXPECT_EQ(DrawnPicture(v), "raster 100,80,181,100 from 40x10");

  // 10 x 40 JPEG image: 20 x 81, moved right by 30.
  s.Next();
  v.BlobType = btJPG;
  v.GetBlob(field);
  EXPECT_EQ(DrawnPicture(v), "raster 130,50,150,131 from 10x40");

  // A null field empties the picture; a damaged image draws as empty.
  s.Next();
  v.GetBlob(field);
  EXPECT_TRUE(v.Picture.Empty());
  EXPECT_EQ(DrawnPicture(v), "nothing");
  s.Next();
  v.GetBlob(field);
  EXPECT_FALSE(v.Picture.Empty());
  EXPECT_EQ(DrawnPicture(v), "nothing");

  // The same JPEG from a file.
  const std::string file = dir.Write("tall.jpg", jpg);
  v.CallMethod("LOADFROMFILE", file, {}, {});
  EXPECT_EQ(DrawnPicture(v), "raster 130,50,150,131 from 10x40");
  v.Flags = flStretched | flKeepAspect;  // not centred: from the top-left
  EXPECT_EQ(DrawnPicture(v), "raster 100,50,120,131 from 10x40");

  // A field the source does not have reads as null.
  EXPECT_TRUE(TvlSourceBlobField(s, "nothing").IsNull());
}

}  // namespace
}  // namespace vl
