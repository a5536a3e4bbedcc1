#pragma once
// The caption that the designer's small tool windows (the object inspector,
// the DB fields window) draw themselves: a highlighted bar with the window's
// title in bold and a raised close box at its right end.

#include <QRect>

class QPainter;
class QWidget;

namespace vl {

inline constexpr int kToolBorder = 2, kToolCaptionHeight = 15;

QRect vlToolCaptionRect(const QWidget& window);
QRect vlToolCloseBoxRect(const QWidget& window);
void vlPaintToolCaption(QPainter& painter, const QWidget& window);

}  // namespace vl
