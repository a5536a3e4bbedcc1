#pragma once
// Pictures of the formatting toolbars and the alignment palette, drawn in
// code (16 x 16, transparent), and the colour swatch of the colour buttons.

#include <QImage>

#include "platform/graphics_types.h"

namespace vl {

enum class TvlFormatGlyph {
  TopLine, LeftLine, BottomLine, RightLine, AllLines, NoLines,
  FillColor, FontColor, FrameColor,
  Bold, Italic, Underline,
  AlignLeft, AlignRight, AlignCenter, AlignWidth, Rotated, AlignTop, AlignMiddle, AlignBottom,
  LineStyle, Highlight,
  // The alignment palette, Align1 ... Align10.
  LeftEdges, HCenters, HCenterInWindow, HSpace, RightEdges, Tops, VCenters, VCenterInWindow, VSpace, Bottoms,
};

// Made once and kept. The colour buttons' pictures carry a bar of pure red
// where the colour goes.
const QImage& vlFormatGlyph(TvlFormatGlyph glyph);
// A line of the line-style panel (frame style 0 solid ... 5 double), 32 x 12.
QImage vlLineStyleGlyph(int style);
// The colour swatch: the template's pure red pixels take the colour; the
// none colour leaves them empty.
QImage vlSwatchGlyph(const QImage& glyph, TvlColor color);

}  // namespace vl
