// Drawing shared by every view: scaling the geometry for a draw, the
// background, the frame in all its styles, and the view's screen region.

#include <algorithm>

#include "engine/core/engine_state.h"
#include "engine/core/units.h"
#include "engine/model/view.h"
#include "platform/canvas.h"

namespace vl {
namespace {

bool HasLine(const TvlView& v, std::uint16_t line) { return (v.FrameTyp & line) != 0; }

// A position or length of a draw in device pixels. A damaged page may ask
// for any scale: kept within 2^28 pixels (kilometres of paper), so that the
// few sums drawing makes of them stay inside 32 bits.
constexpr double kDrawPixelLimit = 268435456.0;
std::int32_t Pixels(double v) { return vlRound(std::clamp(v, -kDrawPixelLimit, kDrawPixelLimit)); }

}  // namespace

std::int32_t TvlView::DrawRight() const {
  // In floating point: a damaged template's geometry may not add up in 32 bits.
  return Pixels((static_cast<double>(SavedGeometry.Left) + SavedGeometry.Width) * DrawScaleX + DrawOffsetX);
}

std::int32_t TvlView::DrawBottom() const {
  return Pixels((static_cast<double>(SavedGeometry.Top) + SavedGeometry.Height) * DrawScaleY + DrawOffsetY);
}

void TvlView::BeginDraw() {
  SavedGeometry = {Left, Top, Width, Height, GapX, GapY, FrameWidth};
  if (vlState().DocMode == TvlDocMode::dmDesign) {
    DrawScaleX = DrawScaleY = 1.0;
    DrawOffsetX = DrawOffsetY = 0;
  }
  Left = Pixels(static_cast<double>(Pixels(Left * DrawScaleX)) + DrawOffsetX);
  Top = Pixels(static_cast<double>(Pixels(Top * DrawScaleY)) + DrawOffsetY);
  Width = Pixels(Width * DrawScaleX);
  Height = Pixels(Height * DrawScaleY);

  const double w = SavedGeometry.FrameWidth;
  FrameWidth = static_cast<float>(w * DrawScaleX);
  const std::int32_t hx = Pixels(w * DrawScaleX / 2);
  const std::int32_t hy = Pixels(w * DrawScaleY / 2);
  GapX = hx + Pixels(SavedGeometry.GapX * DrawScaleX);
  GapY = Pixels(SavedGeometry.GapY * DrawScaleY) + hy / 2;

  const std::int32_t r = DrawRight(), b = DrawBottom();
  const std::int32_t ex = Pixels((w * DrawScaleX - 1) / 2);
  const std::int32_t ey = Pixels((w * DrawScaleY - 1) / 2);
  DRect.Left = HasLine(*this, vlftLeft) ? Left + ex : Left;
  DRect.Top = HasLine(*this, vlftTop) ? Top + ey : Top;
  DRect.Right = (HasLine(*this, vlftRight) ? r - hx : r) + 1;
  DRect.Bottom = (HasLine(*this, vlftBottom) ? b - hy : b) + 1;
}

void TvlView::EndDraw() {
  Left = SavedGeometry.Left;
  Top = SavedGeometry.Top;
  Width = SavedGeometry.Width;
  Height = SavedGeometry.Height;
  GapX = SavedGeometry.GapX;
  GapY = SavedGeometry.GapY;
  FrameWidth = SavedGeometry.FrameWidth;
}

void TvlView::DrawBackground() {
  if (vlState().FirstPassOnly || !Canvas) return;
  const bool printing = vlState().DocMode == TvlDocMode::dmPrinting;
  Canvas->SetBkMode(TvlBkMode::Opaque);
  Canvas->SetSolidBrush(FillColor == clNone ? clWhite : FillColor);
  // In the designer every view shows at least a white background.
  if (printing && FillColor == clNone) return;
  if (printing) Canvas->FillRect({Left, Top, DrawRight(), DrawBottom()});
  else Canvas->FillRect(DRect);
}

void TvlView::DrawFrame() {
  if (vlState().FirstPassOnly || !Canvas) return;
  const bool printing = vlState().DocMode == TvlDocMode::dmPrinting;
  if (printing && (FrameTyp & (vlftLeft | vlftRight | vlftTop | vlftBottom)) == 0) return;
  TvlCanvas& c = *Canvas;
  c.SetSolidBrush(c.Brush().Color);
  c.SetPenStyle(TvlPenStyle::Solid);
  c.SetPenMode(TvlPenMode::Copy);

  if (!printing && Width > 0 && Height > 0) {
    // Corner marks, so that a view without frame lines can be found.
    c.SetPen({clBlack, 1, TvlPenStyle::Solid, TvlPenMode::Copy});
    const std::int32_t l = Left, t = Top, w = Width, h = Height;
    c.MoveTo(l, t + 3), c.LineTo(l, t), c.LineTo(l + 4, t);
    c.MoveTo(l, t + h - 3), c.LineTo(l, t + h), c.LineTo(l + 4, t + h);
    c.MoveTo(l + w - 3, t), c.LineTo(l + w, t), c.LineTo(l + w, t + 4);
    c.MoveTo(l + w - 3, t + h), c.LineTo(l + w, t + h), c.LineTo(l + w, t + h - 4);
  }

  const bool isDouble = FrameStyle == psDouble;
  const std::int32_t penWidth = vlRound(FrameWidth);
  const TvlPenStyle style =
      isDouble || FrameStyle > psDashDotDot ? TvlPenStyle::Solid : static_cast<TvlPenStyle>(FrameStyle);
  c.SetPen({FrameColor, penWidth, style, TvlPenMode::Copy});
  const std::int32_t rx = DrawRight(), by = DrawBottom();

  // One frame line; vertical lines shift across in x, horizontal ones in y.
  auto line = [&](std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    const bool vertical = x1 == x2;
    auto at = [&](std::int32_t shift) {
      if (vertical) c.MoveTo(x1 + shift, y1), c.LineTo(x2 + shift, y2);
      else c.MoveTo(x1, y1 + shift), c.LineTo(x2, y2 + shift);
    };
    if (style != TvlPenStyle::Solid) {
      // Dashes and dots exist only for thin pens: a wide dashed line is
      // drawn as thin lines side by side, its gaps in the fill colour (left
      // transparent when the view has no fill).
      if (FillColor == clNone) c.SetClearBrush();
      else c.SetSolidBrush(FillColor);
      c.SetPenWidth(1);
      // Drawn smaller than half size the width rounds to 0: one thin line
      // still shows, as a solid frame's does.
      const std::int32_t lines = std::max(1, penWidth);
      for (std::int32_t k = 0; k < lines; ++k) at(-(lines / 2) + k);
      c.SetPenWidth(penWidth);
    } else if (!isDouble) {
      at(0);
    } else {
      const std::int32_t d = vlRound(FrameWidth);
      c.SetPenColor(FrameColor);
      at(-d);
      // The middle line clears the gap in the fill colour; a view without
      // fill keeps what lies beneath it.
      if (FillColor != clNone) {
        c.SetPenColor(FillColor);
        at(0);
        c.SetPenColor(FrameColor);
      }
      at(d);
    }
  };
  if (HasLine(*this, vlftRight)) line(rx, Top, rx, by);
  if (HasLine(*this, vlftLeft)) line(Left, Top, Left, by);
  if (HasLine(*this, vlftBottom)) line(Left, by, rx, by);
  if (HasLine(*this, vlftTop)) line(Left, Top, rx, Top);
}

void TvlView::Draw(TvlCanvas& canvas) {
  Canvas = &canvas;
  AlignInBand(&canvas);
  BeginDraw();
  DrawBackground();
  DrawFrame();
  EndDraw();
}

TvlRegion TvlView::GetClipRgn(bool extended) {
  const double fw = FrameWidth;
  std::int32_t outer, inner;
  if (FrameStyle == psDouble) {
    outer = vlRound(fw * 1.5);
    inner = vlRound(fw + (fw - 1) / 2);
  } else {
    outer = vlRound(fw / 2);
    inner = vlRound((fw - 1) / 2);
  }
  TvlRect r;
  r.Left = HasLine(*this, vlftLeft) ? Left - outer : Left;
  r.Top = HasLine(*this, vlftTop) ? Top - outer : Top;
  r.Right = Left + Width + (HasLine(*this, vlftRight) ? inner : 0) + 1;
  r.Bottom = Top + Height + (HasLine(*this, vlftBottom) ? inner : 0) + 1;
  if (extended) r = {r.Left - 10, r.Top - 10, r.Right + 10, r.Bottom + 10};
  return TvlRegion(r);
}

}  // namespace vl
