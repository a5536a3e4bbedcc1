#include "controls/button_glyphs.h"

#include <algorithm>

namespace vl {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF, kGrey = 0xFF808080;

// The image with its transparent pixels made transparent.
QImage Masked(const QImage& image, const TvlGlyphTransparency& transparency) {
  QImage out = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < out.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x)
      if (transparency.IsTransparent(line[x])) line[x] = 0;
  }
  return out;
}

// A second (disabled) image in system colours: white parts highlight, grey
// parts shadow, transparent parts face.
QImage DisabledFromImage(const QImage& image, const TvlGlyphTransparency& transparency,
                         const TvlGlyphColors& colors) {
  QImage out = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < out.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) {
      if (transparency.IsTransparent(line[x])) line[x] = colors.Face.rgb();
      else if ((line[x] | 0xFF000000) == kWhite) line[x] = colors.Highlight.rgb();
      else if ((line[x] | 0xFF000000) == kGrey) line[x] = colors.Shadow.rgb();
    }
  }
  return out;
}

// The embossed look of a single image: its shape in the highlight colour one
// pixel down and right, then in the shadow colour in place.
QImage Embossed(const QImage& image, const TvlGlyphTransparency& transparency, const TvlGlyphColors& colors) {
  const QImage source = image.convertToFormat(QImage::Format_ARGB32);
  QImage out(source.size(), QImage::Format_ARGB32);
  out.fill(Qt::transparent);
  const int w = source.width(), h = source.height();
  auto shape = [&](int x, int y) {
    return x >= 0 && y >= 0 && x < w && y < h && !transparency.IsTransparent(source.pixel(x, y));
  };
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (shape(x, y)) out.setPixel(x, y, colors.Shadow.rgb());
      else if (shape(x - 1, y - 1)) out.setPixel(x, y, colors.Highlight.rgb());
    }
  return out;
}

}  // namespace

QImage vlGlyphPart(const QImage& glyph, int numGlyphs, int n) {
  if (glyph.isNull()) return {};
  const int count = std::clamp(numGlyphs, 1, 4);
  const int width = glyph.width() / count;
  if (width <= 0) return {};
  return glyph.copy(width * std::clamp(n, 0, count - 1), 0, width, glyph.height());
}

TvlGlyphTransparency::TvlGlyphTransparency(const QImage& glyph) {
  alpha_ = glyph.hasAlphaChannel();
  if (!alpha_ && !glyph.isNull()) colour_ = glyph.pixel(0, glyph.height() - 1) | 0xFF000000;
}

bool TvlGlyphTransparency::IsTransparent(QRgb pixel) const {
  return alpha_ ? qAlpha(pixel) == 0 : (pixel | 0xFF000000) == colour_;
}

QImage vlButtonImage(const QImage& glyph, int numGlyphs, int state, const TvlGlyphColors& colors) {
  if (glyph.isNull()) return {};
  const TvlGlyphTransparency transparency(glyph);
  const int count = std::clamp(numGlyphs, 1, 4);
  const QImage up = vlGlyphPart(glyph, count, 0);
  switch (state) {
    case bsDisabled:
      return count >= 2 ? DisabledFromImage(vlGlyphPart(glyph, count, 1), transparency, colors)
                        : Embossed(up, transparency, colors);
    case bsDown: return Masked(count >= 3 ? vlGlyphPart(glyph, count, 2) : up, transparency);
    case bsExclusive: return Masked(count >= 4 ? vlGlyphPart(glyph, count, 3) : up, transparency);
    case bsGrayed: return Masked(vlGreyedImage(up, transparency, colors.Face), transparency);
    default: return Masked(up, transparency);
  }
}

QImage vlGreyedImage(const QImage& image, const TvlGlyphTransparency& transparency, const QColor& face) {
  QImage out = image.convertToFormat(QImage::Format_ARGB32);
  const QRgb faceRgb = face.rgb();
  for (int y = 0; y < out.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) {
      const QRgb p = line[x];
      if (transparency.IsTransparent(p) || (p | 0xFF000000) == faceRgb) continue;
      const int g = (77 * qRed(p) + 150 * qGreen(p) + 29 * qBlue(p)) / 256;
      line[x] = qRgba(g, g, g, qAlpha(p));
    }
  }
  return out;
}

}  // namespace vl
