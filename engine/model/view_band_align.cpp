// Band alignment: a view placed by its neighbours on the same row, by the
// page's limits or by the band under it, at the start of every draw and print.

#include <algorithm>

#include "engine/model/band_kinds.h"
#include "engine/model/page_limits.h"
#include "engine/model/view.h"
#include "engine/model/view_run_hooks.h"
#include "engine/core/run_context.h"

namespace vl {
namespace {

// The engine aligns against its current page unless something else is
// installed (tests install pages made by hand).
TvlBandAlignProvider& Provider() {
  static TvlBandAlignProvider provider = vlPageBandAlignProvider();
  TvlViewRunHooks* run = vlRunContext().ViewHooks;
  return run ? run->BandAlign : provider;
}

bool IsBand(const TvlView* v) { return v->Typ == otBand; }

}  // namespace

void vlSetBandAlignProvider(TvlBandAlignProvider provider) { Provider() = std::move(provider); }
const TvlBandAlignProvider& vlBandAlignProvider() { return Provider(); }

void TvlView::AlignInBand(TvlCanvas* canvas) {
  if (canvas) Canvas = canvas;
  vlState().CurView = this;
  if (BandAlign == baNone || !Provider()) return;
  TvlBandAlignContext context;
  if (Provider()(*this, context)) ApplyBandAlign(context);
}

void TvlView::ApplyBandAlign(const TvlBandAlignContext& ctx) {
  const bool design = ctx.Mode == TvlDocMode::dmDesign;
  const std::int32_t a = ctx.PageLeft, z = ctx.PageRight;

  // Objects on this object's row: same Top; while printing an object of the
  // current band compares its Top less the band's top, and on a stretched
  // band its template Top matches too.
  const bool bandRelative = !design && ctx.HasCurrentBand && ctx.OnBand;
  const std::int32_t rowTop = bandRelative ? Top - ctx.BandTop : Top;
  auto sameRow = [&](const TvlView* o) {
    return o->Top == rowTop || (bandRelative && ctx.BandStretched && o->Top == ctx.TemplateTop);
  };
  const TvlView* leftNeighbour = nullptr;
  const TvlView* rightNeighbour = nullptr;
  for (const TvlView* o : ctx.Objects) {
    if (o == this || IsBand(o) || !sameRow(o)) continue;
    if (o->BandAlign == baLeft && o->Left < Left && (!leftNeighbour || o->Left > leftNeighbour->Left))
      leftNeighbour = o;
    if (o->BandAlign == baRight && o->Left > Left && (!rightNeighbour || o->Left < rightNeighbour->Left))
      rightNeighbour = o;
  }
  // The band under the object: the last band whose rectangle, edges
  // included, holds the object's top-left corner.
  auto bandUnder = [&]() -> const TvlView* {
    const TvlView* found = nullptr;
    for (const TvlView* o : ctx.Objects)
      if (IsBand(o) && o != this && Left >= o->Left && Left <= o->Left + o->Width && Top >= o->Top &&
          Top <= o->Top + o->Height)
        found = o;
    return found;
  };

  switch (BandAlign) {
    case baLeft:
      if (leftNeighbour) {
        Left = leftNeighbour->Left + leftNeighbour->Width;
        // A neighbour reaching past the page's right limit leaves no room:
        // the view is cut at the limit instead of getting a negative width.
        if (Left + Width > z) Width = std::max(0, z - Left);
      } else {
        Left = a;
      }
      break;
    case baRight:
      Left = rightNeighbour ? rightNeighbour->Left - Width - 1 : z - Width;
      break;
    case baCenter:
      Left = a + (z - a - Width) / 2;
      break;
    case baWidth:
      if (design) {
        const TvlView* band = bandUnder();
        if (band && vlIsVerticalBand(band->FrameTyp)) {
          Left = band->Left;
          Width = band->Width;
        } else {
          Left = a;
          Width = z - a;
        }
      } else if (!ctx.HasCurrentBand) {
        Left = a;
        Width = z - a - 1;
      }
      break;
    case baBottom:
      if (design)
        if (const TvlView* band = bandUnder()) Top = band->Top + band->Height - Height;
      break;
    case baTop:
      if (design)
        if (const TvlView* band = bandUnder()) Top = band->Top;
      break;
    case baRest:
      Left = leftNeighbour ? leftNeighbour->Left + leftNeighbour->Width : a;
      Width = rightNeighbour ? rightNeighbour->Left - Left : z - Left;
      break;
    default:
      break;
  }
}

}  // namespace vl
