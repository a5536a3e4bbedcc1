#include "designer/designer_status_bar.h"

#include <QMouseEvent>
#include <QPainter>

#include "controls/designer_glyphs.h"

namespace vl {

TvlDesignerStatusBar::TvlDesignerStatusBar(QWidget* parent) : QWidget(parent) {
  setFixedHeight(20);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Button);
}

void TvlDesignerStatusBar::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QPalette& pal = palette();
  auto panel = [&](int left, int right) {
    const QRect r(left, 2, right - left - 2, height() - 3);
    p.setPen(pal.color(QPalette::Dark));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(pal.color(QPalette::Light));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    return r.adjusted(3, 1, -3, 0);
  };
  const int p1 = kUnitsWidth, p2 = kUnitsWidth + kPositionWidth;
  p.setPen(pal.color(QPalette::ButtonText));
  const QRect units = panel(0, p1);
  p.setPen(pal.color(QPalette::ButtonText));
  p.drawText(units, Qt::AlignVCenter | Qt::AlignLeft, Units);
  const QRect pos = panel(p1, p2);
  p.drawImage(p1 + 2, pos.top() + 1, vlDesignerGlyph(TvlDesignerGlyph::Select));
  if (SecondIcon) p.drawImage(p1 + 92, pos.top() + 1, vlDesignerGlyph(TvlDesignerGlyph::PageOptions));
  p.setPen(pal.color(QPalette::ButtonText));
  p.drawText(QRect(p1 + 20, pos.top(), 70, pos.height()), Qt::AlignVCenter | Qt::AlignLeft, Position);
  p.drawText(QRect(p1 + 110, pos.top(), 60, pos.height()), Qt::AlignVCenter | Qt::AlignLeft, Size);
  p.drawText(QRect(p1 + 170, pos.top(), 60, pos.height()), Qt::AlignVCenter | Qt::AlignLeft, Percent);
  const QRect name = panel(p2, width());
  p.setPen(pal.color(QPalette::ButtonText));
  p.drawText(name, Qt::AlignVCenter | Qt::AlignLeft, Name);
}

void TvlDesignerStatusBar::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->position().x() < kUnitsWidth && OnUnitsDoubleClick) OnUnitsDoubleClick();
}

}  // namespace vl
