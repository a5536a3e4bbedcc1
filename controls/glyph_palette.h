#pragma once
// The colours and the sheet of paper that the toolbar pictures drawn in code
// share, so that the preview's and the designer's buttons match.

#include <QColor>
#include <QPainter>

namespace vl::glyph {

inline const QColor kInk(0, 0, 0);
inline const QColor kPaper(255, 255, 255);
inline const QColor kBlue(30, 70, 170);
inline const QColor kGrey(128, 128, 128);
inline const QColor kRed(200, 30, 30);
inline const QColor kGreen(40, 140, 60);
inline const QColor kYellow(250, 230, 120);
inline const QColor kFolder(230, 190, 60);

// A white sheet with a black edge, from (left, top) to (right, bottom).
inline void Sheet(QPainter& p, int left, int top, int right, int bottom) {
  p.setPen(kInk);
  p.setBrush(kPaper);
  p.drawRect(left, top, right - left, bottom - top);
}

}  // namespace vl::glyph
