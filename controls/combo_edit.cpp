#include "controls/combo_edit.h"

#include <QLineEdit>
#include <QPainter>
#include <qdrawutil.h>

#include "controls/speed_button.h"

namespace vl {

TvlComboEdit::TvlComboEdit(QWidget* parent)
    : QWidget(parent), edit_(new QLineEdit(this)), panel_(new QWidget(this)), button_(new TvlSpeedButton(panel_)) {
  edit_->setFrame(false);
  panel_->setBackgroundRole(QPalette::Button);
  panel_->setAutoFillBackground(true);
  button_->OnClick = [this] {
    edit_->setFocus();
    if (OnButtonClick) OnButtonClick();
  };
  setFocusProxy(edit_);
  resize(121, 21);
}

QString TvlComboEdit::Text() const { return edit_->text(); }
void TvlComboEdit::SetText(const QString& text) { edit_->setText(text); }

QImage TvlComboEdit::Glyph() const { return button_->Glyph(); }
void TvlComboEdit::SetGlyph(const QImage& glyph) { button_->SetGlyph(glyph); }

// The button follows the box too: a disabled box disables it.
void TvlComboEdit::SetButtonEnabled(bool value) {
  buttonEnabled_ = value;
  button_->setEnabled(value);
}

QString TvlComboEdit::ButtonHint() const { return button_->toolTip(); }
void TvlComboEdit::SetButtonHint(const QString& hint) { button_->setToolTip(hint); }

void TvlComboEdit::resizeEvent(QResizeEvent*) {
  const int h = height(), side = std::max(0, h - 4);
  edit_->setGeometry(2, 2, std::max(0, width() - h - 4), side);
  panel_->setGeometry(width() - 2 - side, 2, side, side);
  button_->setGeometry(0, 0, side, side);
}

void TvlComboEdit::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QBrush ground = palette().brush(isEnabled() ? QPalette::Base : QPalette::Button);
  qDrawWinPanel(&p, rect(), palette(), true, &ground);
}

}  // namespace vl
