// Drawing a text view: automatic width, the wrap at design resolution,
// background, frame and underlines, then every line placed by its
// alignment (justified, turned, right-to-left) at the draw's scale.

#include <cmath>

#include "engine/core/engine_state.h"
#include "engine/core/units.h"
#include "engine/model/memo_view.h"
#include "platform/canvas.h"

namespace vl {
namespace {

constexpr char kParagraphMark = '\x01';

}  // namespace

void TvlMemoView::Draw(TvlCanvas& canvas) {
  Canvas = &canvas;
  const bool printing = vlState().DocMode == TvlDocMode::dmPrinting;
  if ((Flags & flAutoWidth) && !Memo.empty() && printing) {
    const std::int32_t w = NeededWidth(canvas);
    if (Alignment & vltaVertical) {
      Height = w;
    } else {
      // Right-aligned text keeps its right edge.
      if ((Alignment & 3) == vltaRight) Left += Width - w;
      Width = w;
    }
  }
  AlignInBand(&canvas);
  MeasuringForPrint = false;

  PrintedMemo = Memo;
  if (!PrintedMemo.empty()) {
    Prewrapped = false;
    for (const std::string& line : PrintedMemo)
      if (line.find(kParagraphMark) != std::string::npos) Prewrapped = true;
    if (PrintedMemo.back() == std::string(1, kParagraphMark)) PrintedMemo.pop_back();
    // The wrap happens at design resolution, whatever the draw's scale.
    const double sx = DrawScaleX, sy = DrawScaleY;
    DrawScaleX = DrawScaleY = 1.0;
    BeginDraw();
    if ((Flags & flAutoWidth) && printing) Width += 100;
    WrapMemo();
    EndDraw();
    DrawScaleX = sx;
    DrawScaleY = sy;
    PrintedMemo = WrappedLines;
  }

  BeginDraw();
  if (!ExportDraw) {
    DrawBackground();
    DrawFrame();
    if (Flags & flUnderlines) DrawUnderlines(canvas);
  }
  if (!PrintedMemo.empty()) DrawText(canvas);
  canvas.SetCharSpacing(0);
  EndDraw();
}

// The measuring pixel height at scale 1, scaled and truncated otherwise, the
// point size on a printer.
TvlCanvasFont TvlMemoView::DrawFont(const TvlCanvas& canvas, bool turned) const {
  TvlCanvasFont f;
  f.Name = Font.Name;
  f.Style = Font.Style;
  f.Color = Font.Color;
  f.Charset = Font.Charset;
  if (ToPrinter) f.Height = vlRound(Font.Size * canvas.PixelsPerInchY() / 72.0);
  else if (DrawScaleY == 1.0) f.Height = MeasurePixelHeight();
  else f.Height = static_cast<std::int32_t>(Font.Size * 96.0 / 72.0 * DrawScaleY);
  f.Escapement = turned ? 900 : 0;
  return f;
}

std::int32_t TvlMemoView::DrawCharSpacing() const { return vlRound(CharSpacing * DrawScaleX); }

void TvlMemoView::DrawUnderlines(TvlCanvas& canvas) {
  const std::int32_t pixelHeight = DrawFont(canvas, false).Height;
  const std::int32_t h = vlRound(LineSpacing * DrawScaleY) + pixelHeight;
  if (h <= 0) return;
  canvas.SetPen({FrameColor, vlRound(FrameWidth), TvlPenStyle::Solid, TvlPenMode::Copy});
  // The rules fill the view's height whether or not text stands on them.
  for (std::int32_t i = 0; i < Height / h; ++i) {
    const std::int32_t y = Top + GapY + h * i + vlRound(2 * DrawScaleY) + pixelHeight;
    canvas.MoveTo(Left, y);
    canvas.LineTo(Left + Width - 1, y);
  }
}

void TvlMemoView::DrawText(TvlCanvas& canvas, bool countOnly) {
  const bool turned = (Alignment & vltaVertical) != 0;
  const TvlCanvasFont font = DrawFont(canvas, turned);
  if (!countOnly) {
    canvas.SetFont(font);
    canvas.SetBkMode(TvlBkMode::Transparent);
    canvas.SetCharSpacing(DrawCharSpacing());
  }
  const TvlRect r{DRect.Left + 1, DRect.Top, DRect.Right - 2, DRect.Bottom - 1};
  const std::int32_t dw = DRect.Right - DRect.Left, dh = DRect.Bottom - DRect.Top;
  const std::int32_t textHeight = vlRound(TextHeight * DrawScaleY);

  const std::int32_t savedLeft = Left, savedTop = Top;
  std::int32_t align = Alignment;
  if (align & (vltaMiddle | vltaDown)) {
    const bool middle = (align & vltaMiddle) != 0, down = (align & vltaDown) != 0;
    if (middle != down) {
      if (turned) {
        if (middle) Left += (dw - textHeight) / 2;
        else Left = DRect.Right - textHeight;
      } else if (!MeasuringForPrint) {
        if (middle) Top += (dh - textHeight) / 2;
        else Top = DRect.Bottom - textHeight - 1;
      }
    }
    align &= ~(vltaMiddle | vltaDown);
  }
  const std::uint32_t options = toClipped | ((Flags & flRTLReading) ? toRtlReading : 0u);
  LinesDrawn = 0;

  // A line without its paragraph mark, and whether it ends a paragraph.
  auto strip = [](const std::string& line, bool& paragraphEnd) {
    std::string text = line;
    paragraphEnd = text.empty();
    if (!text.empty() && text.back() == kParagraphMark) {
      text.pop_back();
      paragraphEnd = true;
    }
    return text;
  };

  if (!turned) {
    std::int32_t y = Top + GapY;
    const std::int32_t lineHeight = vlRound(LineSpacing * DrawScaleY) + font.Height;
    std::int32_t horizontal = align & 3;
    if (!countOnly && vlState().DocMode == TvlDocMode::dmDesign && PrintedMemo.size() == 1 &&
        !PrintedMemo[0].empty() && PrintedMemo[0][0] == '[' &&
        canvas.TextWidth(PrintedMemo[0]) > r.Right - r.Left)
      horizontal = vltaLeft;  // the beginning of a long expression stays in sight: it names the field
    for (const std::string& line : PrintedMemo) {
      if (MeasuringForPrint && y + lineHeight > r.Bottom) break;
      if (!countOnly) {
        bool paragraphEnd = false;
        const std::string text = strip(line, paragraphEnd);
        const std::int32_t lw = canvas.TextWidth(text);
        std::int32_t x = Left + GapX;
        if (horizontal == 1) x = Left + dw - GapX - lw - 1;
        else if (horizontal == 2) x = Left + GapX + (dw - 2 * GapX - lw) / 2;
        const std::int32_t breaks = vlBreakCount(text);
        const bool justify = horizontal == 3 && breaks > 0 && !paragraphEnd;
        if (justify) canvas.SetTextJustification(dw - 2 * GapX - lw, breaks);
        canvas.TextRect(r, x, y, text, options);
        if (justify) canvas.SetTextJustification(0, 0);
      }
      ++LinesDrawn;
      y += lineHeight;
    }
  } else {
    std::int32_t x = Left + GapX;
    const std::int32_t lineHeight = vlRound(LineSpacing * DrawScaleX) + font.Height;
    for (const std::string& line : PrintedMemo) {
      if (!countOnly) {
        bool paragraphEnd = false;
        const std::string text = strip(line, paragraphEnd);
        const std::int32_t lw = canvas.TextWidth(text);
        std::int32_t y = DRect.Bottom - GapY;
        const std::int32_t kind = align & 7;
        if (kind == 5) y = Top + GapY + lw;
        else if (kind == 6) y = DRect.Bottom - GapY - (dh - 2 * GapY - lw) / 2 - 1;
        else if (kind == 7) y = Top + dh - GapY;
        const std::int32_t breaks = vlBreakCount(text);
        const bool justify = kind == 7 && breaks > 0 && !paragraphEnd;
        if (justify) canvas.SetTextJustification(dh - 2 * GapY - lw, breaks);
        canvas.TextRect(r, x, y, text, options);
        canvas.SetTextJustification(0, 0);
      }
      ++LinesDrawn;
      x += lineHeight;
    }
  }
  Left = savedLeft;
  Top = savedTop;
}

}  // namespace vl
