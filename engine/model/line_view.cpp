// A line view is a frame of one line: a top line when it is wider than high,
// a left line otherwise, in any frame style, the double line included.

#include "engine/model/line_view.h"

namespace vl {

void TvlLineView::DeclareProperties() {
  TvlView::DeclareProperties();
  AddProperty("Stretched", ptBoolean);
}

void TvlLineView::Draw(TvlCanvas& canvas) {
  Canvas = &canvas;
  AlignInBand(&canvas);
  if (Height < Width) {
    Height = 0;
    FrameTyp = vlftTop;
  } else {
    Width = 0;
    FrameTyp = vlftLeft;
  }
  BeginDraw();
  DrawFrame();
  EndDraw();
}

TvlRegion TvlLineView::GetClipRgn(bool extended) {
  // Truncated toward zero, unlike the rounded frame region of other views.
  const double fw = FrameWidth;
  std::int32_t outer, inner;
  if (FrameStyle == psDouble) {
    outer = static_cast<std::int32_t>(fw * 1.5);
    inner = static_cast<std::int32_t>(static_cast<std::int32_t>((fw - 1) / 2) + fw);
  } else {
    outer = static_cast<std::int32_t>(fw * 0.5);
    inner = static_cast<std::int32_t>((fw - 1) / 2);
  }
  TvlRect r{Left, Top, Left + Width + 1, Top + Height + 1};
  if (FrameTyp == vlftLeft) r.Left -= outer, r.Right += inner;
  else r.Top -= outer, r.Bottom += inner;
  if (extended) r = {r.Left - 10, r.Top - 10, r.Right + 10, r.Bottom + 10};
  return TvlRegion(r);
}

}  // namespace vl
