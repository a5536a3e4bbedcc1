#include "controls/font_preview.h"

#include <QPainter>

#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_text.h"

namespace vl {

TvlFontPreview::TvlFontPreview(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  resize(kWidth, kHeight);
}

void TvlFontPreview::ShowFont(const QString& name) {
  if (name == fontName_) return;
  fontName_ = name;
  update();
}

void TvlFontPreview::PlaceBeside(const QRect& box, bool dropsUpward, const QRect& screen) {
  int x = box.left() + box.width(), y = box.top() + box.height();
  if (x + kWidth > screen.left() + screen.width()) x = box.left() - 1 - kWidth;
  if (dropsUpward) y = box.top() - kHeight;
  move(x, y);
}

void TvlFontPreview::paintEvent(QPaintEvent*) {
  QPainter p(this);
  // A single-bordered panel in the window colour, the text in the window-text colour.
  p.fillRect(rect(), vlQtColor(0xFF000005));
  p.setPen(Qt::black);
  p.drawRect(rect().adjusted(0, 0, -1, -1));
  QFont font(vlQtFontFamily(vlFromQt(fontName_)));
  font.setPointSize(kPointSize);
  p.setFont(font);
  p.setPen(vlQtColor(0xFF000008));
  p.drawText(rect().adjusted(4, 1, -4, -1), Qt::AlignCenter | Qt::TextSingleLine, fontName_);
}

}  // namespace vl
