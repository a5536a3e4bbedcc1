#include "controls/popup_list_box.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <algorithm>

namespace vl {
namespace {

class TvlRowHeightDelegate : public QStyledItemDelegate {
 public:
  explicit TvlRowHeightDelegate(const TvlPopupListBox& popup) : QStyledItemDelegate(popup.ListBox()), popup_(popup) {}
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), popup_.ItemHeight()};
  }

 private:
  const TvlPopupListBox& popup_;
};

}  // namespace

TvlPopupListBox::TvlPopupListBox(QWidget* owner)
    : QWidget(owner, Qt::Popup | Qt::FramelessWindowHint), list_(new QListWidget(this)) {
  list_->setFrameShape(QFrame::NoFrame);
  list_->setUniformItemSizes(true);
  list_->setItemDelegate(new TvlRowHeightDelegate(*this));
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->viewport()->installEventFilter(this);
  list_->installEventFilter(this);
  setFocusProxy(list_);
  resize(100, ItemHeight());
}

int TvlPopupListBox::ItemHeight() const { return std::max(kMinItemHeight, QFontMetrics(list_->font()).height() + 2); }

void TvlPopupListBox::SetItems(const QStringList& items) {
  list_->clear();
  list_->addItems(items);
}

int TvlPopupListBox::ItemIndex() const { return list_->currentRow(); }

void TvlPopupListBox::SetItemIndex(int index) {
  list_->setCurrentRow(index);
  if (QListWidgetItem* item = list_->item(index)) list_->scrollToItem(item);
}

QString TvlPopupListBox::ItemText(int index) const {
  const QListWidgetItem* item = list_->item(index);
  return item ? item->text() : QString();
}

void TvlPopupListBox::Popup(QPoint screen, int width, int rows) {
  setGeometry(screen.x(), screen.y(), width, std::max(rows, 1) * ItemHeight());
  show();
  // From the top, as far down as the current row needs.
  list_->scrollToTop();
  if (QListWidgetItem* current = list_->currentItem()) list_->scrollToItem(current);
  list_->setFocus();
}

void TvlPopupListBox::resizeEvent(QResizeEvent*) {
  // Whole rows only.
  const int row = ItemHeight();
  const int h = std::max(row, height() / row * row);
  if (h != height()) resize(width(), h);
  list_->setGeometry(0, 0, width(), h);
}

void TvlPopupListBox::PickRow(int index) {
  if (index < 0 || index >= list_->count()) return;
  list_->setCurrentRow(index);
  hide();
  if (OnPick) OnPick(index);
}

bool TvlPopupListBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      PickRow(list_->currentRow());
      return true;
    }
    if (key == Qt::Key_Escape) {
      hide();
      return true;
    }
  }
  if (watched == list_->viewport() && event->type() == QEvent::MouseButtonRelease) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton) {
      const QModelIndex index = list_->indexAt(mouse->position().toPoint());
      if (index.isValid()) {
        PickRow(index.row());
        return true;
      }
    }
  }
  return false;
}

}  // namespace vl
