#pragma once
// A rectangle shape: a one-pixel black outline filled with a brush colour.
// The launcher uses its fill as the hover indicator around the artwork.

#include <QWidget>
#include <functional>

#include "platform/graphics_types.h"

namespace vl {

class TShape : public QWidget {
 public:
  explicit TShape(QWidget* parent);

  TvlColor BrushColor() const { return FBrushColor; }
  // Repaints only when the colour really changes, so mouse moves stay cheap.
  void SetBrushColor(TvlColor color);

  std::function<void(Qt::MouseButton)> OnMouseDown;
  std::function<void()> OnMouseMove;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  TvlColor FBrushColor = clWhite;
};

// The Qt colour of an RGB colour value (0x00BBGGRR).
QColor vlColorToQt(TvlColor color);

}  // namespace vl
