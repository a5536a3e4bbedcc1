#pragma once
// What a toolbar holds: its grip, flat buttons, separators and panels for
// other controls. Buttons, separators and panels put into a toolbar align
// themselves to its flow and go after the controls already there.

#include <QWidget>

#include "controls/speed_button.h"

namespace vl {

class TvlToolBar;

// The grip: two grooves across the flow; dragging it moves the toolbar.
class TvlDragBox : public QWidget {
 public:
  explicit TvlDragBox(TvlToolBar* toolbar);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  TvlToolBar* toolbar_;
};

class TvlTBButton : public TvlSpeedButton {
 public:
  explicit TvlTBButton(TvlToolBar* toolbar);
};

// An 8 x 8 gap, with a groove across the flow unless DrawBevel is off.
class TvlTBSeparator : public QWidget {
 public:
  explicit TvlTBSeparator(TvlToolBar* toolbar);
  bool DrawBevel() const { return drawBevel_; }
  void SetDrawBevel(bool value);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool drawBevel_ = true;
};

// An 8 x 8 panel in the button-face colour that holds other controls (the
// designer's font name and size boxes).
class TvlTBPanel : public QWidget {
 public:
  explicit TvlTBPanel(TvlToolBar* toolbar);
};

}  // namespace vl
