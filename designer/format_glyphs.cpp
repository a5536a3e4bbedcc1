#include "designer/format_glyphs.h"

#include <QPainter>
#include <algorithm>
#include <map>

#include "platform/qt/qt_canvas.h"

namespace vl {

namespace {

const QColor kInk(0, 0, 0);
const QColor kGrey(150, 150, 150);
const QColor kBlue(30, 70, 170);
const QColor kBar(255, 0, 0);  // where a colour button shows its colour

// A frame-lines picture: a dotted square with the chosen sides solid.
void FrameSquare(QPainter& p, bool top, bool left, bool bottom, bool right) {
  p.setPen(QPen(kGrey, 1, Qt::DotLine));
  p.drawRect(2, 2, 11, 11);
  p.setPen(QPen(kInk, 2));
  if (top) p.drawLine(2, 2, 13, 2);
  if (left) p.drawLine(2, 2, 2, 13);
  if (bottom) p.drawLine(2, 13, 13, 13);
  if (right) p.drawLine(13, 2, 13, 13);
}

void Letter(QPainter& p, const char* text, bool bold, bool italic, bool underline, int height = 12) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(height);
  font.setBold(bold);
  font.setItalic(italic);
  font.setUnderline(underline);
  p.setFont(font);
  p.setPen(kInk);
  p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QString::fromLatin1(text));
}

// Text lines: alignment 0 left, 1 right, 2 centre, 3 both edges.
void TextLines(QPainter& p, int alignment) {
  p.setPen(kInk);
  const int widths[] = {12, 8, 12, 6};
  for (int i = 0; i < 4; ++i) {
    const int w = alignment == 3 ? 12 : widths[i];
    const int x = alignment == 1 ? 14 - w : alignment == 2 ? 8 - w / 2 : 2;
    p.drawLine(x, 3 + 3 * i, x + w - 1, 3 + 3 * i);
  }
}

// A vertical placement: a box and a bar at the top, middle or bottom.
void VerticalPlace(QPainter& p, int where) {
  p.setPen(kGrey);
  p.drawRect(1, 1, 13, 13);
  p.fillRect(QRect(4, where == 0 ? 3 : where == 1 ? 7 : 11, 8, 2), kInk);
}

// Two boxes and a guide line for the alignment palette.
void Boxes(QPainter& p, QRect a, QRect b) {
  p.setPen(kInk);
  p.setBrush(QColor(200, 220, 255));
  p.drawRect(a);
  p.drawRect(b);
}

void Guide(QPainter& p, int x1, int y1, int x2, int y2) {
  p.setPen(QPen(kBlue, 1));
  p.drawLine(x1, y1, x2, y2);
}

// A box centred in the window's outline.
void InWindow(QPainter& p, QRect box) {
  p.setPen(kGrey);
  p.drawRect(0, 0, 15, 15);
  Boxes(p, box, box);
}

QImage Make(TvlFormatGlyph g) {
  QImage image(16, 16, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  using G = TvlFormatGlyph;
  switch (g) {
    case G::TopLine: FrameSquare(p, true, false, false, false); break;
    case G::LeftLine: FrameSquare(p, false, true, false, false); break;
    case G::BottomLine: FrameSquare(p, false, false, true, false); break;
    case G::RightLine: FrameSquare(p, false, false, false, true); break;
    case G::AllLines: FrameSquare(p, true, true, true, true); break;
    case G::NoLines: FrameSquare(p, false, false, false, false); break;
    case G::FillColor:
      p.setPen(kInk);
      p.setBrush(Qt::white);
      p.drawPolygon(QPolygon({QPoint(3, 6), QPoint(8, 1), QPoint(13, 6), QPoint(8, 11)}));
      p.fillRect(QRect(0, 13, 16, 3), kBar);
      break;
    case G::FontColor:
      Letter(p, "A", true, false, false, 11);
      p.fillRect(QRect(0, 13, 16, 3), kBar);
      break;
    case G::FrameColor:
      p.setPen(QPen(kInk, 1));
      p.drawRect(2, 1, 11, 9);
      p.fillRect(QRect(0, 13, 16, 3), kBar);
      break;
    case G::Bold: Letter(p, "B", true, false, false); break;
    case G::Italic: Letter(p, "I", false, true, false); break;
    case G::Underline: Letter(p, "U", false, false, true); break;
    case G::AlignLeft: TextLines(p, 0); break;
    case G::AlignRight: TextLines(p, 1); break;
    case G::AlignCenter: TextLines(p, 2); break;
    case G::AlignWidth: TextLines(p, 3); break;
    case G::Rotated:
      p.translate(16, 0);
      p.rotate(90);
      Letter(p, "ab", false, false, false, 10);
      break;
    case G::AlignTop: VerticalPlace(p, 0); break;
    case G::AlignMiddle: VerticalPlace(p, 1); break;
    case G::AlignBottom: VerticalPlace(p, 2); break;
    case G::LineStyle:
      p.setPen(QPen(kInk, 1, Qt::SolidLine));
      p.drawLine(1, 3, 14, 3);
      p.setPen(QPen(kInk, 1, Qt::DashLine));
      p.drawLine(1, 7, 14, 7);
      p.setPen(QPen(kInk, 1, Qt::DotLine));
      p.drawLine(1, 11, 14, 11);
      break;
    case G::Highlight:
      p.fillRect(QRect(1, 2, 14, 12), QColor(255, 255, 0));
      Letter(p, "ab", true, false, false, 10);
      break;
    case G::LeftEdges: Guide(p, 1, 0, 1, 15); Boxes(p, QRect(2, 2, 10, 4), QRect(2, 9, 6, 4)); break;
    case G::HCenters: Guide(p, 8, 0, 8, 15); Boxes(p, QRect(2, 2, 12, 4), QRect(5, 9, 6, 4)); break;
    case G::HCenterInWindow: InWindow(p, QRect(4, 5, 7, 5)); break;
    case G::HSpace: Boxes(p, QRect(1, 5, 3, 6), QRect(12, 5, 3, 6)); Boxes(p, QRect(6, 5, 3, 6), QRect(6, 5, 3, 6)); break;
    case G::RightEdges: Guide(p, 14, 0, 14, 15); Boxes(p, QRect(3, 2, 10, 4), QRect(7, 9, 6, 4)); break;
    case G::Tops: Guide(p, 0, 1, 15, 1); Boxes(p, QRect(2, 2, 4, 10), QRect(9, 2, 4, 6)); break;
    case G::VCenters: Guide(p, 0, 8, 15, 8); Boxes(p, QRect(2, 2, 4, 12), QRect(9, 5, 4, 6)); break;
    case G::VCenterInWindow: InWindow(p, QRect(5, 4, 5, 7)); break;
    case G::VSpace: Boxes(p, QRect(5, 1, 6, 3), QRect(5, 12, 6, 3)); Boxes(p, QRect(5, 6, 6, 3), QRect(5, 6, 6, 3)); break;
    case G::Bottoms: Guide(p, 0, 14, 15, 14); Boxes(p, QRect(2, 3, 4, 10), QRect(9, 7, 4, 6)); break;
  }
  return image;
}

}  // namespace

const QImage& vlFormatGlyph(TvlFormatGlyph glyph) {
  static std::map<TvlFormatGlyph, QImage> made;
  auto it = made.find(glyph);
  if (it == made.end()) it = made.emplace(glyph, Make(glyph)).first;
  return it->second;
}

QImage vlLineStyleGlyph(int style) {
  QImage image(32, 12, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  if (style == 5) {
    p.setPen(kInk);
    p.drawLine(1, 4, 30, 4);
    p.drawLine(1, 7, 30, 7);
    return image;
  }
  const Qt::PenStyle pens[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine, Qt::DashDotDotLine};
  p.setPen(QPen(kInk, 1, pens[std::clamp(style, 0, 4)]));
  p.drawLine(1, 6, 30, 6);
  return image;
}

QImage vlSwatchGlyph(const QImage& glyph, TvlColor color) {
  QImage out = glyph.convertToFormat(QImage::Format_ARGB32);
  const QRgb fill = color == clNone ? qRgba(0, 0, 0, 0) : vlQtColor(color).rgba();
  for (int y = 0; y < out.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x)
      if (row[x] == qRgba(255, 0, 0, 255)) row[x] = fill;
  }
  return out;
}

}  // namespace vl
