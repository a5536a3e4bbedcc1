#include "app/launcher_glyphs.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <cmath>
#include <numbers>

namespace vl {

namespace {

QImage EmptyGlyph() {
  QImage image(kGlyphSize, kGlyphSize, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

// A house with a blue roof, for the vendor's home page.
QImage HomeGlyph() {
  QImage image = EmptyGlyph();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient wall(QPointF(0, 14), QPointF(0, 29));
  wall.setColorAt(0, QColor(255, 250, 236));
  wall.setColorAt(1, QColor(232, 220, 196));
  p.setPen(QPen(QColor(120, 100, 70), 1));
  p.setBrush(wall);
  p.drawRect(QRectF(7.5, 14.5, 17, 14));
  p.setBrush(QColor(150, 96, 52));
  p.drawRect(QRectF(14.5, 20.5, 5, 8));
  p.setBrush(QColor(150, 196, 236));
  p.drawRect(QRectF(9.5, 17.5, 4, 4));
  QPolygonF roof;
  roof << QPointF(3, 16) << QPointF(16, 4) << QPointF(29, 16) << QPointF(26, 17.5) << QPointF(16, 8.5)
       << QPointF(6, 17.5);
  QLinearGradient tiles(QPointF(0, 4), QPointF(0, 18));
  tiles.setColorAt(0, QColor(72, 128, 210));
  tiles.setColorAt(1, QColor(30, 74, 150));
  p.setPen(QPen(QColor(24, 52, 110), 1));
  p.setBrush(tiles);
  p.drawPolygon(roof);
  p.setBrush(QColor(176, 70, 50));
  p.drawRect(QRectF(21.5, 6.5, 3, 6));
  return image;
}

// A gold star, for the vendor's recommended products.
QImage RelateGlyph() {
  QImage image = EmptyGlyph();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QPolygonF star;
  for (int i = 0; i < 10; ++i) {
    const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
    const double radius = i % 2 ? 5.8 : 13.5;
    star << QPointF(16 + radius * std::cos(angle), 17 + radius * std::sin(angle));
  }
  QLinearGradient gold(QPointF(0, 3), QPointF(0, 30));
  gold.setColorAt(0, QColor(255, 226, 96));
  gold.setColorAt(1, QColor(232, 150, 20));
  p.setPen(QPen(QColor(170, 100, 10), 1));
  p.setBrush(gold);
  p.drawPolygon(star);
  p.setPen(QPen(QColor(255, 250, 220), 1.2));
  p.drawLine(QPointF(16, 9), QPointF(16, 13));
  return image;
}

}  // namespace

std::vector<QImage> vlLauncherGlyphs() { return {HomeGlyph(), RelateGlyph()}; }

}  // namespace vl
