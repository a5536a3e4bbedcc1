// How a sub-report placeholder shows: a white box with its name.

#include "engine/model/subreport_view.h"
#include "platform/canvas.h"

namespace vl {

void TvlSubReportView::Draw(TvlCanvas& canvas) {
  Canvas = &canvas;
  AlignInBand(&canvas);
  FrameWidth = 1;
  BeginDraw();
  canvas.SetPen({clBlack, 1, TvlPenStyle::Solid, TvlPenMode::Copy});
  canvas.SetSolidBrush(clWhite);
  canvas.Rectangle({Left, Top, Left + Width + 1, Top + Height + 1});
  TvlCanvasFont font;
  font.Name = "Arial";
  font.Height = (8 * canvas.PixelsPerInchY() + 36) / 72;
  font.Color = clBlack;
  canvas.SetFont(font);
  canvas.TextRect(DRect, Left + 2, Top + 2, Name, toClipped);
  EndDraw();
}

void TvlSubReportView::DefinePopupMenu(std::vector<TvlPopupEntry>&) {}

}  // namespace vl
