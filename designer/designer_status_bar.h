#pragma once
// The designer's status bar: the unit name (a double click cycles the
// units), the position and size of the selection or the pointer, and the
// selected object's name with its type or first text line.

#include <QWidget>
#include <functional>

namespace vl {

class TvlDesignerStatusBar : public QWidget {
 public:
  explicit TvlDesignerStatusBar(QWidget* parent);
  static constexpr int kUnitsWidth = 75, kPositionWidth = 230;

  QString Units, Position, Size, Percent, Name;
  bool SecondIcon = false;  // something is selected or an insertion tool is active
  std::function<void()> OnUnitsDoubleClick;
  void Changed() { update(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
};

}  // namespace vl
