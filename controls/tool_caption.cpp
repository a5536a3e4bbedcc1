#include "controls/tool_caption.h"

#include <QPainter>
#include <QWidget>

#include "controls/edges.h"

namespace vl {

QRect vlToolCaptionRect(const QWidget& window) {
  return QRect(kToolBorder, kToolBorder, window.width() - 2 * kToolBorder, kToolCaptionHeight);
}

QRect vlToolCloseBoxRect(const QWidget& window) {
  const QRect c = vlToolCaptionRect(window);
  return QRect(c.right() - kToolCaptionHeight + 2, c.top() + 2, kToolCaptionHeight - 4, kToolCaptionHeight - 4);
}

void vlPaintToolCaption(QPainter& p, const QWidget& window) {
  const TvlControlColors colors = TvlControlColors::Of(&window);
  const QRect caption = vlToolCaptionRect(window);
  p.fillRect(caption, window.palette().color(QPalette::Highlight));
  QFont f = window.font();
  f.setPixelSize(kToolCaptionHeight - 4);
  f.setBold(true);
  p.setFont(f);
  p.setPen(window.palette().color(QPalette::HighlightedText));
  p.drawText(caption.adjusted(3, 0, -kToolCaptionHeight, 0), Qt::AlignVCenter | Qt::AlignLeft, window.windowTitle());
  const QRect close = vlToolCloseBoxRect(window);
  p.fillRect(close, colors.Face);
  vlRaisedFrame(p, close, colors);
  p.setPen(colors.WindowText);
  p.drawLine(close.left() + 2, close.top() + 2, close.right() - 2, close.bottom() - 2);
  p.drawLine(close.right() - 2, close.top() + 2, close.left() + 2, close.bottom() - 2);
}

}  // namespace vl
