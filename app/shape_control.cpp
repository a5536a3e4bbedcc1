#include "app/shape_control.h"

#include <QMouseEvent>
#include <QPainter>

namespace vl {

QColor vlColorToQt(TvlColor color) {
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

TShape::TShape(QWidget* parent) : QWidget(parent) {
  // Moves without a pressed button must reach the handler too.
  setMouseTracking(true);
}

void TShape::SetBrushColor(TvlColor color) {
  if (color == FBrushColor) return;
  FBrushColor = color;
  update();
}

void TShape::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), vlColorToQt(FBrushColor));
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(0, 0, width() - 1, height() - 1);
}

void TShape::mousePressEvent(QMouseEvent* event) {
  if (OnMouseDown) OnMouseDown(event->button());
}

void TShape::mouseMoveEvent(QMouseEvent*) {
  if (OnMouseMove) OnMouseMove();
}

}  // namespace vl
