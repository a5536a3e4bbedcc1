#include "controls/edges.h"

#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QWidget>

namespace vl {

// The system colours do not change with a control's state: always the
// active group.
TvlControlColors TvlControlColors::Of(const QWidget* widget) {
  const QPalette& p = widget->palette();
  const auto c = [&p](QPalette::ColorRole role) { return p.color(QPalette::Active, role); };
  return {c(QPalette::Button), c(QPalette::Light), c(QPalette::Dark), c(QPalette::Base), c(QPalette::Text)};
}

void vlFrame3D(QPainter& painter, const QRect& rect, const QColor& topLeft, const QColor& bottomRight) {
  if (rect.width() <= 0 || rect.height() <= 0) return;
  const int l = rect.left(), t = rect.top(), r = rect.left() + rect.width() - 1, b = rect.top() + rect.height() - 1;
  painter.fillRect(QRect(l, t, 1, b - t + 1), topLeft);
  painter.fillRect(QRect(l, t, r - l, 1), topLeft);
  painter.fillRect(QRect(r, t, 1, b - t + 1), bottomRight);
  if (r > l) painter.fillRect(QRect(l + 1, b, r - l, 1), bottomRight);
}

void vlRaisedFrame(QPainter& painter, const QRect& rect, const TvlControlColors& colors) {
  vlFrame3D(painter, rect, colors.Highlight, colors.Shadow);
}

void vlSunkenFrame(QPainter& painter, const QRect& rect, const TvlControlColors& colors) {
  vlFrame3D(painter, rect, colors.Shadow, colors.Highlight);
}

QBrush vlDitherBrush(const QColor& first, const QColor& second) {
  QImage pattern(8, 8, QImage::Format_RGB32);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) pattern.setPixel(x, y, ((x + y) % 2 == 0 ? first : second).rgb());
  return QBrush(pattern);
}

}  // namespace vl
