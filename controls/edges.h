#pragma once
// The three-dimensional look the controls share: the system colours they
// paint in and the one-pixel frames, edges and dither they are drawn with.

#include <QBrush>
#include <QColor>
#include <QRect>

class QPainter;
class QWidget;

namespace vl {

// The system colours of a widget's palette: button face, button highlight,
// button shadow, window and window text.
struct TvlControlColors {
  QColor Face, Highlight, Shadow, Window, WindowText;
  static TvlControlColors Of(const QWidget* widget);
};

// A one-pixel frame: top and left edge in topLeft, bottom and right edge in
// bottomRight (the bottom-left corner in topLeft, the top-right corner in
// bottomRight).
void vlFrame3D(QPainter& painter, const QRect& rect, const QColor& topLeft, const QColor& bottomRight);
// One-pixel raised (highlight top/left, shadow bottom/right) and sunken frames.
void vlRaisedFrame(QPainter& painter, const QRect& rect, const TvlControlColors& colors);
void vlSunkenFrame(QPainter& painter, const QRect& rect, const TvlControlColors& colors);
// The 8 x 8 pattern of alternating pixels of two colours (a latched button's face).
QBrush vlDitherBrush(const QColor& first, const QColor& second);

}  // namespace vl
