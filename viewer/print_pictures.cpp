#include "viewer/print_pictures.h"

#include <QFont>
#include <QPainter>
#include <QPolygon>

namespace vl {
namespace {

QPixmap Transparent(int width, int height) {
  QPixmap pixmap(width, height);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

// One sheet with a folded top-right corner and its page number.
void DrawSheet(QPainter& p, const QRect& r, int number) {
  constexpr int fold = 5;
  const QPolygon outline({r.topLeft(), QPoint(r.right() - fold, r.top()), QPoint(r.right(), r.top() + fold),
                          r.bottomRight(), r.bottomLeft()});
  p.setPen(QColor(64, 64, 64));
  p.setBrush(Qt::white);
  p.drawPolygon(outline);
  p.setBrush(QColor(192, 192, 192));
  p.drawPolygon(QPolygon({QPoint(r.right() - fold, r.top()), QPoint(r.right() - fold, r.top() + fold),
                          QPoint(r.right(), r.top() + fold)}));
  // The number sits at the top-left, the part a sheet in front leaves visible.
  QFont font = p.font();
  font.setPixelSize(9);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::black);
  p.drawText(QRect(r.left() + 3, r.top() + 1, 8, 9), Qt::AlignLeft | Qt::AlignTop, QString::number(number));
}

}  // namespace

QPixmap vlPrinterPicture() {
  QPixmap pixmap = Transparent(18, 16);
  QPainter p(&pixmap);
  // The sheet standing in the feeder, the body, the output slot and the lamp.
  p.setPen(QColor(96, 96, 96));
  p.setBrush(Qt::white);
  p.drawRect(4, 0, 9, 6);
  p.setPen(QColor(64, 64, 64));
  p.setBrush(QColor(192, 192, 192));
  p.drawRect(0, 5, 17, 8);
  p.setBrush(QColor(128, 128, 128));
  p.drawRect(2, 13, 13, 2);
  p.setPen(Qt::black);
  p.drawLine(3, 8, 14, 8);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 160, 0));
  p.drawRect(13, 10, 2, 2);
  return pixmap;
}

QPixmap vlCollatedPicture() {
  QPixmap pixmap = Transparent(74, 53);
  QPainter p(&pixmap);
  // Two stacks of 1, 2, 3: the last page at the back.
  for (int stack = 0; stack < 2; ++stack)
    for (int number = 3; number >= 1; --number) {
      const int step = 3 - number;
      DrawSheet(p, QRect(stack * 40 + 12 - step * 6, step * 9, 22, 35), number);
    }
  return pixmap;
}

QPixmap vlUncollatedPicture() {
  QPixmap pixmap = Transparent(92, 40);
  QPainter p(&pixmap);
  // Pairs 1 1, 2 2, 3 3.
  for (int number = 1; number <= 3; ++number) {
    const int x = (number - 1) * 33;
    DrawSheet(p, QRect(x + 8, 0, 18, 28), number);
    DrawSheet(p, QRect(x, 11, 18, 28), number);
  }
  return pixmap;
}

}  // namespace vl
