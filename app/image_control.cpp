#include "app/image_control.h"

#include <QMouseEvent>
#include <QPainter>

namespace vl {

TImage::TImage(QWidget* parent) : QWidget(parent) { setMouseTracking(true); }

void TImage::SetPicture(const QPixmap& picture) {
  FPicture = picture;
  update();
}

void TImage::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawPixmap(0, 0, FPicture);
}

// A click is a left press and release both inside the control.
void TImage::mousePressEvent(QMouseEvent* event) { FPressed = event->button() == Qt::LeftButton; }

void TImage::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = FPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  FPressed = false;
  if (click && OnClick) OnClick();
}

void TImage::mouseMoveEvent(QMouseEvent*) {
  if (OnMouseMove) OnMouseMove();
}

}  // namespace vl
