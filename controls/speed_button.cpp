#include "controls/speed_button.h"

#include <QAction>
#include <QEnterEvent>
#include <QIcon>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <qdrawutil.h>

#include "controls/edges.h"

namespace vl {
namespace {

struct TvlButtonGeometry {
  QPoint GlyphPos;
  QRect TextBounds;
};

// Glyph and caption placed in the client the way a standard speed button
// places them: by Layout, with Margin -1 centring the pair and Spacing
// between them (none when one of the two is missing).
TvlButtonGeometry CalcButtonLayout(const QRect& client, QPoint offset, QSize glyph, QSize text,
                                   TvlButtonLayout layout, int margin, int spacing) {
  const bool across = layout == TvlButtonLayout::blGlyphLeft || layout == TvlButtonLayout::blGlyphRight;
  const QSize size = client.size();
  QPoint glyphPos, textPos;
  if (across) {
    glyphPos.setY((size.height() - glyph.height() + 1) / 2);
    textPos.setY((size.height() - text.height() + 1) / 2);
  } else {
    glyphPos.setX((size.width() - glyph.width() + 1) / 2);
    textPos.setX((size.width() - text.width() + 1) / 2);
  }
  if (text.width() == 0 || glyph.width() == 0) spacing = 0;
  if (margin == -1) {
    if (spacing == -1) {
      const QSize total(glyph.width() + text.width(), glyph.height() + text.height());
      margin = across ? (size.width() - total.width()) / 3 : (size.height() - total.height()) / 3;
      spacing = margin;
    } else {
      const QSize total(glyph.width() + spacing + text.width(), glyph.height() + spacing + text.height());
      margin = across ? (size.width() - total.width() + 1) / 2 : (size.height() - total.height() + 1) / 2;
    }
  } else if (spacing == -1) {
    const QSize total(size.width() - (margin + glyph.width()), size.height() - (margin + glyph.height()));
    spacing = across ? (total.width() - text.width()) / 2 : (total.height() - text.height()) / 2;
  }
  switch (layout) {
    case TvlButtonLayout::blGlyphLeft:
      glyphPos.setX(margin);
      textPos.setX(glyphPos.x() + glyph.width() + spacing);
      break;
    case TvlButtonLayout::blGlyphRight:
      glyphPos.setX(size.width() - margin - glyph.width());
      textPos.setX(glyphPos.x() - spacing - text.width());
      break;
    case TvlButtonLayout::blGlyphTop:
      glyphPos.setY(margin);
      textPos.setY(glyphPos.y() + glyph.height() + spacing);
      break;
    case TvlButtonLayout::blGlyphBottom:
      glyphPos.setY(size.height() - margin - glyph.height());
      textPos.setY(glyphPos.y() - spacing - text.height());
      break;
  }
  const QPoint origin = client.topLeft() + offset;
  return {glyphPos + origin, QRect(textPos + origin, text)};
}

}  // namespace

TvlSpeedButton::TvlSpeedButton(QWidget* parent) : QWidget(parent) {
  resize(22, 22);
  setMouseTracking(true);
}

TvlSpeedButton::~TvlSpeedButton() = default;

void TvlSpeedButton::SetAllowAllUp(bool value) { allowAllUp_ = value; }

void TvlSpeedButton::SetGroupIndex(int value) {
  groupIndex_ = value;
  if (groupIndex_ == 0 && down_) {
    down_ = false;
    state_ = bsUp;
    update();
  }
}

void TvlSpeedButton::SetDown(bool value) {
  if (groupIndex_ == 0) value = false;
  if (value == down_ || (down_ && !allowAllUp_)) return;
  down_ = value;
  if (isEnabled()) state_ = down_ ? bsExclusive : bsUp;
  update();
  if (!down_ || !parentWidget()) return;
  for (QObject* child : parentWidget()->children()) {
    auto* other = dynamic_cast<TvlSpeedButton*>(child);
    if (!other || other == this || other->groupIndex_ != groupIndex_) continue;
    if (other->down_) {
      other->down_ = false;
      if (other->isEnabled()) other->state_ = bsUp;
      other->update();
    }
    other->allowAllUp_ = allowAllUp_;
  }
}

void TvlSpeedButton::SetFlat(bool value) {
  flat_ = value;
  update();
}

void TvlSpeedButton::SetCaption(const QString& caption) {
  caption_ = caption;
  UpdateShortcut();
  update();
}

void TvlSpeedButton::SetGlyph(const QImage& glyph) {
  glyph_ = glyph;
  for (QImage& image : images_) image = QImage();
  update();
}

void TvlSpeedButton::SetNumGlyphs(int value) {
  numGlyphs_ = std::clamp(value, 1, 4);
  for (QImage& image : images_) image = QImage();
  update();
}

void TvlSpeedButton::SetGrayedInactive(bool value) {
  grayedInactive_ = value;
  update();
}

void TvlSpeedButton::SetLayout(TvlButtonLayout value) {
  layout_ = value;
  update();
}

void TvlSpeedButton::SetMargin(int value) {
  if (value < -1) return;
  margin_ = value;
  update();
}

void TvlSpeedButton::SetSpacing(int value) {
  spacing_ = value;
  update();
}

void TvlSpeedButton::SetAction(QAction* action) {
  if (action_) disconnect(action_, nullptr, this, nullptr);
  action_ = action;
  if (!action) return;
  connect(action, &QAction::changed, this, [this] { ActionChanged(); });
  ActionChanged();
}

void TvlSpeedButton::ActionChanged() {
  if (!action_) return;
  if (ShowActionCaption) SetCaption(action_->text());
  const QIcon icon = action_->icon();
  if (!icon.isNull()) {
    const QList<QSize> sizes = icon.availableSizes();
    SetGlyph(icon.pixmap(sizes.isEmpty() ? QSize(32, 32) : sizes.first()).toImage());
  }
  setEnabled(action_->isEnabled());
}

void TvlSpeedButton::Click() {
  if (OnClick) OnClick();
  else if (action_) action_->trigger();
}

int TvlSpeedButton::PaintState() const {
  if (grayedInactive_ && isEnabled() && flat_ && !mouseInControl_) return bsGrayed;
  if (!isEnabled()) return bsDisabled;
  if (state_ == bsDisabled) return (down_ && groupIndex_ != 0) ? bsExclusive : bsUp;
  return state_;
}

void TvlSpeedButton::SetMouseInControl(bool value) {
  if (mouseInControl_ == value) return;
  mouseInControl_ = value;
  update();
}

void TvlSpeedButton::UpdateShortcut() {
  if (shortcutId_) releaseShortcut(shortcutId_);
  shortcutId_ = 0;
  const QKeySequence mnemonic = QKeySequence::mnemonic(caption_);
  if (!mnemonic.isEmpty()) shortcutId_ = grabShortcut(mnemonic);
}

bool TvlSpeedButton::event(QEvent* event) {
  if (event->type() == QEvent::Shortcut && static_cast<QShortcutEvent*>(event)->shortcutId() == shortcutId_) {
    if (isEnabled() && isVisible()) Click();
    return true;
  }
  return QWidget::event(event);
}

void TvlSpeedButton::mousePressEvent(QMouseEvent* event) {
  if (OnMouseDown) OnMouseDown(event);
  if (event->button() != Qt::LeftButton || !isEnabled()) return;
  if (!down_) {
    state_ = bsDown;
    update();
  }
  dragging_ = true;
}

void TvlSpeedButton::mouseMoveEvent(QMouseEvent* event) {
  if (OnMouseMove) OnMouseMove(event);
  if (!dragging_) return;
  const bool inside = rect().contains(event->position().toPoint());
  const int state = down_ ? bsExclusive : (inside ? bsDown : bsUp);
  if (state != state_) {
    state_ = state;
    update();
  }
}

void TvlSpeedButton::mouseReleaseEvent(QMouseEvent* event) {
  if (OnMouseUp) OnMouseUp(event);
  if (!dragging_ || event->button() != Qt::LeftButton) return;
  dragging_ = false;
  const bool inside = rect().contains(event->position().toPoint());
  if (groupIndex_ == 0) {
    state_ = bsUp;
    mouseInControl_ = false;
  } else if (inside) {
    SetDown(!down_);
  } else {
    state_ = down_ ? bsExclusive : bsUp;
  }
  if (flat_) mouseInControl_ = isEnabled() && inside;
  update();
  if (inside) Click();
}

void TvlSpeedButton::mouseDoubleClickEvent(QMouseEvent* event) {
  mousePressEvent(event);
  if (down_ && OnDblClick) OnDblClick();
}

void TvlSpeedButton::enterEvent(QEnterEvent*) {
  if (!flat_ || !isEnabled()) return;
  if (OnMouseEnter) OnMouseEnter();
  SetMouseInControl(true);
}

void TvlSpeedButton::leaveEvent(QEvent*) {
  if (!flat_ || !isEnabled()) return;
  if (OnMouseLeave) OnMouseLeave();
  SetMouseInControl(false);
}

void TvlSpeedButton::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) {
    if (!isEnabled()) {
      state_ = bsDisabled;
      dragging_ = false;
      mouseInControl_ = false;
    } else if (state_ == bsDisabled) {
      state_ = (down_ && groupIndex_ != 0) ? bsExclusive : bsUp;
    }
    update();
  } else if (event->type() == QEvent::PaletteChange) {
    for (QImage& image : images_) image = QImage();
  }
  QWidget::changeEvent(event);
}

QImage TvlSpeedButton::StateImage(int state) const {
  QImage& image = images_[std::clamp(state, 0, 4)];
  if (image.isNull() && !glyph_.isNull()) {
    const TvlControlColors colors = TvlControlColors::Of(this);
    image = vlButtonImage(glyph_, numGlyphs_, state, {colors.Face, colors.Highlight, colors.Shadow});
  }
  return image;
}

void TvlSpeedButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const TvlControlColors colors = TvlControlColors::Of(this);
  const int state = PaintState();
  const bool pushed = state == bsDown || state == bsExclusive;
  QRect client = rect();
  QPoint offset;
  if (flat_) {
    p.fillRect(client, colors.Face);
    if (state == bsDown) offset = {1, 1};
  } else {
    const QBrush face(colors.Face);
    qDrawWinButton(&p, client, palette(), pushed, &face);
    client.adjust(2, 2, -2, -2);
    if (pushed) offset = {1, 1};
  }
  if (down_ && (!flat_ || !mouseInControl_)) p.fillRect(client, vlDitherBrush(colors.Face, colors.Highlight));

  const QImage image = StateImage(state);
  const QSize textSize = caption_.isEmpty() ? QSize() : fontMetrics().size(Qt::TextShowMnemonic, caption_);
  const TvlButtonGeometry g =
      CalcButtonLayout(client, offset, image.size(), textSize, layout_, margin_, spacing_);
  if (!image.isNull()) p.drawImage(g.GlyphPos, image);
  if (!caption_.isEmpty()) {
    const int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
    if (state == bsDisabled) {
      p.setPen(colors.Highlight);
      p.drawText(g.TextBounds.translated(1, 1), flags, caption_);
      p.setPen(colors.Shadow);
    } else {
      p.setPen(palette().color(QPalette::ButtonText));
    }
    p.drawText(g.TextBounds, flags, caption_);
  }
  if (flat_ && isEnabled() && (mouseInControl_ || down_)) {
    if (pushed) vlSunkenFrame(p, rect(), colors);
    else vlRaisedFrame(p, rect(), colors);
  }
}

}  // namespace vl
