#include "controls/control_align.h"

#include <QCoreApplication>
#include <QEvent>
#include <QVariant>
#include <QWidget>
#include <algorithm>

namespace vl {
namespace {

constexpr char kAlignProperty[] = "vlAlign";

}  // namespace

TvlAlign vlAlignOf(const QWidget* widget) {
  const QVariant v = widget->property(kAlignProperty);
  return v.isValid() ? static_cast<TvlAlign>(v.toInt()) : TvlAlign::None;
}

void vlSetAlign(QWidget* widget, TvlAlign align) {
  if (vlAlignOf(widget) == align) return;
  widget->setProperty(kAlignProperty, static_cast<int>(align));
  // The container lays out on a layout request (a toolbar at once, a
  // window's layout when it is next activated).
  if (QWidget* parent = widget->parentWidget()) {
    QEvent request(QEvent::LayoutRequest);
    QCoreApplication::sendEvent(parent, &request);
  }
}

void vlAlignControls(const std::vector<QWidget*>& widgets, QRect client) {
  int left = client.left(), top = client.top();
  int right = client.left() + client.width(), bottom = client.top() + client.height();
  const TvlAlign order[] = {TvlAlign::Top, TvlAlign::Bottom, TvlAlign::Left, TvlAlign::Right, TvlAlign::Client};
  for (TvlAlign align : order) {
    std::vector<QWidget*> list;
    for (QWidget* w : widgets)
      if (!w->isHidden() && vlAlignOf(w) == align) list.push_back(w);
    std::stable_sort(list.begin(), list.end(), [align](const QWidget* a, const QWidget* b) {
      switch (align) {
        case TvlAlign::Top: return a->y() < b->y();
        case TvlAlign::Bottom: return a->y() + a->height() > b->y() + b->height();
        case TvlAlign::Left: return a->x() < b->x();
        case TvlAlign::Right: return a->x() + a->width() > b->x() + b->width();
        default: return false;
      }
    });
    for (QWidget* w : list) {
      const int length = std::max(0, (align == TvlAlign::Top || align == TvlAlign::Bottom) ? right - left
                                                                                            : bottom - top);
      switch (align) {
        case TvlAlign::Top:
          w->setGeometry(left, top, length, w->height());
          top += w->height();
          break;
        case TvlAlign::Bottom:
          w->setGeometry(left, bottom - w->height(), length, w->height());
          bottom -= w->height();
          break;
        case TvlAlign::Left:
          w->setGeometry(left, top, w->width(), length);
          left += w->width();
          break;
        case TvlAlign::Right:
          w->setGeometry(right - w->width(), top, w->width(), length);
          right -= w->width();
          break;
        default:
          w->setGeometry(left, top, std::max(0, right - left), std::max(0, bottom - top));
          break;
      }
    }
  }
}

TvlAlignLayout::TvlAlignLayout(QWidget* parent) : QLayout(parent) {
  setContentsMargins(0, 0, 0, 0);
  setSpacing(0);
  // The window's size is its own; docks growing must not resize it.
  setSizeConstraint(QLayout::SetNoConstraint);
}

TvlAlignLayout::~TvlAlignLayout() {
  for (QLayoutItem* item : items_) delete item;
}

void TvlAlignLayout::addItem(QLayoutItem* item) { items_.push_back(item); }

QLayoutItem* TvlAlignLayout::itemAt(int index) const {
  return index >= 0 && index < count() ? items_[static_cast<size_t>(index)] : nullptr;
}

QLayoutItem* TvlAlignLayout::takeAt(int index) {
  if (index < 0 || index >= count()) return nullptr;
  QLayoutItem* item = items_[static_cast<size_t>(index)];
  items_.erase(items_.begin() + index);
  return item;
}

int TvlAlignLayout::count() const { return static_cast<int>(items_.size()); }

QSize TvlAlignLayout::sizeHint() const { return minimumSize().expandedTo(QSize(200, 150)); }

QSize TvlAlignLayout::minimumSize() const {
  int width = 0, height = 0;
  for (const QLayoutItem* item : items_) {
    const QWidget* w = item->widget();
    if (!w || w->isHidden()) continue;
    const TvlAlign a = vlAlignOf(w);
    if (a == TvlAlign::Top || a == TvlAlign::Bottom) height += w->height();
    if (a == TvlAlign::Left || a == TvlAlign::Right) width += w->width();
  }
  return {width, height};
}

void TvlAlignLayout::setGeometry(const QRect& rect) {
  QLayout::setGeometry(rect);
  std::vector<QWidget*> widgets;
  for (QLayoutItem* item : items_)
    if (QWidget* w = item->widget()) widgets.push_back(w);
  vlAlignControls(widgets, rect);
}

}  // namespace vl
