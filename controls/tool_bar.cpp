#include "controls/tool_bar.h"

#include <QChildEvent>
#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "controls/control_align.h"
#include "controls/dock.h"
#include "controls/drag_tracker.h"
#include "controls/edges.h"
#include "controls/float_window.h"
#include "controls/toolbar_items.h"

namespace vl {
namespace {

constexpr int kGripSize = 11;
// A toolbar pulled further than this past the start of its row floats.
constexpr int kFloatDistance = 20;

bool IsTopOrBottom(TvlAlign a) { return a == TvlAlign::Top || a == TvlAlign::Bottom; }
bool IsLeftOrRight(TvlAlign a) { return a == TvlAlign::Left || a == TvlAlign::Right; }

}  // namespace

TvlToolBar::TvlToolBar(TvlDock* dock, const QString& name, const QString& caption)
    : QWidget(dock), caption_(caption) {
  setObjectName(name);
  resize(26, 26);
  grip_ = new TvlDragBox(this);
  vlSetAlign(grip_, VerticalFlow() ? TvlAlign::Top : TvlAlign::Left);
  Realign();
  setVisible(true);
}

TvlToolBar::~TvlToolBar() {
  // The float window must not take the toolbar down with it a second time.
  if (TvlFloatWindow* window = floatWindow_) {
    floatWindow_ = nullptr;
    setParent(nullptr);
    delete window;
  }
}

void TvlToolBar::SetCaption(const QString& caption) {
  caption_ = caption;
  if (floatWindow_) {
    floatWindow_->setWindowTitle(caption);
    floatWindow_->update();
  }
}

TvlFloatWindow* TvlToolBar::FloatWindow() const { return floatWindow_; }

void TvlToolBar::ForgetFloatWindow() { floatWindow_ = nullptr; }

TvlDock* TvlToolBar::Dock() const { return dynamic_cast<TvlDock*>(parentWidget()); }

QWidget* TvlToolBar::Owner() const {
  if (floatWindow_) return floatWindow_->Owner();
  return parentWidget() ? parentWidget()->window() : nullptr;
}

bool TvlToolBar::VerticalFlow() const {
  const TvlDock* dock = Dock();
  return dock && !dock->IsHorizontal();
}

std::vector<QWidget*> TvlToolBar::Controls() const {
  std::vector<QWidget*> controls;
  for (QObject* child : children())
    if (child->isWidgetType()) controls.push_back(static_cast<QWidget*>(child));
  return controls;
}

void TvlToolBar::PlaceAtEnd(QWidget* control) {
  int end = 0;
  for (QWidget* w : Controls())
    if (w != control) end = std::max(end, VerticalFlow() ? w->y() + w->height() : w->x() + w->width());
  if (VerticalFlow()) control->move(control->x(), end + 1);
  else control->move(end + 1, control->y());
}

void TvlToolBar::Arrange() {
  std::vector<QWidget*> controls = Controls();
  const bool vertical = VerticalFlow();
  const size_t n = controls.size();
  for (size_t pass = 0; pass < n; ++pass)
    for (size_t i = 0; i + 1 < n; ++i) {
      QWidget* a = controls[i];
      QWidget* b = controls[i + 1];
      if (a->isHidden()) continue;
      const bool swap = vertical ? IsTopOrBottom(vlAlignOf(a)) && IsTopOrBottom(vlAlignOf(b)) && b->y() < a->y()
                                 : b->x() < a->x();
      if (swap) std::swap(controls[i], controls[i + 1]);
    }

  ++realignLock_;
  if (vertical ? height() < width() : width() < height()) resize(height(), width());
  for (QWidget* w : controls) {
    if (w->isHidden()) continue;
    const TvlAlign align = vlAlignOf(w);
    if (!vertical && !IsLeftOrRight(align)) {
      if (align == TvlAlign::Bottom) {
        vlSetAlign(w, TvlAlign::Right);
      } else {
        w->move(w->y(), w->y());
        vlSetAlign(w, TvlAlign::Left);
      }
    } else if (vertical && !IsTopOrBottom(align)) {
      if (align == TvlAlign::Right) {
        vlSetAlign(w, TvlAlign::Bottom);
      } else {
        w->move(w->x(), w->x());
        vlSetAlign(w, TvlAlign::Top);
      }
    }
  }
  --realignLock_;
  Realign();
}

void TvlToolBar::AdjustSize() {
  Arrange();
  const bool vertical = VerticalFlow();
  int length = 4;
  for (QWidget* w : Controls())
    if (!w->isHidden()) length += vertical ? w->height() : w->width();
  if (vertical) resize(width(), length);
  else resize(length, height());
  Realign();
}

void TvlToolBar::Realign() {
  if (realignLock_) return;
  ++realignLock_;
  grip_->resize(kGripSize, kGripSize);
  QRect client = rect();
  if (Dock()) client.adjust(1, 1, -1, -1);
  vlAlignControls(Controls(), client);
  --realignLock_;
}

bool TvlToolBar::MoveInDock(int x, int y) {
  if (floating_) return true;
  TvlDock* dock = Dock();
  if (!dock) return true;
  const bool horizontal = dock->IsHorizontal();
  // Along the row: a, the position, and its length; across: c.
  int& a = horizontal ? x : y;
  const int& c = horizontal ? y : x;
  const int length = horizontal ? width() : height();
  const int thickness = horizontal ? height() : width();
  const int room = horizontal ? dock->width() : dock->height();

  bool floating = false;
  int passes = 0;
  while (passes < 4) {
    ++passes;
    int adjustments = 0;
    // Without CanFloat the toolbar stays in its row and is still pushed
    // aside by the others.
    if (a < -kFloatDistance && CanFloat) floating = true;
    if (a < 0) a = 0;
    if (a + length > room) a = room - length;
    if (!floating)
      for (const TvlToolBar* other : dock->ToolBars()) {
        if (other == this || other->isHidden()) continue;
        const int oa = horizontal ? other->x() : other->y();
        const int oc = horizontal ? other->y() : other->x();
        const int olength = horizontal ? other->width() : other->height();
        const int othickness = horizontal ? other->height() : other->width();
        const bool sameRow = (oc <= c && c < oc + othickness) || (c <= oc && oc < c + thickness);
        if (!sameRow) continue;
        if (oa <= a && a < oa + olength) {
          a = oa + olength;
          ++adjustments;
        }
        if (a < oa && oa < a + length) {
          a = oa - length;
          ++adjustments;
        }
      }
    if (adjustments == 0 || floating) break;
  }
  if (floating) {
    MakeFloat(pressed_ ? cursor_ : QCursor::pos());
    return true;
  }
  if (passes >= 3) return false;

  // Outside the rows: remember the depth, to see whether the dock grows to
  // take the toolbar.
  const int depth = dock->Depth();
  const int outside = (c < 0 || c + thickness > depth) ? depth : 0;
  move(x, y);
  dock->AdjustBounds();
  if (CanFloat && outside == dock->Depth()) MakeFloat(pressed_ ? cursor_ : QCursor::pos());
  return true;
}

void TvlToolBar::MakeFloat(QPoint screen) {
  floating_ = true;
  pressed_ = false;
  FloatAt(screen.x(), screen.y());
  if (floatWindow_) floatWindow_->DragPress(screen);
}

void TvlToolBar::FloatAt(int x, int y) {
  floating_ = true;
  if (floatWindow_) {
    floatWindow_->move(x, y);
    return;
  }
  TvlDock* old = Dock();
  QWidget* owner = Owner();
  hide();
  grip_->hide();
  auto* window = new TvlFloatWindow(owner, this);
  window->move(x, y);
  floatWindow_ = window;
  setParent(window->Client());
  Arrange();
  if (old) old->AdjustBounds();
  window->SetClientSize(width() - kGripSize, height());
  move(0, 0);
  show();
}

void TvlToolBar::DockInto(TvlDock* dock, int x, int y) {
  hide();
  if (TvlFloatWindow* window = floatWindow_) {
    // The window goes once this drag is over; the toolbar leaves it below.
    window->hide();
    floatWindow_ = nullptr;
    window->deleteLater();
  }
  TvlDock* old = Dock();
  setParent(dock);
  if (old) old->AdjustBounds();
  floating_ = false;
  grip_->show();
  Arrange();
  move(x, y);
  Realign();
  show();
  dock->AdjustBounds();
}

void TvlToolBar::DockAtEnd(TvlDock* dock) {
  // The new row of a bottom or right dock is one toolbar thick: the
  // thickness the toolbar has once it turns to the dock's flow, not the
  // length it may have now.
  const int thickness = std::min(width(), height());
  switch (dock->Edge()) {
    case TvlAlign::Top: DockInto(dock, 0, dock->height() - 1); break;
    case TvlAlign::Bottom: DockInto(dock, 0, 1 - thickness); break;
    case TvlAlign::Left: DockInto(dock, dock->width() - 1, 0); break;
    default: DockInto(dock, 1 - thickness, 0); break;
  }
}

bool TvlToolBar::DockAt(QWidget* container, QPoint point) {
  for (TvlDock* dock : vlDocksOf(container)) {
    const QRect bounds(dock->mapTo(container, QPoint(0, 0)), dock->size());
    if (point.x() < bounds.left() || point.x() > bounds.left() + bounds.width() || point.y() < bounds.top() ||
        point.y() > bounds.top() + bounds.height())
      continue;
    if ((Orientation == TvlToolBarOrientation::toHorzOnly && !dock->IsHorizontal()) ||
        (Orientation == TvlToolBarOrientation::toVertOnly && dock->IsHorizontal()))
      return false;
    int x, y;
    if (!dock->IsHorizontal()) {
      x = dock->Edge() == TvlAlign::Left ? dock->width() - 1 : 1 - height();
      y = point.y() - bounds.top();
      if (y + height() > dock->height()) y = dock->height() - height();
      if (y < 0) y = 0;
    } else {
      y = dock->Edge() == TvlAlign::Top ? dock->height() - 1 : 1 - height();
      x = point.x() - bounds.left();
      if (x + width() > dock->width()) x = dock->width() - width();
      if (x < 0) x = 0;
    }
    DockInto(dock, x, y);
    DragPress(container->mapToGlobal(point));
    return true;
  }
  return false;
}

bool TvlToolBar::IsShown() const { return floating_ && floatWindow_ ? !floatWindow_->isHidden() : !isHidden(); }

void TvlToolBar::SetShown(bool shown) {
  if (floating_ && floatWindow_) floatWindow_->setVisible(shown);
  else setVisible(shown);
}

void TvlToolBar::ShowFromMenu(bool shown) {
  if (floating_) {
    SetShown(shown);
    return;
  }
  TvlDock* dock = Dock();
  if (!dock) return;
  if (shown) DockAtEnd(dock);
  setVisible(shown);
  dock->AdjustBounds();
}

void TvlToolBar::DragPress(QPoint screen) {
  last_ = cursor_ = screen;
  pressed_ = true;
  vlBeginDragFor(this);
}

void TvlToolBar::DragMove(QPoint screen) {
  if (!pressed_) return;
  if (floating_) {
    pressed_ = false;
    vlEndDrag();
    return;
  }
  const TvlDock* dock = Dock();
  if (!dock) return;
  int dx = screen.x() - last_.x(), dy = screen.y() - last_.y();
  // Across the rows the toolbar moves by whole rows; along them exactly.
  if (dock->IsHorizontal()) dy = dy / dock->RowSize * dock->RowSize;
  else dx = dx / dock->RowSize * dock->RowSize;
  if (dx == 0 && dy == 0) return;
  cursor_ = screen;
  if (MoveInDock(x() + dx, y() + dy)) {
    // A refused step is tried again with the growing difference.
    if (dx != 0) last_.setX(screen.x());
    if (dy != 0) last_.setY(screen.y());
  }
}

void TvlToolBar::DragRelease() { pressed_ = false; }

bool TvlToolBar::event(QEvent* event) {
  if (event->type() == QEvent::LayoutRequest || event->type() == QEvent::ChildRemoved) Realign();
  if (event->type() == QEvent::ChildAdded) {
    QObject* child = static_cast<QChildEvent*>(event)->child();
    if (child->isWidgetType()) child->installEventFilter(this);
  }
  return QWidget::event(event);
}

bool TvlToolBar::eventFilter(QObject* watched, QEvent* event) {
  // A control shown, hidden, moved or resized from outside lays the toolbar out again.
  switch (event->type()) {
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
    case QEvent::Move:
    case QEvent::Resize:
      if (watched->parent() == this) Realign();
      break;
    default: break;
  }
  return false;
}

void TvlToolBar::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const TvlControlColors colors = TvlControlColors::Of(this);
  p.fillRect(rect(), colors.Face);
  if (Dock()) vlRaisedFrame(p, rect(), colors);
}

void TvlToolBar::resizeEvent(QResizeEvent*) { Realign(); }

void TvlToolBar::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) DragPress(event->globalPosition().toPoint());
}

}  // namespace vl
