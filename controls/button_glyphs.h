#pragma once
// The images a speed button paints for each of its drawing states, taken
// from a glyph that holds up to four images side by side (up, disabled,
// pressed, latched); missing ones are derived.

#include <QColor>
#include <QImage>

namespace vl {

// Drawing states of a speed button.
enum TvlButtonState : int { bsUp = 0, bsDisabled = 1, bsDown = 2, bsExclusive = 3, bsGrayed = 4 };

// The colours the derived images are made of.
struct TvlGlyphColors {
  QColor Face, Highlight, Shadow;
};

// Image n (from 0) of a glyph of numGlyphs images side by side.
QImage vlGlyphPart(const QImage& glyph, int numGlyphs, int n);
// Whether a pixel of the glyph is its transparent colour: fully transparent
// in a glyph with an alpha channel, otherwise the colour of the glyph's
// bottom-left pixel.
class TvlGlyphTransparency {
 public:
  explicit TvlGlyphTransparency(const QImage& glyph);
  bool IsTransparent(QRgb pixel) const;

 private:
  bool alpha_ = false;
  QRgb colour_ = 0;
};

// The image painted in a state (an ARGB image; transparent pixels let the
// face show through).
QImage vlButtonImage(const QImage& glyph, int numGlyphs, int state, const TvlGlyphColors& colors);
// The greyed look: every pixel that is neither transparent nor the face
// colour becomes grey level (77 red + 150 green + 29 blue) / 256.
QImage vlGreyedImage(const QImage& image, const TvlGlyphTransparency& transparency, const QColor& face);

}  // namespace vl
