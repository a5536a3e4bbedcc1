#pragma once
// A dock: a strip along one edge of a window that holds toolbars in rows
// (top and bottom docks) or columns (left and right docks) of RowSize
// pixels, and grows and shrinks with the rows in use.

#include <QWidget>
#include <vector>

#include "controls/control_align.h"

namespace vl {

class TvlToolBar;

class TvlDock : public QWidget {
 public:
  // edge: Top, Bottom, Left or Right; the dock aligns itself to it.
  TvlDock(QWidget* parent, TvlAlign edge, const QString& name);

  TvlAlign Edge() const { return edge_; }
  // Top and bottom docks are horizontal, left and right docks vertical.
  bool IsHorizontal() const { return edge_ == TvlAlign::Top || edge_ == TvlAlign::Bottom; }
  // Height of a horizontal dock, width of a vertical one.
  int Depth() const { return IsHorizontal() ? height() : width(); }
  // Thickness of one row (column).
  int RowSize = 26;

  // The toolbars in child order.
  std::vector<TvlToolBar*> ToolBars() const;
  // Removes empty rows (the toolbars beyond move toward the window's edge)
  // and fits the depth to the rows in use; an empty dock is 1 pixel deep.
  void AdjustBounds();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void SetDepth(int depth);

  TvlAlign edge_;
};

// The docks among a window's widgets, in child order (our classes carry no
// meta-object, so Qt's typed child lookups cannot tell them apart).
std::vector<TvlDock*> vlDocksOf(const QWidget* container);
// The dock of that name in the window, or none.
TvlDock* vlFindDock(const QWidget* container, const QString& name);

}  // namespace vl
