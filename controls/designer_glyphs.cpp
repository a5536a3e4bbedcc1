#include "controls/designer_glyphs.h"

#include "controls/glyph_palette.h"
#include "controls/preview_glyphs.h"

#include <QPainter>
#include <QPolygon>
#include <map>

namespace vl {

namespace {

using namespace glyph;

void Arrow(QPainter& p, bool back) {
  p.setPen(QPen(kBlue, 2));
  p.setBrush(Qt::NoBrush);
  if (back) {
    p.drawArc(3, 4, 10, 9, 90 * 16, -200 * 16);
    p.setBrush(kBlue);
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygon({QPoint(1, 5), QPoint(7, 1), QPoint(7, 9)}));
  } else {
    p.drawArc(3, 4, 10, 9, 90 * 16, 200 * 16);
    p.setBrush(kBlue);
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygon({QPoint(15, 5), QPoint(9, 1), QPoint(9, 9)}));
  }
}

void Dots(QPainter& p, int step) {
  p.setPen(kInk);
  for (int x = 1; x < 15; x += step)
    for (int y = 1; y < 15; y += step) p.drawPoint(x, y);
}

QImage Make(TvlDesignerGlyph g) {
  // Opening and saving look as they do in the preview's toolbar.
  if (g == TvlDesignerGlyph::Open) return vlPreviewGlyph(TvlPreviewGlyph::Open);
  if (g == TvlDesignerGlyph::Save) return vlPreviewGlyph(TvlPreviewGlyph::Save);
  if (g == TvlDesignerGlyph::Help) return vlPreviewGlyph(TvlPreviewGlyph::Help);
  QImage image(16, 16, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  switch (g) {
    case TvlDesignerGlyph::Open:
    case TvlDesignerGlyph::Save:
    case TvlDesignerGlyph::Help:
      break;  // the preview's pictures, taken above
    case TvlDesignerGlyph::New:
      Sheet(p, 3, 1, 12, 14);
      p.drawLine(5, 4, 10, 4);
      p.drawLine(5, 7, 10, 7);
      break;
    case TvlDesignerGlyph::Preview:
      Sheet(p, 2, 1, 11, 14);
      p.setPen(QPen(kInk, 2));
      p.setBrush(QColor(200, 230, 255));
      p.drawEllipse(6, 5, 6, 6);
      p.drawLine(11, 11, 14, 14);
      break;
    case TvlDesignerGlyph::Cut:
      p.setPen(kInk);
      p.drawLine(4, 1, 10, 10);
      p.drawLine(11, 1, 5, 10);
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(kRed, 1.5));
      p.drawEllipse(1, 10, 4, 4);
      p.drawEllipse(10, 10, 4, 4);
      break;
    case TvlDesignerGlyph::Copy:
      Sheet(p, 1, 1, 9, 11);
      Sheet(p, 6, 4, 14, 14);
      break;
    case TvlDesignerGlyph::Paste:
      p.setPen(kInk);
      p.setBrush(QColor(170, 120, 60));
      p.drawRect(1, 2, 10, 12);
      p.setBrush(kGrey);
      p.drawRect(4, 1, 4, 2);
      Sheet(p, 6, 6, 14, 15);
      break;
    case TvlDesignerGlyph::Undo: Arrow(p, true); break;
    case TvlDesignerGlyph::Redo: Arrow(p, false); break;
    case TvlDesignerGlyph::BringToFront:
      p.setPen(kInk);
      p.setBrush(kGrey);
      p.drawRect(6, 6, 8, 8);
      p.setBrush(kBlue);
      p.drawRect(1, 1, 8, 8);
      break;
    case TvlDesignerGlyph::SendToBack:
      p.setPen(kInk);
      p.setBrush(kBlue);
      p.drawRect(1, 1, 8, 8);
      p.setBrush(kGrey);
      p.drawRect(6, 6, 8, 8);
      break;
    case TvlDesignerGlyph::SelectAll:
      p.setPen(QPen(kInk, 1, Qt::DotLine));
      p.drawRect(1, 1, 13, 13);
      p.setPen(kInk);
      p.setBrush(kBlue);
      p.drawRect(3, 3, 4, 4);
      p.drawRect(8, 8, 4, 4);
      break;
    case TvlDesignerGlyph::AddPage:
      Sheet(p, 2, 1, 11, 14);
      p.setPen(QPen(kGreen, 2));
      p.drawLine(11, 8, 11, 14);
      p.drawLine(8, 11, 14, 11);
      break;
    case TvlDesignerGlyph::AddDialog:
      p.setPen(kInk);
      p.setBrush(QColor(212, 208, 200));
      p.drawRect(1, 2, 13, 11);
      p.setBrush(kBlue);
      p.drawRect(1, 2, 13, 3);
      p.setBrush(kPaper);
      p.drawRect(8, 9, 5, 2);
      break;
    case TvlDesignerGlyph::RemovePage:
      Sheet(p, 2, 1, 11, 14);
      p.setPen(QPen(kRed, 2));
      p.drawLine(8, 8, 14, 14);
      p.drawLine(14, 8, 8, 14);
      break;
    case TvlDesignerGlyph::PageOptions:
      Sheet(p, 2, 1, 11, 14);
      p.setPen(QPen(kGrey, 1, Qt::DotLine));
      p.drawRect(4, 3, 5, 9);
      break;
    case TvlDesignerGlyph::Grid: Dots(p, 3); break;
    case TvlDesignerGlyph::GridAlign:
      Dots(p, 4);
      p.setPen(kInk);
      p.setBrush(kBlue);
      p.drawRect(5, 5, 8, 4);
      break;
    case TvlDesignerGlyph::FitToGrid:
      Dots(p, 4);
      p.setPen(kInk);
      p.setBrush(kYellow);
      p.drawRect(1, 5, 8, 8);
      break;
    case TvlDesignerGlyph::Close:
      p.setPen(kInk);
      p.setBrush(kPaper);
      p.drawRect(5, 1, 9, 13);
      p.setPen(QPen(kRed, 2));
      p.drawLine(1, 8, 8, 8);
      p.drawLine(5, 5, 8, 8);
      p.drawLine(5, 11, 8, 8);
      break;
    case TvlDesignerGlyph::Select:
      p.setPen(kInk);
      p.setBrush(kPaper);
      p.drawPolygon(QPolygon({QPoint(4, 1), QPoint(4, 13), QPoint(7, 10), QPoint(9, 15), QPoint(11, 14),
                              QPoint(9, 9), QPoint(13, 9)}));
      break;
    case TvlDesignerGlyph::Memo: {
      p.setPen(kInk);
      p.setBrush(kPaper);
      p.drawRect(1, 2, 13, 11);
      QFont f = p.font();
      f.setPixelSize(10);
      f.setBold(true);
      p.setFont(f);
      p.setPen(kBlue);
      p.drawText(QRect(1, 2, 14, 12), Qt::AlignCenter, QStringLiteral("A"));
      break;
    }
    case TvlDesignerGlyph::Picture:
      p.setPen(kInk);
      p.setBrush(QColor(180, 220, 250));
      p.drawRect(1, 2, 13, 11);
      p.setBrush(kGreen);
      p.setPen(Qt::NoPen);
      p.drawPolygon(QPolygon({QPoint(2, 13), QPoint(6, 7), QPoint(9, 11), QPoint(11, 9), QPoint(14, 13)}));
      p.setBrush(kYellow);
      p.drawEllipse(9, 3, 3, 3);
      break;
    case TvlDesignerGlyph::Band:
      p.setPen(kInk);
      p.setBrush(QColor(190, 190, 190));
      p.drawRect(1, 5, 13, 6);
      p.setPen(kGrey);
      p.drawLine(1, 2, 14, 2);
      p.drawLine(1, 14, 14, 14);
      break;
    case TvlDesignerGlyph::SubReport:
      Sheet(p, 1, 1, 10, 12);
      Sheet(p, 5, 4, 14, 15);
      p.setPen(kBlue);
      p.drawLine(7, 7, 12, 7);
      p.drawLine(7, 10, 12, 10);
      break;
    case TvlDesignerGlyph::Line:
      p.setPen(QPen(kInk, 2));
      p.drawLine(2, 13, 13, 2);
      break;
    case TvlDesignerGlyph::Pencil:
      p.setPen(kInk);
      p.setBrush(kYellow);
      p.drawPolygon(QPolygon({QPoint(1, 14), QPoint(3, 10), QPoint(12, 1), QPoint(14, 3), QPoint(5, 12)}));
      break;
    case TvlDesignerGlyph::ScriptMark:
      p.setPen(kInk);
      p.setBrush(kYellow);
      p.drawRect(0, 0, 7, 7);
      p.drawLine(2, 2, 5, 2);
      p.drawLine(2, 4, 5, 4);
      break;
    case TvlDesignerGlyph::HighlightMark:
      p.setPen(kInk);
      p.setBrush(kRed);
      p.drawRect(0, 0, 7, 7);
      break;
    case TvlDesignerGlyph::InsertFields:
      p.setPen(kInk);
      p.setBrush(kPaper);
      p.drawRect(1, 1, 13, 13);
      p.setBrush(kBlue);
      for (int y = 3; y < 13; y += 3) p.drawRect(3, y, 9, 1);
      break;
  }
  return image;
}

}  // namespace

const QImage& vlDesignerGlyph(TvlDesignerGlyph glyph) {
  static std::map<TvlDesignerGlyph, QImage> made;
  auto it = made.find(glyph);
  if (it == made.end()) it = made.emplace(glyph, Make(glyph)).first;
  return it->second;
}

}  // namespace vl
