// Drawing a text view: automatic width, the wrap at design resolution,
// background, frame and underlines, then every line placed by its
// alignment (justified, turned, right-to-left) at the draw's scale.

#include <algorithm>
#include <cmath>

#include "engine/core/engine_state.h"
#include "engine/core/units.h"
#include "engine/model/layout_bounds.h"
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
TvlCanvasFont TvlMemoView::DrawFont(const TvlCanvas&, bool turned) const {
  TvlCanvasFont f;
  f.Name = Font.Name;
  f.Style = Font.Style;
  f.Color = Font.Color;
  f.Charset = Font.Charset;
  // A printer draws at the same scale as the preview and the PDF: the text
  // was measured and wrapped at 96 pixels per inch of font on page units,
  // so the true point size (smaller by 91.63 / 96) would print 4.6 % small.
  if (DrawScaleY == 1.0) f.Height = MeasurePixelHeight();
  else f.Height = vlClampTo32(static_cast<std::int64_t>(std::clamp(Font.Size * 96.0 / 72.0 * DrawScaleY, -2e9, 2e9)));
  f.Escapement = turned ? 900 : 0;
  return f;
}

std::int32_t TvlMemoView::DrawCharSpacing() const { return vlRound(CharSpacing * DrawScaleX); }

void TvlMemoView::DrawUnderlines(TvlCanvas& canvas) {
  const std::int32_t pixelHeight = DrawFont(canvas, false).Height;
  const std::int64_t h = std::int64_t{vlRound(LineSpacing * DrawScaleY)} + pixelHeight;
  if (h <= 0) return;
  canvas.SetPen({FrameColor, vlRound(FrameWidth), TvlPenStyle::Solid, TvlPenMode::Copy});
  // The rules fill the view's height whether or not text stands on them.
  // A crafted spacing of one pixel over a huge height would ask for billions
  // of rules; no real view has more than a few hundred.
  constexpr std::int64_t kMaxRules = 10000;
  const std::int64_t rules = std::min<std::int64_t>(Height / h, kMaxRules);
  for (std::int64_t i = 0; i < rules; ++i) {
    const std::int32_t y = vlClampTo32(std::int64_t{Top} + GapY + h * i + vlRound(2 * DrawScaleY) + pixelHeight);
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
  // Placing is computed wide: a crafted page may scale a view far beyond
  // 32 bits; what reaches the canvas is clamped.
  const TvlRect r{vlClampTo32(std::int64_t{DRect.Left} + 1), DRect.Top, vlClampTo32(std::int64_t{DRect.Right} - 2),
                  vlClampTo32(std::int64_t{DRect.Bottom} - 1)};
  const std::int64_t dw = std::int64_t{DRect.Right} - DRect.Left, dh = std::int64_t{DRect.Bottom} - DRect.Top;
  const std::int64_t textHeight = vlRound(TextHeight * DrawScaleY);

  const std::int32_t savedLeft = Left, savedTop = Top;
  std::int32_t align = Alignment;
  if (align & (vltaMiddle | vltaDown)) {
    const bool middle = (align & vltaMiddle) != 0, down = (align & vltaDown) != 0;
    if (middle != down) {
      if (turned) {
        if (middle) Left = vlClampTo32(Left + (dw - textHeight) / 2);
        else Left = vlClampTo32(DRect.Right - textHeight);
      } else if (!MeasuringForPrint) {
        if (middle) Top = vlClampTo32(Top + (dh - textHeight) / 2);
        else Top = vlClampTo32(DRect.Bottom - textHeight - 1);
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
    std::int64_t y = std::int64_t{Top} + GapY;
    const std::int64_t lineHeight = std::int64_t{vlRound(LineSpacing * DrawScaleY)} + font.Height;
    std::int32_t horizontal = align & 3;
    if (!countOnly && vlState().DocMode == TvlDocMode::dmDesign && PrintedMemo.size() == 1 &&
        !PrintedMemo[0].empty() && PrintedMemo[0][0] == '[' &&
        canvas.TextWidth(PrintedMemo[0]) > std::int64_t{r.Right} - r.Left)
      horizontal = vltaLeft;  // the beginning of a long expression stays in sight: it names the field
    for (const std::string& line : PrintedMemo) {
      if (MeasuringForPrint && y + lineHeight > r.Bottom) break;
      if (!countOnly) {
        bool paragraphEnd = false;
        const std::string text = strip(line, paragraphEnd);
        const std::int64_t lw = canvas.TextWidth(text);
        std::int64_t x = std::int64_t{Left} + GapX;
        if (horizontal == 1) x = Left + dw - GapX - lw - 1;
        else if (horizontal == 2) x = Left + GapX + (dw - 2 * std::int64_t{GapX} - lw) / 2;
        const std::int32_t breaks = vlBreakCount(text);
        const bool justify = horizontal == 3 && breaks > 0 && !paragraphEnd;
        if (justify) canvas.SetTextJustification(vlClampTo32(dw - 2 * std::int64_t{GapX} - lw), breaks);
        canvas.TextRect(r, vlClampTo32(x), vlClampTo32(y), text, options);
        if (justify) canvas.SetTextJustification(0, 0);
      }
      ++LinesDrawn;
      y += lineHeight;
    }
  } else {
    std::int64_t x = std::int64_t{Left} + GapX;
    const std::int64_t lineHeight = std::int64_t{vlRound(LineSpacing * DrawScaleX)} + font.Height;
    for (const std::string& line : PrintedMemo) {
      if (!countOnly) {
        bool paragraphEnd = false;
        const std::string text = strip(line, paragraphEnd);
        const std::int64_t lw = canvas.TextWidth(text);
        std::int64_t y = std::int64_t{DRect.Bottom} - GapY;
        const std::int32_t kind = align & 7;
        if (kind == 5) y = std::int64_t{Top} + GapY + lw;
        else if (kind == 6) y = std::int64_t{DRect.Bottom} - GapY - (dh - 2 * std::int64_t{GapY} - lw) / 2 - 1;
        else if (kind == 7) y = Top + dh - GapY;
        const std::int32_t breaks = vlBreakCount(text);
        const bool justify = kind == 7 && breaks > 0 && !paragraphEnd;
        if (justify) canvas.SetTextJustification(vlClampTo32(dh - 2 * std::int64_t{GapY} - lw), breaks);
        canvas.TextRect(r, vlClampTo32(x), vlClampTo32(y), text, options);
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
