#include "app/sheet_picture.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace vl {

TSheetPicture::TSheetPicture(QWidget* parent) : QWidget(parent) { setMinimumSize(120, 160); }

void TSheetPicture::SetSheet(const TvlLabelSheet& sheet, int start) {
  sheet_ = sheet;
  start_ = start;
  update();
}

void TSheetPicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  std::int32_t code = 0, widthTenths = 0, heightTenths = 0;
  if (!vlLabelPaper(sheet_.Paper, code, widthTenths, heightTenths)) return;
  const double paperW = widthTenths / 10.0, paperH = heightTenths / 10.0;
  // The paper as large as the widget lets it be, centred.
  const double scale = std::min((width() - 8) / paperW, (height() - 8) / paperH);
  const QPointF origin((width() - paperW * scale) / 2, (height() - paperH * scale) / 2);
  p.fillRect(QRectF(origin.x() + 2, origin.y() + 2, paperW * scale, paperH * scale), QColor(0, 0, 0, 40));
  p.fillRect(QRectF(origin, QSizeF(paperW * scale, paperH * scale)), Qt::white);
  p.setPen(QColor(160, 160, 160));
  p.drawRect(QRectF(origin, QSizeF(paperW * scale, paperH * scale)));
  const double radius = sheet_.CornerRadius * scale;
  for (int k = 0; k < sheet_.Labels(); ++k) {
    const TvlMmRect r = vlLabelRect(sheet_, k);
    const QRectF box(origin.x() + r.Left * scale, origin.y() + r.Top * scale, r.Width * scale, r.Height * scale);
    const bool used = k + 1 < start_, first = k + 1 == start_;
    p.setBrush(used ? QColor(215, 215, 215) : first ? QColor(255, 236, 170) : QColor(236, 244, 255));
    p.setPen(first ? QPen(QColor(200, 120, 0), 1.5) : QPen(QColor(110, 140, 190), 0.8));
    p.drawRoundedRect(box, radius, radius);
  }
}

}  // namespace vl
