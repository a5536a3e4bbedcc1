#include "controls/float_window.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <qdrawutil.h>

#include "controls/drag_tracker.h"
#include "controls/edges.h"
#include "controls/tool_bar.h"

namespace vl {

// The drag outline: four nested dotted rectangles on the screen, a
// click-through window shaped to the ring.
class TvlDragOutline : public QWidget {
 public:
  TvlDragOutline()
      : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                             Qt::WindowDoesNotAcceptFocus | Qt::NoDropShadowWindowHint) {
    setAttribute(Qt::WA_ShowWithoutActivating);
  }

  void ShowAt(const QRect& rect) {
    setGeometry(rect);
    const QRect inner = QRect(QPoint(0, 0), rect.size()).adjusted(4, 4, -4, -4);
    setMask(inner.isValid() ? QRegion(QRect(QPoint(0, 0), rect.size())).subtracted(inner)
                            : QRegion(QRect(QPoint(0, 0), rect.size())));
    show();
    raise();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.fillRect(rect(), QBrush(Qt::black, Qt::Dense4Pattern));
  }
};

TvlFloatWindow::TvlFloatWindow(QWidget* owner, TvlToolBar* toolbar)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint), toolbar_(toolbar), client_(new QWidget(this)) {
  // Closing only hides: the toolbar keeps floating and counts as hidden.
  setAttribute(Qt::WA_DeleteOnClose, false);
  client_->move(kBorder, kBorder + kCaptionHeight);
  client_->setBackgroundRole(QPalette::Button);
  client_->setAutoFillBackground(true);
  if (toolbar) setWindowTitle(toolbar->Caption());
  QFont small = font();
  small.setPixelSize(11);
  small.setBold(true);
  setFont(small);
}

TvlFloatWindow::~TvlFloatWindow() {
  if (pressed_) vlEndDrag();
  if (toolbar_) toolbar_->ForgetFloatWindow();
}

void TvlFloatWindow::SetClientSize(int width, int height) {
  client_->resize(std::max(0, width), std::max(0, height));
  resize(client_->width() + 2 * kBorder, client_->height() + 2 * kBorder + kCaptionHeight);
}

QRect TvlFloatWindow::CaptionRect() const {
  return QRect(kBorder, kBorder, width() - 2 * kBorder, kCaptionHeight);
}

QRect TvlFloatWindow::CloseButtonRect() const {
  const QRect caption = CaptionRect();
  return QRect(caption.right() - 12, caption.top() + 2, 11, 11);
}

void TvlFloatWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const TvlControlColors colors = TvlControlColors::Of(this);
  p.fillRect(rect(), colors.Face);
  qDrawWinPanel(&p, rect(), palette(), false);
  const QRect caption = CaptionRect();
  p.fillRect(caption, palette().color(QPalette::Highlight));
  p.setPen(palette().color(QPalette::HighlightedText));
  const QRect close = CloseButtonRect();
  p.drawText(caption.adjusted(3, 0, -(close.width() + 4), 0), Qt::AlignVCenter | Qt::AlignLeft,
             fontMetrics().elidedText(windowTitle(), Qt::ElideRight, caption.width() - close.width() - 7));
  // The close box: a small raised button with a cross.
  p.fillRect(close, colors.Face);
  vlRaisedFrame(p, close, colors);
  p.setPen(QPen(colors.WindowText, 1));
  p.drawLine(close.left() + 3, close.top() + 3, close.right() - 3, close.bottom() - 3);
  p.drawLine(close.right() - 3, close.top() + 3, close.left() + 3, close.bottom() - 3);
}

void TvlFloatWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  if (CloseButtonRect().contains(event->position().toPoint())) {
    close();
    return;
  }
  DragPress(event->globalPosition().toPoint());
}

void TvlFloatWindow::DragPress(QPoint screen) {
  outline_ = QRect(screen, size());
  if (!outlineWidget_) outlineWidget_ = std::make_unique<TvlDragOutline>();
  outlineWidget_->ShowAt(outline_);
  pressed_ = true;
  vlBeginDragFor(this);
}

void TvlFloatWindow::DragMove(QPoint screen) {
  if (!pressed_) return;
  outlineWidget_->hide();
  outline_.moveTopLeft(screen);
  QWidget* owner = Owner();
  if (toolbar_ && owner && toolbar_->DockAt(owner, owner->mapFromGlobal(screen))) {
    // The toolbar follows the cursor in its dock now; this window goes.
    pressed_ = false;
    return;
  }
  outlineWidget_->ShowAt(outline_);
}

void TvlFloatWindow::DragRelease() {
  if (!pressed_) return;
  pressed_ = false;
  if (outlineWidget_) outlineWidget_->hide();
  move(outline_.topLeft());
  show();
}

}  // namespace vl
