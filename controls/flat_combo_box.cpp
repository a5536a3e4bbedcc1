#include "controls/flat_combo_box.h"

#include <QAbstractItemView>
#include <QFrame>
#include <QLayout>
#include <QLineEdit>
#include <QPainter>
#include <QProxyStyle>
#include <QScreen>
#include <QStyleOptionComboBox>
#include <algorithm>

#include "controls/edges.h"
#include "engine/core/units.h"

namespace vl {
namespace {

// Tells the combo box machinery where the flat box's edit part and button
// are, and that its list drops down below it rather than over it.
class TvlFlatComboStyle : public QProxyStyle {
 public:
  explicit TvlFlatComboStyle(TvlCustomComboBox* box) : box_(box) {}

  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                       const QWidget* widget) const override {
    if (control == CC_ComboBox && widget == box_) {
      if (part == SC_ComboBoxEditField) return box_->EditRect();
      if (part == SC_ComboBoxArrow) return box_->ButtonRect();
      if (part == SC_ComboBoxFrame) return box_->rect();
    }
    return QProxyStyle::subControlRect(control, option, part, widget);
  }

  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* data) const override {
    if (hint == SH_ComboBox_Popup && widget == box_) return 0;
    return QProxyStyle::styleHint(hint, option, widget, data);
  }

 private:
  TvlCustomComboBox* box_;
};

// The drop button's arrow: black lines of 5, 3 and 1 pixels.
void PaintArrow(QPainter& p, int x, int y) {
  p.fillRect(QRect(x, y, 5, 1), Qt::black);
  p.fillRect(QRect(x + 1, y + 1, 3, 1), Qt::black);
  p.fillRect(QRect(x + 2, y + 2, 1, 1), Qt::black);
}

}  // namespace

TvlComboRowDelegate::TvlComboRowDelegate(TvlCustomComboBox* box) : QStyledItemDelegate(box), box_(box) {}

QSize TvlComboRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  return {QStyledItemDelegate::sizeHint(option, index).width(), box_->ItemHeight()};
}

void TvlComboRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
  const bool selected = option.state & QStyle::State_Selected;
  const QPalette& pal = box_->palette();
  painter->fillRect(option.rect, pal.color(selected ? QPalette::Highlight : QPalette::Base));
  painter->setPen(pal.color(selected ? QPalette::HighlightedText : QPalette::Text));
  painter->setFont(box_->font());
  PaintItem(*painter, option.rect, index, selected);
}

void TvlComboRowDelegate::PaintItem(QPainter& painter, const QRect& rect, const QModelIndex& index, bool) const {
  painter.drawText(rect.adjusted(2, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                   index.data(Qt::DisplayRole).toString());
}

TvlCustomComboBox::TvlCustomComboBox(QWidget* parent) : QComboBox(parent) {
  auto* style = new TvlFlatComboStyle(this);
  style->setParent(this);
  setStyle(style);
  setItemDelegate(new TvlComboRowDelegate(this));
  setMaxVisibleItems(8);
  resize(100, fontMetrics().height() + 8);
}

TvlCustomComboBox::~TvlCustomComboBox() = default;

void TvlCustomComboBox::SetEditOffset(int offset) {
  editOffset_ = std::max(0, offset);
  if (lineEdit()) lineEdit()->setGeometry(EditRect());
  update();
}

int TvlCustomComboBox::ItemHeight() const { return fontMetrics().height(); }

bool TvlCustomComboBox::DroppedDown() const { return view() && view()->isVisible(); }

bool TvlCustomComboBox::Hot() const { return DroppedDown() || hasFocus() || mouseInControl_; }

QRect TvlCustomComboBox::EditRect() const {
  return QRect(editOffset_ + 3, 3, std::max(0, width() - kButtonWidth - editOffset_ - 7),
               std::max(0, height() - 6));
}

QRect TvlCustomComboBox::ButtonRect() const {
  return QRect(width() - kButtonWidth - 2, 2, kButtonWidth, std::max(0, height() - 4));
}

QSize TvlCustomComboBox::sizeHint() const { return {100, fontMetrics().height() + 8}; }
QSize TvlCustomComboBox::minimumSizeHint() const { return {kButtonWidth + 8, fontMetrics().height() + 8}; }

void TvlCustomComboBox::showPopup() {
  QComboBox::showPopup();
  QWidget* popup = view()->window();
  if (popup == window()) return;
  // A raised edge round rows of the item height.
  if (auto* frame = qobject_cast<QFrame*>(popup)) {
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    frame->setLineWidth(2);
    if (frame->layout()) frame->layout()->setContentsMargins(0, 0, 0, 0);
  }
  view()->setFrameShape(QFrame::NoFrame);
  const int rows = std::min(maxVisibleItems(), count());
  const int h = ItemHeight() * std::max(rows, 1) + 4;
  const QRect screenArea = screen() ? screen()->geometry() : QRect(0, 0, 4096, 4096);
  const QPoint below = mapToGlobal(QPoint(0, height()));
  dropsUpward_ = below.y() + h > screenArea.top() + screenArea.height();
  const QPoint at = dropsUpward_ ? mapToGlobal(QPoint(0, -h)) : below;
  popup->setGeometry(at.x(), at.y(), width(), h);
  update();
}

void TvlCustomComboBox::hidePopup() {
  QComboBox::hidePopup();
  update();
}

void TvlCustomComboBox::enterEvent(QEnterEvent* event) {
  mouseInControl_ = true;
  if (!hasFocus() && !DroppedDown()) update();
  QComboBox::enterEvent(event);
}

void TvlCustomComboBox::leaveEvent(QEvent* event) {
  mouseInControl_ = false;
  if (!hasFocus() && !DroppedDown()) update();
  QComboBox::leaveEvent(event);
}

void TvlCustomComboBox::focusInEvent(QFocusEvent* event) {
  QComboBox::focusInEvent(event);
  update();
}

void TvlCustomComboBox::focusOutEvent(QFocusEvent* event) {
  QComboBox::focusOutEvent(event);
  update();
}

void TvlCustomComboBox::PaintEditOffset(QPainter&, const QRect&) {}

void TvlCustomComboBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const TvlControlColors colors = TvlControlColors::Of(this);
  const int w = width(), h = height();
  const QRect button = ButtonRect();
  const int arrowX = w - kButtonWidth - 4 + vlRound(kButtonWidth / 2.0);
  const int arrowY = vlRound((h - 4) / 2.0) + 1;
  if (!isEnabled()) {
    p.fillRect(rect(), colors.Face);
    p.setPen(colors.Window);
    p.drawRect(QRect(2, 2, w - 5, h - 5));
    PaintArrow(p, arrowX, arrowY);
    return;
  }
  const bool hot = Hot(), dropped = DroppedDown();
  p.fillRect(rect(), colors.Face);
  if (hot) vlSunkenFrame(p, rect(), colors);
  // The window-coloured ring and ground, up to the drop button.
  p.fillRect(QRect(2, 2, std::max(0, button.left() - 2), h - 4), colors.Window);
  if (editOffset_ > 0) {
    const QRect area(3, 3, editOffset_, h - 6);
    p.fillRect(area, colors.Window);
    PaintEditOffset(p, area);
  }
  p.fillRect(button, colors.Face);
  if (dropped) vlSunkenFrame(p, button, colors);
  else if (hot) vlRaisedFrame(p, button, colors);
  else vlFrame3D(p, button, colors.Window, colors.Window);
  PaintArrow(p, arrowX + (dropped ? 1 : 0), arrowY + (dropped ? 1 : 0));

  if (!isEditable()) {
    // The chosen item's text, highlighted while the box has the focus.
    const QRect edit = EditRect();
    const bool selected = hasFocus() && !dropped;
    if (selected) p.fillRect(edit, palette().color(QPalette::Highlight));
    p.setPen(palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
    p.drawText(edit.adjusted(1, 0, -1, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, currentText());
  }
}

TvlComboBox::TvlComboBox(QWidget* parent) : TvlCustomComboBox(parent) {
  setEditable(true);
  connect(this, &QComboBox::activated, this, [this](int) {
    if (OnClick) OnClick();
  });
}

void TvlComboBox::SetStyle(TvlComboStyle style) {
  setEditable(style == TvlComboStyle::csDropDown);
  if (lineEdit()) lineEdit()->setReadOnly(readOnly_);
}

void TvlComboBox::SetReadOnly(bool value) {
  readOnly_ = value;
  if (lineEdit()) lineEdit()->setReadOnly(value);
}

}  // namespace vl
