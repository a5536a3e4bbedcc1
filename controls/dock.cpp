#include "controls/dock.h"

#include <QPainter>
#include <algorithm>

#include "controls/edges.h"
#include "controls/tool_bar.h"

namespace vl {

TvlDock::TvlDock(QWidget* parent, TvlAlign edge, const QString& name) : QWidget(parent), edge_(edge) {
  setObjectName(name);
  vlSetAlign(this, edge);
  SetDepth(1);
}

std::vector<TvlToolBar*> TvlDock::ToolBars() const {
  std::vector<TvlToolBar*> bars;
  for (QObject* child : children())
    if (auto* bar = dynamic_cast<TvlToolBar*>(child)) bars.push_back(bar);
  return bars;
}

void TvlDock::SetDepth(int depth) {
  // The fixed depth holds against any layout the window uses; the length
  // stays the layout's.
  if (IsHorizontal()) setFixedHeight(depth);
  else setFixedWidth(depth);
}

void TvlDock::AdjustBounds() {
  const std::vector<TvlToolBar*> all = ToolBars();
  if (all.empty()) {
    SetDepth(1);
    return;
  }
  std::vector<TvlToolBar*> bars;
  for (TvlToolBar* bar : all)
    if (!bar->isHidden()) bars.push_back(bar);

  const bool horizontal = IsHorizontal();
  const bool nearSide = edge_ == TvlAlign::Top || edge_ == TvlAlign::Left;
  // Positions along the depth: a toolbar's near and far edge.
  auto nearEdge = [horizontal](const QWidget* w) { return horizontal ? w->y() : w->x(); };
  auto farEdge = [horizontal](const QWidget* w) {
    return horizontal ? w->y() + w->height() : w->x() + w->width();
  };
  auto shift = [horizontal](QWidget* w, int by) {
    if (horizontal) w->move(w->x(), w->y() + by);
    else w->move(w->x() + by, w->y());
  };

  const int depth = Depth();
  int rows = depth / RowSize;
  int b = nearSide ? 0 : depth;
  const int step = nearSide ? RowSize : -RowSize;
  int c = rows * RowSize + 1;

  // Empty rows go; the toolbars beyond them move toward the origin.
  for (int j = 0; j < rows; ++j, b += step) {
    bool used = false;
    for (const TvlToolBar* bar : bars) {
      const int n = nearEdge(bar), f = farEdge(bar);
      if ((nearSide ? n == b : f == b) || (n < b && b < f)) used = true;
    }
    if (used) continue;
    for (TvlToolBar* bar : bars)
      if (nearSide ? nearEdge(bar) > b : farEdge(bar) > b) shift(bar, -RowSize);
    --rows;
    --j;
    c -= RowSize;
    if (nearSide) b -= step;  // the same line is probed again
  }

  // Toolbars outside the dock: bottom and right docks move everything in,
  // top and left docks grow to take them.
  for (TvlToolBar* bar : bars) {
    const int n = nearEdge(bar), f = farEdge(bar);
    if (!nearSide && n < 0) {
      const int by = 1 - n;
      for (TvlToolBar* other : bars) shift(other, by);
      c += by;
      break;
    }
    if (nearSide && f > c) {
      c = f + 1;
      break;
    }
  }
  if (!nearSide)
    for (const TvlToolBar* bar : bars) c = std::max(c, farEdge(bar));

  // A bottom or right dock that grows keeps its far edge.
  const QRect old = geometry();
  SetDepth(c);
  if (edge_ == TvlAlign::Bottom && c > old.height()) move(old.x(), old.y() + old.height() - c);
  if (edge_ == TvlAlign::Right && c > old.width()) move(old.x() + old.width() - c, old.y());
}

std::vector<TvlDock*> vlDocksOf(const QWidget* container) {
  std::vector<TvlDock*> docks;
  for (QWidget* w : container->findChildren<QWidget*>())
    if (auto* dock = dynamic_cast<TvlDock*>(w)) docks.push_back(dock);
  return docks;
}

TvlDock* vlFindDock(const QWidget* container, const QString& name) {
  for (TvlDock* dock : vlDocksOf(container))
    if (dock->objectName() == name) return dock;
  return nullptr;
}

void TvlDock::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), TvlControlColors::Of(this).Face);
}

}  // namespace vl
