#include "controls/toolbar_items.h"

#include <QMouseEvent>
#include <QPainter>

#include "controls/control_align.h"
#include "controls/edges.h"
#include "controls/tool_bar.h"

namespace vl {
namespace {

// A control put into a toolbar aligns to its flow and goes after the others;
// it shows with the toolbar, as controls do unless hidden.
void PutIntoToolBar(QWidget* control, TvlToolBar* toolbar) {
  control->setVisible(true);
  toolbar->PlaceAtEnd(control);
  vlSetAlign(control, toolbar->VerticalFlow() ? TvlAlign::Top : TvlAlign::Left);
}

}  // namespace

TvlDragBox::TvlDragBox(TvlToolBar* toolbar) : QWidget(toolbar), toolbar_(toolbar) { resize(11, 11); }

void TvlDragBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const TvlControlColors colors = TvlControlColors::Of(this);
  p.fillRect(rect(), colors.Face);
  if (toolbar_->VerticalFlow()) {
    vlRaisedFrame(p, QRect(0, 2, width(), 3), colors);
    vlRaisedFrame(p, QRect(0, 5, width(), 3), colors);
  } else {
    vlRaisedFrame(p, QRect(2, 0, 3, height()), colors);
    vlRaisedFrame(p, QRect(5, 0, 3, height()), colors);
  }
}

void TvlDragBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) toolbar_->DragPress(event->globalPosition().toPoint());
}

TvlTBButton::TvlTBButton(TvlToolBar* toolbar) : TvlSpeedButton(toolbar) {
  SetFlat(true);
  PutIntoToolBar(this, toolbar);
}

TvlTBSeparator::TvlTBSeparator(TvlToolBar* toolbar) : QWidget(toolbar) {
  resize(8, 8);
  PutIntoToolBar(this, toolbar);
}

void TvlTBSeparator::SetDrawBevel(bool value) {
  drawBevel_ = value;
  update();
}

void TvlTBSeparator::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const TvlControlColors colors = TvlControlColors::Of(this);
  p.fillRect(rect(), colors.Face);
  if (!drawBevel_) return;
  const TvlAlign align = vlAlignOf(this);
  if (align == TvlAlign::Top || align == TvlAlign::Bottom) {
    const int y = height() / 2, length = std::max(0, width() - 4);
    p.fillRect(QRect(2, y - 1, length, 1), colors.Shadow);
    p.fillRect(QRect(2, y, length, 1), colors.Highlight);
  } else if (align == TvlAlign::Left || align == TvlAlign::Right) {
    const int x = width() / 2, length = std::max(0, height() - 4);
    p.fillRect(QRect(x - 1, 2, 1, length), colors.Shadow);
    p.fillRect(QRect(x, 2, 1, length), colors.Highlight);
  }
}

TvlTBPanel::TvlTBPanel(TvlToolBar* toolbar) : QWidget(toolbar) {
  resize(8, 8);
  setBackgroundRole(QPalette::Button);
  setAutoFillBackground(true);
  PutIntoToolBar(this, toolbar);
}

}  // namespace vl
