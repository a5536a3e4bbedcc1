#pragma once
// A borderless popup holding a flat list of whole rows, each as high as a
// line of its font (never below 11 pixels): the inspector's drop-down choices. The owner fills, places and shows it; a
// click on a row or Enter picks the row, Escape or a click elsewhere closes
// it without a pick.

#include <QStringList>
#include <QWidget>
#include <functional>

class QListWidget;

namespace vl {

class TvlPopupListBox : public QWidget {
 public:
  explicit TvlPopupListBox(QWidget* owner = nullptr);

  static constexpr int kMinItemHeight = 11;
  // A row: a line of the list's font and a pixel above and below.
  int ItemHeight() const;

  QListWidget* ListBox() const { return list_; }
  void SetItems(const QStringList& items);
  int ItemIndex() const;
  void SetItemIndex(int index);
  QString ItemText(int index) const;
  // Places the popup with its top-left at a screen point, as wide as given
  // and as high as the rows (the height snaps to whole rows), and shows it.
  void Popup(QPoint screen, int width, int rows);

  // A row was picked; the popup has closed.
  std::function<void(int index)> OnPick;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void PickRow(int index);

  QListWidget* list_;
};

}  // namespace vl
