#pragma once
// The flat combo box of the designer's toolbars: a plain face that shows a
// sunken edge and a raised drop button only while it is hot (dropped down,
// focused or under the mouse), and a dropped list of whole rows that opens
// upward when it would pass the bottom of the screen.

#include <QComboBox>
#include <QStyledItemDelegate>
#include <functional>

namespace vl {

class TvlCustomComboBox : public QComboBox {
 public:
  explicit TvlCustomComboBox(QWidget* parent = nullptr);
  ~TvlCustomComboBox() override;

  static constexpr int kButtonWidth = 11;

  // Room left of the text (the font box's icon).
  int EditOffset() const { return editOffset_; }
  void SetEditOffset(int offset);
  // Rows of the dropped list.
  int DropDownCount() const { return maxVisibleItems(); }
  void SetDropDownCount(int rows) { setMaxVisibleItems(rows); }
  // Height of one row of the list: the text height of the box's font.
  virtual int ItemHeight() const;
  bool MouseInControl() const { return mouseInControl_; }
  bool DroppedDown() const;
  bool DropsUpward() const { return dropsUpward_; }
  // Dropped down, focused or under the mouse.
  bool Hot() const;

  // Where the parts are (client coordinates).
  QRect EditRect() const;
  QRect ButtonRect() const;

  void showPopup() override;
  void hidePopup() override;
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  // Draws what sits in the edit offset area (nothing here).
  virtual void PaintEditOffset(QPainter& painter, const QRect& area);

 private:
  int editOffset_ = 0;
  bool mouseInControl_ = false;
  bool dropsUpward_ = false;
};

// Rows of a flat box's list, the box's item height high, the selected one
// highlighted; PaintItem draws a row's content.
class TvlComboRowDelegate : public QStyledItemDelegate {
 public:
  explicit TvlComboRowDelegate(TvlCustomComboBox* box);
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 protected:
  // The row's text, with pen and font set.
  virtual void PaintItem(QPainter& painter, const QRect& rect, const QModelIndex& index, bool selected) const;
  TvlCustomComboBox* Box() const { return box_; }

 private:
  TvlCustomComboBox* box_;
};

enum class TvlComboStyle { csDropDown, csDropDownList };

// The flat combo box with the usual settings and a read-only edit part.
class TvlComboBox : public TvlCustomComboBox {
 public:
  explicit TvlComboBox(QWidget* parent = nullptr);

  TvlComboStyle Style() const { return isEditable() ? TvlComboStyle::csDropDown : TvlComboStyle::csDropDownList; }
  void SetStyle(TvlComboStyle style);
  // The edit part accepts no typing.
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);

  // Raised when the user picks an item.
  std::function<void()> OnClick;

 private:
  bool readOnly_ = false;
};

}  // namespace vl
