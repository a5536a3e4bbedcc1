// How a picture view draws: the image placed by the stretch, centre and
// keep-aspect flags, pictures sent to a printer as device-independent
// bitmaps, and the empty picture's placeholder in the designer.

#include <algorithm>

#include "engine/core/engine_state.h"
#include "engine/core/string_table.h"
#include "engine/core/units.h"
#include "engine/model/designer_pattern.h"
#include "engine/model/picture_view.h"
#include "platform/canvas.h"
#include "platform/picture.h"

namespace vl {

struct TvlPictureView::Decoded {
  TvlGraphicKind Kind = gkNone;
  TvlPicture Image;
};

namespace {

TvlPictureKind PlatformKind(TvlGraphicKind kind) {
  switch (kind) {
    case gkBitmap: return TvlPictureKind::Bitmap;
    case gkJpeg: return TvlPictureKind::Jpeg;
    case gkIcon: return TvlPictureKind::Icon;
    case gkMetafile: return TvlPictureKind::Metafile;
    default: return TvlPictureKind::None;
  }
}

bool SameBytes(const std::vector<std::uint8_t>& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](std::uint8_t x, char y) { return x == static_cast<std::uint8_t>(y); });
}

// The designer's mark for a picture view without image: a small framed
// landscape, 16 x 16.
const TvlRaster& EmptyPictureGlyph() {
  static const TvlRaster glyph = [] {
    TvlRaster r;
    r.Width = r.Height = 16;
    r.Pixels.assign(256, 0xFFFFFFFF);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        std::uint32_t& p = r.At(x, y);
        if (x == 0 || y == 0 || x == 15 || y == 15) p = 0xFF808080;         // frame
        else if (y + x / 2 >= 16 || (y >= 11 && x >= 5)) p = 0xFF008000;   // hills
        else if ((x - 10) * (x - 10) + (y - 5) * (y - 5) <= 4) p = 0xFFFFFF00;  // sun
        else p = 0xFF80C0FF;                                               // sky
      }
    return r;
  }();
  return glyph;
}

}  // namespace

const TvlPictureView::Decoded& TvlPictureView::Decode() const {
  if (!decoded_ || decoded_->Kind != Picture.Kind || !SameBytes(Picture.Data, decoded_->Image.Bytes())) {
    auto d = std::make_shared<Decoded>();
    d->Kind = Picture.Kind;
    if (!Picture.Empty())
      d->Image = TvlPicture(PlatformKind(Picture.Kind), std::string(Picture.Data.begin(), Picture.Data.end()));
    decoded_ = std::move(d);
  }
  return *decoded_;
}

std::int32_t TvlPictureView::PictureWidth() const { return Picture.Empty() ? 0 : Decode().Image.Width(); }
std::int32_t TvlPictureView::PictureHeight() const { return Picture.Empty() ? 0 : Decode().Image.Height(); }

TvlRect TvlPictureView::TargetRect(std::int32_t pw, std::int32_t ph) const {
  const TvlRect r = DRect;
  TvlRect t = r;
  const bool center = (Flags & flCenter) != 0;
  if (Flags & flStretched) {
    if (Flags & flKeepAspect) {
      const double kx = static_cast<double>(Width) / pw;
      const double ky = static_cast<double>(Height) / ph;
      if (kx >= ky) t.Right = t.Left + vlRound(pw * ky);
      else t.Bottom = t.Top + vlRound(ph * kx);
    }
    if (center) {
      const std::int32_t dx = (r.Width() - t.Width()) / 2, dy = (r.Height() - t.Height()) / 2;
      t = {t.Left + dx, t.Top + dy, t.Right + dx, t.Bottom + dy};
    }
  } else {
    const std::int32_t w = vlRound(pw * DrawScaleX), h = vlRound(ph * DrawScaleY);
    const std::int32_t dx = center ? (r.Width() - w) / 2 : 0, dy = center ? (r.Height() - h) / 2 : 0;
    t = {r.Left + dx, r.Top + dy, r.Left + dx + w, r.Top + dy + h};
  }
  return t;
}

void TvlPictureView::Draw(TvlCanvas& canvas) {
  Canvas = &canvas;
  AlignInBand(&canvas);
  BeginDraw();
  DrawBackground();
  // A picture whose bytes do not decode draws as an empty one.
  const TvlPicture* image = nullptr;
  if (!Picture.Empty() && Decode().Image.Valid()) image = &Decode().Image;
  if (image && !vlState().FirstPassOnly) {
    const std::int32_t pw = image->Width(), ph = image->Height();
    if (pw > 0 && ph > 0) {
      // A printer takes bitmaps and JPEG images through the device-independent
      // transfer; icons are not printed.
      if (!(ToPrinter && image->Kind() == TvlPictureKind::Icon))
        canvas.StretchDraw(TargetRect(pw, ph), *image, ToPrinter != 0);
    }
  } else if (!image && vlState().DocMode == TvlDocMode::dmDesign) {
    // An empty picture area shows the designer's chequer unless the view
    // has a fill of its own, then the placeholder mark and "[Picture]".
    if (FillColor == clNone) {
      canvas.SetBrush(vlDesignerPatternBrush());
      canvas.FillRect(DRect);
    }
    TvlCanvasFont font;
    font.Name = "Arial";
    font.Height = (8 * canvas.PixelsPerInchY() + 36) / 72;
    font.Color = clBlack;
    canvas.SetFont(font);
    canvas.SetBkMode(TvlBkMode::Transparent);
    canvas.TextRect(DRect, Left + 20, Top + 3, vlLoadStr(55228), toClipped);
    const TvlRaster& glyph = EmptyPictureGlyph();
    canvas.StretchRaster({Left + 1, Top + 2, Left + 1 + glyph.Width, Top + 2 + glyph.Height}, glyph,
                         TvlStretchMode::ColorOnColor, false);
  }
  DrawFrame();
  EndDraw();
}

}  // namespace vl
