#include "designer/dict_glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <map>

namespace vl {
namespace {

const QColor kFolder(0xF0, 0xC8, 0x50), kFolderEdge(0x9C, 0x7A, 0x1E);
const QColor kBlue(0x2A, 0x5C, 0xAA), kLightBlue(0xC8, 0xDC, 0xF5);
const QColor kGreen(0x2E, 0x8B, 0x3A), kRed(0xC0, 0x20, 0x20), kGrey(0x90, 0x90, 0x90);

void Folder(QPainter& p) {
  p.setPen(kFolderEdge);
  p.setBrush(kFolder);
  QPainterPath path;
  path.moveTo(1.5, 3.5);
  path.lineTo(6.5, 3.5);
  path.lineTo(7.5, 5.5);
  path.lineTo(14.5, 5.5);
  path.lineTo(14.5, 13.5);
  path.lineTo(1.5, 13.5);
  path.closeSubpath();
  p.drawPath(path);
}

void Table(QPainter& p, const QColor& head) {
  p.setPen(kBlue);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(1.5, 2.5, 13, 11));
  p.fillRect(QRectF(2, 3, 12, 3), head);
  p.drawLine(QPointF(1.5, 6.5), QPointF(14.5, 6.5));
  p.drawLine(QPointF(1.5, 10), QPointF(14.5, 10));
  p.drawLine(QPointF(6, 6.5), QPointF(6, 13.5));
}

void FieldBox(QPainter& p, const QColor& edge, const QColor& fill) {
  p.setPen(edge);
  p.setBrush(fill);
  p.drawRect(QRectF(2.5, 4.5, 11, 7));
  p.drawLine(QPointF(4.5, 8), QPointF(11.5, 8));
}

void Variable(QPainter& p) {
  p.setPen(kGreen);
  p.setBrush(QColor(0xD6, 0xF0, 0xD0));
  QPolygonF diamond;
  diamond << QPointF(8, 2) << QPointF(14, 8) << QPointF(8, 14) << QPointF(2, 8);
  p.drawPolygon(diamond);
  p.setPen(QPen(kGreen, 1.4));
  p.drawLine(QPointF(6, 6), QPointF(10, 10));
  p.drawLine(QPointF(10, 6), QPointF(6, 10));
}

void Cylinder(QPainter& p) {
  p.setPen(kBlue);
  p.setBrush(kLightBlue);
  p.drawRect(QRectF(3.5, 4, 9, 8.5));
  p.drawEllipse(QRectF(3.5, 10, 9, 4));
  p.setPen(Qt::NoPen);
  p.drawRect(QRectF(4, 4, 8, 8.5));
  p.setPen(kBlue);
  p.drawEllipse(QRectF(3.5, 2, 9, 4));
  p.drawArc(QRectF(3.5, 10, 9, 4), 180 * 16, 180 * 16);
}

void Book(QPainter& p) {
  p.setPen(QColor(0x60, 0x20, 0x20));
  p.setBrush(QColor(0xB0, 0x40, 0x40));
  p.drawRect(QRectF(3.5, 1.5, 9, 13));
  p.setPen(Qt::white);
  p.drawLine(QPointF(5.5, 4.5), QPointF(10.5, 4.5));
  p.drawLine(QPointF(5.5, 6.5), QPointF(10.5, 6.5));
}

void Plus(QPainter& p, const QColor& c) {
  p.setPen(QPen(c, 2));
  p.drawLine(QPointF(12, 9), QPointF(12, 15));
  p.drawLine(QPointF(9, 12), QPointF(15, 12));
}

QImage Draw(TvlDictIcon icon) {
  QImage pm(16, 16, QImage::Format_ARGB32_Premultiplied);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  switch (icon) {
    case TvlDictIcon::Group:
    case TvlDictIcon::Category:
      Folder(p);
      break;
    case TvlDictIcon::Item:
    case TvlDictIcon::Field:
      FieldBox(p, kBlue, kLightBlue);
      break;
    case TvlDictIcon::Variable:
      Variable(p);
      break;
    case TvlDictIcon::FunctionRoot:
      Book(p);
      break;
    case TvlDictIcon::Dataset:
      Table(p, kLightBlue);
      break;
    case TvlDictIcon::ExcludedField:
      FieldBox(p, kGrey, QColor(0xE8, 0xE8, 0xE8));
      p.setPen(QPen(kRed, 1.6));
      p.drawLine(QPointF(3, 3), QPointF(13, 13));
      p.drawLine(QPointF(13, 3), QPointF(3, 13));
      break;
    case TvlDictIcon::BandSource:
    case TvlDictIcon::Root:
      Cylinder(p);
      break;
    case TvlDictIcon::NewCategory:
      p.scale(0.8, 0.8);
      Folder(p);
      p.resetTransform();
      Plus(p, kGreen);
      break;
    case TvlDictIcon::NewVariable:
      p.scale(0.8, 0.8);
      Variable(p);
      p.resetTransform();
      Plus(p, kGreen);
      break;
    case TvlDictIcon::EditNode:
      p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
      p.setBrush(QColor(0xF0, 0xD0, 0x60));
      {
        QPolygonF pencil;
        pencil << QPointF(3, 13) << QPointF(4, 10) << QPointF(11, 3) << QPointF(13, 5) << QPointF(6, 12);
        p.drawPolygon(pencil);
      }
      break;
    case TvlDictIcon::DeleteNode:
      p.setPen(QPen(kRed, 2.2));
      p.drawLine(QPointF(4, 4), QPointF(12, 12));
      p.drawLine(QPointF(12, 4), QPointF(4, 12));
      break;
    case TvlDictIcon::EditList:
      p.setPen(kGrey);
      p.setBrush(Qt::white);
      p.drawRect(QRectF(2.5, 1.5, 11, 13));
      p.setPen(kBlue);
      for (int y = 4; y <= 12; y += 2) p.drawLine(QPointF(y == 4 || y == 10 ? 4 : 6, y + 0.5), QPointF(12, y + 0.5));
      break;
    case TvlDictIcon::Ellipsis:
      p.setPen(Qt::NoPen);
      p.setBrush(Qt::black);
      for (int x : {4, 8, 12}) p.drawRect(QRectF(x - 1, 10, 2, 2));
      break;
  }
  return pm;
}

}  // namespace

const QImage& vlDictIconImage(TvlDictIcon icon) {
  static std::map<TvlDictIcon, QImage> cache;
  auto it = cache.find(icon);
  if (it == cache.end()) it = cache.emplace(icon, Draw(icon)).first;
  return it->second;
}

}  // namespace vl
