// How a band view shows in the designer: the patterned strip across the
// page, its columns and its title tab; its screen region and context menu.
// Bands are never printed: the engine prints the objects lying on them.

#include <algorithm>

#include "engine/core/engine_state.h"
#include "engine/model/band_kinds.h"
#include "engine/model/band_view.h"
#include "engine/model/designer_pattern.h"
#include "platform/canvas.h"
#include "platform/recording_canvas.h"

namespace vl {
namespace {

constexpr TvlColor clBtnShadow = 0xFF000010;
constexpr TvlColor clBtnHighlight = 0xFF000014;
constexpr std::int32_t kTabHeight = 18;
// Column outlines drawn at most; a damaged column count cannot stall the designer.
constexpr std::int32_t kMaxDrawnColumns = 1000;

// Arial 8 points at the surface's resolution.
TvlCanvasFont TitleFont(const TvlCanvas& canvas, std::int32_t escapement = 0) {
  TvlCanvasFont f;
  f.Name = "Arial";
  f.Height = (8 * canvas.PixelsPerInchY() + 36) / 72;
  f.Style = 0;
  f.Color = clBlack;
  f.Charset = 1;
  f.Escapement = escapement;
  return f;
}

}  // namespace

std::int32_t TvlBandView::TitleWidth(TvlCanvas& canvas) const {
  const TvlCanvasFont saved = canvas.Font();
  const std::int32_t spacing = canvas.CharSpacing();
  canvas.SetFont(TitleFont(canvas));
  canvas.SetCharSpacing(0);
  const std::int32_t w = canvas.TextWidth(TypeName());
  canvas.SetCharSpacing(spacing);
  canvas.SetFont(saved);
  return w >= 92 ? w + 8 : 100;
}

void TvlBandView::Draw(TvlCanvas& canvas) {
  Canvas = &canvas;
  if (vlState().DocMode != TvlDocMode::dmDesign) return;
  const bool vertical = vlIsVerticalBand(BandType());

  // A band spans the whole paper across (or down, for cross bands).
  FrameWidth = 1;
  TvlBandAlignContext page;
  if (vlBandAlignProvider() && vlBandAlignProvider()(*this, page)) {
    if (vertical) Top = 0, Height = page.PaperHeight;
    else Left = 0, Width = page.PaperWidth;
  }
  AlignInBand(&canvas);
  BeginDraw();
  TvlCanvas& c = canvas;
  c.SetBrush(vlDesignerPatternBrush());
  c.FillRect(DRect);

  c.SetFont(TitleFont(c));
  c.SetPen({clBtnFace, 1, TvlPenStyle::Solid, TvlPenMode::Copy});
  c.SetClearBrush();
  c.Rectangle({Left, Top, Left + Width + 1, Top + Height + 1});

  if (Columns > 1) {
    c.SetPen({clBlack, 1, TvlPenStyle::Dot, TvlPenMode::Copy});
    const std::int64_t step = static_cast<std::int64_t>(ColumnWidth) + ColumnGap;
    const std::int32_t count = std::min(Columns, kMaxDrawnColumns);
    for (std::int32_t col = 0; col < count; ++col) {
      const std::int64_t x = page.PageLeft + col * step;
      // Columns starting past the paper are not seen.
      if (col > 0 && (x > Left + static_cast<std::int64_t>(Width) || step <= 0)) break;
      const auto x1 = static_cast<std::int32_t>(x);
      c.Rectangle({x1, Top, static_cast<std::int32_t>(x + ColumnWidth), Top + Height});
    }
  }

  const std::string name = TypeName();
  const std::int32_t w = TitleWidth(c);
  if (vlBandTitles()) {
    c.SetPen({clBtnShadow, 1, TvlPenStyle::Solid, TvlPenMode::Copy});
    c.SetSolidBrush(clBtnFace);
    c.SetBkMode(TvlBkMode::Opaque);
    if (!vertical) {
      c.FillRect({Left, Top - kTabHeight, Left + w, Top});
      c.MoveTo(Left + w - 2, Top - kTabHeight), c.LineTo(Left + w - 2, Top);
      c.SetPenColor(clBlack);
      c.MoveTo(Left + w - 1, Top - kTabHeight), c.LineTo(Left + w - 1, Top);
      c.TextOut(Left + 4, Top - 17, name);
    } else {
      c.FillRect({Left - kTabHeight, Top, Left, Top + w});
      c.MoveTo(Left - kTabHeight, Top + w - 2), c.LineTo(Left, Top + w - 2);
      c.SetPenColor(clBlack);
      c.MoveTo(Left - kTabHeight, Top + w - 1), c.LineTo(Left, Top + w - 1);
      c.SetPenColor(clBtnHighlight);
      c.MoveTo(Left - kTabHeight, Top + w - 1), c.LineTo(Left - kTabHeight, Top);
      const std::int32_t nameWidth = c.TextWidth(name);
      c.SetFont(TitleFont(c, 900));
      c.TextOut(Left - 15, Top + 4 + nameWidth, name);
    }
  } else {
    c.SetBkMode(TvlBkMode::Transparent);
    if (!vertical) {
      c.TextOut(Left + 4, Top + 2, name);
    } else {
      c.SetFont(TitleFont(c, 900));
      c.TextOut(Left + 2, Top + 94, name);
    }
  }
  EndDraw();
}

void TvlBandView::Print(TvlPrintSink&) {}

TvlRegion TvlBandView::GetClipRgn(bool extended) {
  if (!vlBandTitles()) return TvlView::GetClipRgn(extended);
  TvlRegion region(extended ? TvlRect{Left - 10, Top - 10, Left + Width + 10, Top + Height + 10}
                            : TvlRect{Left, Top, Left + Width + 1, Top + Height + 1});
  // The title tab is measured on the surface of the last draw, or with the
  // fixed metrics when the band has not been drawn yet.
  TvlRecordingCanvas measurer;
  const std::int32_t w = TitleWidth(Canvas ? *Canvas : measurer);
  const TvlRect tab = vlIsVerticalBand(BandType()) ? TvlRect{Left - kTabHeight, Top, Left, Top + w}
                                                    : TvlRect{Left, Top - kTabHeight, Left + w, Top};
  return region.Union(TvlRegion(tab));
}

void TvlBandView::DefinePopupMenu(std::vector<TvlPopupEntry>& menu) {
  const std::uint16_t t = BandType();
  // The stretch item where the type stretches; the page footer's page
  // choices still stand apart from the general items.
  if (vlBandTypeOffers(t, flStretched)) TvlView::DefinePopupMenu(menu);
  else if (vlBandTypeOffers(t, flOnFirstPage)) menu.push_back({0, false, TvlPopupAction::Separator, 0});
  const struct {
    std::int32_t CaptionId;
    std::uint16_t Flag;
  } items[] = {
      {55194, flFormNewPage}, {55195, flPrintIfSubsetEmpty}, {55196, flBreaked},
      {55231, flOnFirstPage}, {55232, flOnLastPage},         {55233, flRepeatHeader},
      {55440, flPrintChildIfInvisible},
  };
  for (const auto& item : items)
    if (vlBandTypeOffers(t, item.Flag))
      menu.push_back({item.CaptionId, (Flags & item.Flag) != 0, TvlPopupAction::Custom, item.Flag});
}

bool TvlBandView::SharedMenuFlag(std::uint16_t flag) {
  return flag == flFormNewPage || flag == flPrintIfSubsetEmpty || flag == flBreaked;
}

void TvlBandView::ToggleMenuFlag(std::uint16_t flag, bool set, const std::vector<TvlView*>& selection) {
  auto apply = [&](TvlView& v) {
    if (v.Restrictions & rsDontModify) return;
    if (set) v.Flags |= flag;
    else v.Flags &= static_cast<std::uint16_t>(~flag);
  };
  if (SharedMenuFlag(flag)) {
    for (TvlView* v : selection)
      if (v) apply(*v);
  } else {
    apply(*this);
  }
}

}  // namespace vl
