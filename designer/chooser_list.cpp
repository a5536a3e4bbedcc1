#include "designer/chooser_list.h"

#include <QPainter>
#include <QStyledItemDelegate>

#include "platform/qt/qt_text.h"

namespace vl {
namespace {

class TvlChooserRowDelegate : public QStyledItemDelegate {
 public:
  TvlChooserRowDelegate(TvlChooserList* list) : QStyledItemDelegate(list), list_(list) {}

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return QSize(QStyledItemDelegate::sizeHint(option, index).width() + 20, TvlChooserList::kRowHeight);
  }

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const QRect r = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& pal = option.palette;
    painter->fillRect(r, selected ? pal.brush(QPalette::Highlight) : pal.brush(QPalette::Base));
    if (!index.data(TvlChooserList::NoIconRole).toBool())
      painter->drawImage(r.left() + 2, r.top(), vlDictIconImage(list_->Icon()));
    painter->setPen(selected ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text));
    const QRect text(r.left() + 20, r.top() + 1, r.width() - 20, r.height() - 1);
    painter->drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, index.data().toString());
  }

 private:
  TvlChooserList* list_;
};

}  // namespace

TvlChooserList::TvlChooserList(TvlDictIcon icon, QWidget* parent) : QListWidget(parent), icon_(icon) {
  setItemDelegate(new TvlChooserRowDelegate(this));
  setUniformItemSizes(true);
}

void TvlChooserList::SetItems(const std::vector<std::string>& texts) {
  clear();
  for (const std::string& t : texts) addItem(vlToQt(t));
}

std::vector<std::string> TvlChooserList::Items() const {
  std::vector<std::string> out;
  out.reserve(count());
  for (int k = 0; k < count(); ++k) out.push_back(vlFromQt(item(k)->text()));
  return out;
}

std::string TvlChooserList::CurrentText() const {
  const QListWidgetItem* it = currentItem();
  return it && it->isSelected() ? vlFromQt(it->text()) : std::string();
}

bool TvlChooserList::SelectText(const std::string& text) {
  const QString q = vlToQt(text);
  for (int k = 0; k < count(); ++k) {
    if (item(k)->text() == q) {
      SelectRow(k);
      return true;
    }
  }
  return false;
}

void TvlChooserList::SelectRow(int row) {
  if (row < 0 || row >= count()) {
    clearSelection();
    setCurrentRow(-1);
    return;
  }
  setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
  scrollToItem(item(row));
}

}  // namespace vl
