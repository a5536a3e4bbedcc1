#pragma once
// The floating "DB fields" window: the dictionary's datasets above a
// splitter and the fields of the chosen one below, from which fields are
// dragged onto the design surface. At most one exists; it belongs to the
// designer window and stays above it. A double click on its caption
// collapses it to the caption or expands it again. Closing or hiding it
// destroys it (later, from the event loop).
//
// A drag carries the field reference (dataset, ".", the field in double
// quotes, both as listed) under kFieldMimeType; the surface takes it with
// vlDraggedFieldReference.

#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "controls/tool_caption.h"

class QDropEvent;
class QMimeData;

namespace vl {

class TvlChooserList;
class TvlDesignFields;
class TvlReport;

inline constexpr char kFieldMimeType[] = "application/x-vellora-field-reference";

class TvlInsFieldsForm : public QWidget {
 public:
  // Creates the window owned by owner and shows it, or expands the one that
  // exists; either way it gets the focus.
  static TvlInsFieldsForm* Open(QWidget* owner, TvlReport& report);
  // The window, or none.
  static TvlInsFieldsForm* Instance();
  // The dataset last chosen in the window (kept for the program run).
  static std::string& RememberedDataset();

  TvlInsFieldsForm(QWidget* owner, TvlReport& report);
  ~TvlInsFieldsForm() override;

  static constexpr int kBorder = kToolBorder, kCaptionHeight = kToolCaptionHeight, kSplitterHeight = 4;

  TvlChooserList* DatasetsLB;
  TvlChooserList* FieldsLB;
  QWidget* Splitter;
  // The field reference of the field dragged (or selected when hidden).
  std::string FieldReference;
  // Height the window takes when expanded.
  int ExpandedHeight = 300;
  // Called after each collapse or expand (the designer places the window
  // beside the object inspector).
  std::function<void()> OnCollapse;

  // Fills the lists again from the report's dictionary, keeping the dataset.
  void Refresh();
  void DatasetChosen();
  void Expand();
  // The caption's double click: collapse when expanded, expand when collapsed.
  void ToggleCollapsed();
  bool Collapsed() const;
  // Computes FieldReference from the selection.
  std::string ComputeReference();
  // Mime data of a drag of the selected field.
  QMimeData* FieldMimeData();
  QRect CaptionRect() const;
  QRect CloseButtonRect() const;
  // The list area's height (the datasets list and splitter above the fields).
  int ClientHeight() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void LayoutLists();
  void SetListsShown(bool shown);

  TvlReport& report_;
  std::unique_ptr<TvlDesignFields> fields_;
  int datasetsHeight_ = 120;
  QPoint dragStart_;
  bool movingWindow_ = false;
  int splitterGrab_ = -1;  // pointer y where a splitter drag began; -1 none
};

// Whether a drop carries a field from the DB fields window, and its reference.
bool vlDraggedFieldReference(const QMimeData* data, std::string& reference);

}  // namespace vl
