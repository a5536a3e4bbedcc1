#pragma once
// The object inspector window: a small tool window that edits a list of
// property rows. It knows nothing of reports; the designer fills the rows
// from the selection (designer/object_inspector.h) and applies each
// committed row back to the objects through OnModify.
//
// Rows are painted name column | value column; the current row carries the
// value box (Edit1), a "..." button for rows with an editor and a drop-down
// arrow for booleans, colours and enumerations. The window draws its own
// caption: a double click on it collapses the window to the caption or
// restores its height.

#include <QComboBox>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "controls/tool_caption.h"
#include "engine/core/value.h"

class QLineEdit;
class QScrollArea;

namespace vl {

class TvlObject;
class TvlPopupListBox;
class TvlSpeedButton;

// One property row.
struct TProp {
  std::uint16_t Kind = 0;  // the property kind bits (ptString ... ptOneObject)
  std::string Text;        // the value as shown and edited
  std::function<void()> Editor;        // opens the property's editor; none for plain rows
  std::vector<std::string> EnumNames;  // the names of an enumeration
  TvlValue EnumValues = TvlValue::Null();  // an array going with EnumNames, or null

  bool HasEnumValues() const { return EnumValues.IsArray() && !EnumValues.Items().empty(); }
  // Boolean, colour and enumeration rows have a drop-down.
  bool HasDropDown() const;
  // Rows with an editor but no text show "(Name)" and are read-only.
  bool ReadOnly() const;
};

// The row texts: a value's display text by kind, and the typed value of a
// text (raises TvlError for a text that does not convert).
std::string vlInspectorDisplayText(const std::string& value, const TProp& row);
TvlValue vlInspectorTypedValue(const std::string& text, const TProp& row);
// A number as the inspector shows floats: 4 significant digits, 2 decimals.
std::string vlInspectorFloatText(double value);

// The name box: a sorted drop-down of object names whose closed face shows
// "name: ClassName". Opening it asks the owner for the names.
class TvlInspNameBox : public QComboBox {
 public:
  explicit TvlInspNameBox(QWidget* parent);
  QString FaceText;
  std::function<void()> BeforePopup;
  void showPopup() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

class TvlInspForm : public QWidget {
 public:
  explicit TvlInspForm(QWidget* owner);
  ~TvlInspForm() override;

  static constexpr int kBorder = kToolBorder, kCaptionHeight = kToolCaptionHeight, kButtonWidth = 15;

  // ---- Rows ----
  void ClearRows();
  void AddRow(const std::string& name, const std::string& value, std::function<void()> editor,
              const TvlValue& enumValues, const std::vector<std::string>& enumNames, std::uint16_t kinds);
  TvlValue GetRowValue(int index) const;
  int RowCount() const { return static_cast<int>(rows_.size()); }
  const std::string& RowName(int index) const { return names_.at(static_cast<std::size_t>(index)); }
  const TProp& Row(int index) const { return *rows_.at(static_cast<std::size_t>(index)); }
  int RowIndexOf(const std::string& name) const;
  // Recomputes the list's height, makes the row of the last chosen property
  // (or row 0) current and updates the name box.
  void Refresh();
  // Shows the window, restoring its height when it was collapsed.
  void ShowInspector();

  // ---- The current row ----
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  // Stores the value box's text in the current row and reports it.
  void Commit();
  // The double action on the current row (editor, colour dialog, toggle, next name).
  void DoubleAction();
  void ToggleDropDown();
  // Value column geometry (paint box coordinates).
  QRect RowRect(int index) const;
  int RowHeight() const { return rowHeight_; }

  // ---- State set by the designer ----
  TvlObject* CurrentObject = nullptr;  // the single selected object, the page, or none
  std::string ObjectName;              // shown in the name box
  std::string ClassName;               // of the current object
  bool HideProperties = false;         // during preview: nothing drawn or edited
  bool LocalizedNames = false;         // paint names by their aliases (strings 58001 on)
  // A property's alias ("Name=Alias" entries from string 58001 until the
  // first missing number), or the name itself.
  std::string ShownName(const std::string& name) const;
  int SplitPos() const { return splitPos_; }
  void SetSplitPos(int value);  // at least 6
  bool Collapsed() const;
  void ToggleCollapsed();
  int ExpandedHeight = 300;

  // ---- Hooks ----
  std::function<void(int row)> OnModify;
  std::function<void(std::vector<std::string>& names)> OnGetObjectNames;
  std::function<void(const std::string& name)> OnSelectObject;
  std::function<void()> OnCollapse;
  // The platform colour dialog; tests put their own answer here.
  static std::function<bool(QWidget* owner, std::uint32_t& colour)>& ChooseColour();

  // ---- Controls ----
  TvlInspNameBox* CB1 = nullptr;
  QScrollArea* Box = nullptr;
  QWidget* PaintBox1 = nullptr;
  QLineEdit* Edit1 = nullptr;
  TvlSpeedButton* EditBtn = nullptr;
  TvlSpeedButton* ComboBtn = nullptr;
  TvlPopupListBox* PopupList() const { return popup_; }

  QRect CaptionRect() const;
  QRect CloseButtonRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void LayoutControls();
  void PlaceValueBox();
  void PaintRows(QPainter& painter);
  void RowPress(QPoint pos);
  bool EditKey(int key);
  void CommitPlainOnFocusLoss();
  void RunEditor();

  std::vector<std::string> names_;
  std::vector<std::pair<std::string, std::string>> aliases_;
  std::vector<std::unique_ptr<TProp>> rows_;
  int itemIndex_ = -1;
  int rowHeight_ = 16;
  int splitPos_ = 75;
  std::string lastProperty_;
  std::string shownObject_;  // the object the name box items were built for
  std::int64_t selectedAt_ = 0;  // when the current row was chosen (ms)
  bool splitting_ = false;
  bool movingWindow_ = false;
  bool committing_ = false;
  QPoint dragStart_;
  TvlPopupListBox* popup_ = nullptr;
};

}  // namespace vl
