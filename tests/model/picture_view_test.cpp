#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "engine/core/error.h"
#include "engine/model/blob_field.h"
#include "engine/model/views.h"
#include "platform/recording_canvas.h"
#include "tests/model/picture_fixture.h"
#include "tests/model/view_state_guard.h"

namespace vl {
namespace {

using test::ViewStateGuard;
using Lines = std::vector<std::string>;

class PictureViewTest : public ViewStateGuard {};

void Hold(TvlPictureView& v, TvlGraphicKind kind, const std::string& bytes) {
  v.Picture.Kind = kind;
  v.Picture.Data.assign(bytes.begin(), bytes.end());
}

std::unique_ptr<TvlPictureView> View(std::int32_t l, std::int32_t t, std::int32_t w, std::int32_t h,
                                     std::uint16_t flags) {
  auto v = std::make_unique<TvlPictureView>();
  v->Left = l, v->Top = t, v->Width = w, v->Height = h, v->Flags = flags;
  return v;
}

// The pictures a draw put on the surface ("raster l,t,r,b from wxh").
Lines Pictures(const TvlRecordingCanvas& c) {
  Lines out;
  for (const TvlCanvasOp& op : c.Ops())
    if (op.Kind == TvlOpKind::Raster) out.push_back(TvlRecordingCanvas::Describe(op));
  return out;
}

TEST_F(PictureViewTest, ImageIsPlacedByStretchCentreAndAspect) {
  Mode(TvlDocMode::dmPrinting);
  const std::string wide = test::BitmapFile(400, 100);
  constexpr std::uint16_t S = flStretched, C = flCenter, K = flKeepAspect;
  const struct {
    std::uint16_t Flags;
    double Scale;
    const char* Expected;
  } cases[] = {
      // 400 x 100 in a 200 x 200 view at (10, 20): the inner rectangle is 10,20-211,221.
      {S, 1, "raster 10,20,211,221 from 400x100"},
      {S | K, 1, "raster 10,20,211,70 from 400x100"},
      {S | K | C, 1, "raster 10,95,211,145 from 400x100"},  // 200 x 50, moved down by 75
      {S | C, 1, "raster 10,20,211,221 from 400x100"},
      {0, 1, "raster 10,20,410,120 from 400x100"},           // natural size from the top-left
      {C, 1, "raster -89,70,311,170 from 400x100"},
      {C, 0.5, "raster -44,35,156,85 from 400x100"},        // natural size follows the draw scale
      {S | K | C, 2, "raster 20,190,421,290 from 400x100"},
  };
  for (const auto& c : cases) {
    auto v = View(10, 20, 200, 200, c.Flags);
    Hold(*v, gkBitmap, wide);
    v->DrawScaleX = v->DrawScaleY = c.Scale;
    TvlRecordingCanvas canvas;
    v->Draw(canvas);
    EXPECT_EQ(Pictures(canvas), Lines{c.Expected}) << c.Flags << " at " << c.Scale;
    EXPECT_EQ(std::tie(v->Left, v->Top, v->Width, v->Height), std::make_tuple(10, 20, 200, 200));
  }
}

TEST_F(PictureViewTest, PrinterTakesBitmapsDeviceIndependentlyAndNoIcons) {
  Mode(TvlDocMode::dmPrinting);
  auto v = View(0, 0, 50, 50, flStretched);
  Hold(*v, gkBitmap, test::BitmapFile(10, 10));
  v->ToPrinter = 1;
  TvlRecordingCanvas c;
  v->Draw(c);
  EXPECT_EQ(Pictures(c), Lines{"dib 0,0,51,51 from 10x10"});

  // An icon: drawn on screen, left out on paper.
  const std::string icon = [] {
    // A 1 x 1 icon of 32 bits per pixel.
    std::string s("\0\0\1\0\1\0\1\1\0\0\1\0\x20\0", 14);
    const std::uint32_t size = 40 + 4 + 4;
    s += std::string(reinterpret_cast<const char*>(&size), 4);
    s += std::string("\x16\0\0\0", 4);
    std::string dib(40, '\0');
    dib[0] = 40, dib[4] = 1, dib[8] = 2, dib[12] = 1, dib[14] = 32;
    return s + dib + std::string("\xFF\0\0\xFF", 4) + std::string(4, '\0');
  }();
  Hold(*v, gkIcon, icon);
  c.Clear();
  v->Draw(c);
  EXPECT_TRUE(Pictures(c).empty());
  v->ToPrinter = 0;
  c.Clear();
  v->Draw(c);
  EXPECT_EQ(Pictures(c), Lines{"raster 0,0,51,51 from 1x1"});
}

TEST_F(PictureViewTest, EmptyOrDamagedPictureShowsThePlaceholderOnlyInTheDesigner) {
  const struct {
    const char* Name;
    TvlGraphicKind Kind;
    std::string Bytes;
  } cases[] = {
      {"empty", gkNone, ""},
      {"damaged JPEG", gkJpeg, std::string("\xFF\xD8\xFF\xE0 not a picture", 18)},
      {"bitmap cut short", gkBitmap, test::BitmapFile(20, 20).substr(0, 70)},
      {"metafile of noise", gkMetafile, std::string(64, '\x7F')},
  };
  for (const auto& c : cases) {
    auto v = View(10, 20, 100, 50, flStretched | flKeepAspect);
    Hold(*v, c.Kind, c.Bytes);

    Mode(TvlDocMode::dmDesign);
    TvlRecordingCanvas design;
    v->Draw(design);
    const Lines ops = design.Describe(false);
    EXPECT_EQ(Lines(ops.begin(), ops.begin() + 4),
              (Lines{"fill 10,20,111,71", "fill 10,20,111,71", "text 30,23 '[Picture]' clip 10,20,111,71",
                     "raster 11,22,27,38 from 16x16"}))
        << c.Name;
    const Lines all = design.Describe();
    EXPECT_NE(std::find(all.begin(), all.end(), "brush pattern C0C0C0 on FFFFFF 55AA55AA55AA55AA"), all.end());

    Mode(TvlDocMode::dmPrinting);
    TvlRecordingCanvas preview;
    v->Draw(preview);
    EXPECT_TRUE(preview.Describe(false).empty()) << c.Name;
  }
}

TEST_F(PictureViewTest, Properties) {
  TvlPictureView v;
  v.DeclareProperties();
  Lines names;
  for (const auto& p : v.Properties()) names.push_back(p->Name);
  EXPECT_EQ(Lines(names.end() - 6, names.end()),
            (Lines{"Picture", "Stretched", "Center", "KeepAspect", "DataField", "BlobType"}));
  EXPECT_EQ(v.FindProperty("DataField")->Kind, 0x0141);
  EXPECT_EQ(v.FindProperty("BlobType")->EnumNames, (Lines{"btBMP", "btJPG", "btICO", "btWMF"}));
  EXPECT_NE(v.FindProperty("FrameStyle"), nullptr);

  v.SetProperty("center", true);
  v.SetProperty("KeepAspect", false);
  v.SetProperty("BlobType", 1);
  EXPECT_EQ(v.Flags, flStretched | flCenter);
  EXPECT_EQ(v.BlobType, btJPG);
  EXPECT_TRUE(v.GetProperty("CENTER").SameAs(TvlValue(true)));
  EXPECT_TRUE(v.GetProperty("KEEPASPECT").SameAs(TvlValue(false)));
  EXPECT_TRUE(v.GetProperty("BLOBTYPE").SameAs(TvlValue(1)));

  // One view's picture assigned to another copies the image.
  Hold(v, gkJpeg, "JPEGBYTES");
  TvlPictureView other;
  other.SetProperty("Picture", v.GetProperty("Picture"));
  EXPECT_EQ(other.Picture, v.Picture);
  other.SetProperty("Picture", TvlPictureView().GetProperty("Picture"));
  EXPECT_TRUE(other.Picture.Empty());

  std::vector<TvlPopupEntry> menu;
  v.DefinePopupMenu(menu);
  ASSERT_EQ(menu.size(), 4u);
  EXPECT_EQ(std::tie(menu[2].CaptionId, menu[2].Checked), std::make_tuple(55197, true));
  EXPECT_EQ(std::tie(menu[3].CaptionId, menu[3].Checked, menu[3].Enabled), std::make_tuple(55198, false, true));
  v.Flags = flKeepAspect;  // not stretched: keep aspect is greyed and unchecked
  menu.clear();
  v.DefinePopupMenu(menu);
  EXPECT_EQ(std::tie(menu[3].Checked, menu[3].Enabled), std::make_tuple(false, false));
}

TEST_F(PictureViewTest, LoadFromFileChoosesTheKindByExtension) {
  const auto dir = std::filesystem::temp_directory_path() / ("vl_picture_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string bmp = (dir / "Logo.BMP").string();
  std::ofstream(bmp, std::ios::binary) << test::BitmapFile(40, 20);

  TvlPictureView v;
  v.CallMethod("LOADFROMFILE", bmp, {}, {});
  EXPECT_EQ(v.Picture.Kind, gkBitmap);
  EXPECT_EQ(std::make_tuple(v.PictureWidth(), v.PictureHeight()), std::make_tuple(40, 20));

  // An empty text or a missing file empties the picture.
  v.CallMethod("LOADFROMFILE", "", {}, {});
  EXPECT_TRUE(v.Picture.Empty());
  v.LoadFromFile(bmp);
  v.CallMethod("LOADFROMFILE", (dir / "missing.jpg").string(), {}, {});
  EXPECT_TRUE(v.Picture.Empty());

  // A file of a kind no loader knows is refused, and the picture stays.
  const std::string txt = (dir / "notes.txt").string();
  std::ofstream(txt) << "hello";
  v.LoadFromFile(bmp);
  EXPECT_THROW(v.CallMethod("LOADFROMFILE", txt, {}, {}), TvlError);
  EXPECT_EQ(v.Picture.Kind, gkBitmap);
  std::filesystem::remove_all(dir);
}

// A field handed over by the dataset layer.
struct Field : TvlBlobField {
  bool null = false;
  std::string bytes;
  bool IsNull() const override { return null; }
  std::string Content() const override { return bytes; }
};

TEST_F(PictureViewTest, BoundFieldGivesAGraphicOfTheBlobType) {
  TvlPictureView v;
  Field f;
  f.bytes = "\xFF\xD8 jpeg";
  const struct {
    std::uint8_t Blob;
    TvlGraphicKind Kind;
  } kinds[] = {{btBMP, gkBitmap}, {btJPG, gkJpeg}, {btICO, gkIcon}, {btWMF, gkMetafile}};
  for (const auto& k : kinds) {
    v.BlobType = k.Blob;
    v.GetBlob(f);
    EXPECT_EQ(v.Picture.Kind, k.Kind);
    EXPECT_EQ(v.Picture.Data.size(), f.bytes.size());
  }
  // A bitmap field may carry the graphic-field header before the bitmap file.
  const std::string file = test::BitmapFile(3, 2);
  const std::uint32_t n = static_cast<std::uint32_t>(file.size());
  f.bytes = std::string("\x01\x00\x00\x01", 4) + std::string(reinterpret_cast<const char*>(&n), 4) + file;
  v.BlobType = btBMP;
  v.GetBlob(f);
  EXPECT_EQ(std::string(v.Picture.Data.begin(), v.Picture.Data.end()), file);
  EXPECT_EQ(v.PictureWidth(), 3);

  f.null = true;
  v.GetBlob(f);
  EXPECT_TRUE(v.Picture.Empty());
}

}  // namespace
}  // namespace vl
