#include "controls/preview_glyphs.h"

#include "controls/glyph_palette.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

namespace vl {

using namespace glyph;

QImage vlPreviewGlyph(TvlPreviewGlyph glyph) {
  QImage image(16, 16, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  switch (glyph) {
    case TvlPreviewGlyph::Open:
      p.setPen(kInk);
      p.setBrush(kFolder);
      p.drawPolygon(QPolygon({QPoint(1, 4), QPoint(6, 4), QPoint(7, 5), QPoint(13, 5), QPoint(13, 13), QPoint(1, 13)}));
      p.setBrush(kFolder.lighter(120));
      p.drawPolygon(QPolygon({QPoint(3, 8), QPoint(15, 8), QPoint(13, 13), QPoint(1, 13)}));
      break;
    case TvlPreviewGlyph::Save:
      p.setPen(kInk);
      p.setBrush(kBlue);
      p.drawRect(1, 1, 13, 13);
      p.setBrush(kPaper);
      p.drawRect(4, 1, 7, 5);
      p.setBrush(kGrey);
      p.drawRect(4, 9, 7, 5);
      break;
    case TvlPreviewGlyph::Print:
      Sheet(p, 4, 1, 11, 6);
      p.setBrush(kGrey);
      p.drawRect(1, 6, 13, 6);
      Sheet(p, 4, 10, 11, 14);
      p.setPen(kGreen);
      p.drawPoint(12, 8);
      break;
    case TvlPreviewGlyph::PageSetup:
      Sheet(p, 2, 1, 12, 14);
      p.setPen(kGrey);
      p.drawRect(4, 3, 6, 9);
      p.setPen(kBlue);
      p.drawLine(9, 15, 15, 9);
      p.drawLine(10, 15, 15, 10);
      break;
    case TvlPreviewGlyph::Find:
      p.setRenderHint(QPainter::Antialiasing);
      p.setPen(QPen(kInk, 1.5));
      p.setBrush(QColor(200, 225, 255));
      p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
      p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(10, 10), QPointF(14, 14));
      break;
    case TvlPreviewGlyph::Help: {
      p.setRenderHint(QPainter::Antialiasing);
      p.setPen(Qt::NoPen);
      p.setBrush(kBlue);
      p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
      QFont f = p.font();
      f.setPixelSize(12);
      f.setBold(true);
      p.setFont(f);
      p.setPen(kPaper);
      p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
      break;
    }
    case TvlPreviewGlyph::Exit:
      p.setPen(kInk);
      p.setBrush(QColor(150, 100, 50));
      p.drawRect(2, 1, 8, 14);
      p.setPen(kRed);
      p.setBrush(kRed);
      p.drawPolygon(QPolygon({QPoint(15, 8), QPoint(11, 4), QPoint(11, 12)}));
      p.drawRect(7, 7, 4, 2);
      break;
    case TvlPreviewGlyph::PageUp:
    case TvlPreviewGlyph::PageDown: {
      p.setPen(kInk);
      p.setBrush(kInk);
      const bool up = glyph == TvlPreviewGlyph::PageUp;
      for (int k = 0; k < 2; ++k) {
        const int y = up ? 4 + 5 * k : 11 - 5 * k;
        const int d = up ? 3 : -3;
        p.drawPolygon(QPolygon({QPoint(8, y), QPoint(4, y + d), QPoint(12, y + d)}));
      }
      break;
    }
  }
  return image;
}

}  // namespace vl
