// Builds a window holding every control of the designer's toolbars and
// dialogs (docked and floating toolbars, flat buttons in each state, the
// boxes, the dropped font list with its preview, the open colour picker and
// the popup list) and saves a picture of the screen around it as PNG, for
// the screenshot in docs/. Run it under a display, for example
//   xvfb-run -a -s "-screen 0 1024x768x24" controls_gallery <output.png>

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>
#include <cstdio>

#include "controls/color_selector.h"
#include "controls/combo_edit.h"
#include "controls/control_align.h"
#include "controls/dock.h"
#include "controls/flat_combo_box.h"
#include "controls/float_window.h"
#include "controls/font_combo_box.h"
#include "controls/popup_list_box.h"
#include "controls/tool_bar.h"
#include "controls/toolbar_items.h"
#include "platform/qt/qt_platform.h"
#include "engine/core/language.h"
#include "platform/qt/qt_language.h"

namespace vl {
namespace {

// Small pictures for the buttons, drawn on a transparent 16 x 16 ground.
enum class TPicture { Page, Folder, Disk, Cut, Copy, Paste, Undo, Redo, Select, Text, Image, Line, Band,
                      Bold, Italic, Underline, AlignLeft, AlignCentre, AlignRight, FontColour, Fill, Frame,
                      Top, Middle, Bottom, Help };

QImage Picture(TPicture kind) {
  QImage image(16, 16, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  const QColor ink(0x20, 0x20, 0x20), blue(0x20, 0x50, 0xB0), yellow(0xE8, 0xC0, 0x40);
  auto sheet = [&](int x, int y, int w, int h) {
    p.fillRect(x, y, w, h, Qt::white);
    p.setPen(ink);
    p.drawRect(x, y, w - 1, h - 1);
  };
  auto lines = [&](int left, std::initializer_list<std::pair<int, int>> rows) {
    for (auto [offset, width] : rows) p.fillRect(left + offset, 0, width, 1, ink);
  };
  auto letter = [&](const char* text, bool bold, bool italic, bool underline) {
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(14);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    p.setFont(font);
    p.setPen(ink);
    p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QString::fromLatin1(text));
  };
  auto alignRows = [&](int mode) {
    for (int i = 0; i < 5; ++i) {
      const int w = i % 2 ? 8 : 12, x = mode == 0 ? 2 : mode == 1 ? 8 - w / 2 : 14 - w;
      p.fillRect(x, 3 + 2 * i, w, 1, ink);
    }
  };
  switch (kind) {
    case TPicture::Page: sheet(3, 1, 10, 14); break;
    case TPicture::Folder:
      p.fillRect(1, 4, 14, 10, yellow);
      p.setPen(ink);
      p.drawRect(1, 4, 13, 9);
      p.drawLine(2, 3, 6, 3);
      break;
    case TPicture::Disk:
      p.fillRect(2, 2, 12, 12, blue);
      p.fillRect(4, 2, 8, 5, Qt::white);
      p.fillRect(5, 10, 6, 4, QColor(0xC0, 0xC0, 0xC0));
      break;
    case TPicture::Cut:
      p.setPen(QPen(ink, 1));
      p.drawLine(4, 2, 10, 11);
      p.drawLine(11, 2, 5, 11);
      p.drawEllipse(2, 11, 3, 3);
      p.drawEllipse(10, 11, 3, 3);
      break;
    case TPicture::Copy:
      sheet(1, 1, 9, 11);
      sheet(6, 4, 9, 11);
      break;
    case TPicture::Paste:
      p.fillRect(2, 2, 11, 13, yellow.darker(130));
      sheet(6, 5, 9, 10);
      break;
    case TPicture::Undo:
    case TPicture::Redo: {
      QPainterPath path;
      path.moveTo(3, 6);
      path.cubicTo(8, 1, 15, 5, 12, 12);
      p.setRenderHint(QPainter::Antialiasing);
      p.setPen(QPen(blue, 2));
      if (kind == TPicture::Redo) p.setTransform(QTransform(-1, 0, 0, 1, 16, 0));
      p.drawPath(path);
      p.drawLine(3, 6, 3, 2);
      p.drawLine(3, 6, 7, 6);
      break;
    }
    case TPicture::Select: {
      const QPoint arrow[] = {{4, 1}, {4, 13}, {7, 10}, {10, 15}, {11, 14}, {9, 9}, {13, 9}};
      p.setPen(ink);
      p.setBrush(Qt::white);
      p.drawPolygon(arrow, 7);
      break;
    }
    case TPicture::Text: letter("A", true, false, false); break;
    case TPicture::Image:
      sheet(1, 2, 14, 12);
      p.fillRect(3, 9, 10, 3, QColor(0x40, 0x90, 0x40));
      p.fillRect(9, 4, 3, 3, yellow);
      break;
    case TPicture::Line:
      p.setPen(QPen(ink, 1));
      p.drawLine(2, 13, 13, 2);
      break;
    case TPicture::Band:
      p.fillRect(1, 3, 14, 4, QColor(0xA0, 0xC0, 0xE0));
      p.fillRect(1, 9, 14, 4, QColor(0xA0, 0xC0, 0xE0));
      p.setPen(ink);
      p.drawRect(1, 3, 13, 3);
      p.drawRect(1, 9, 13, 3);
      break;
    case TPicture::Bold: letter("B", true, false, false); break;
    case TPicture::Italic: letter("I", false, true, false); break;
    case TPicture::Underline: letter("U", false, false, true); break;
    case TPicture::AlignLeft: alignRows(0); break;
    case TPicture::AlignCentre: alignRows(1); break;
    case TPicture::AlignRight: alignRows(2); break;
    case TPicture::FontColour:
      letter("A", true, false, false);
      p.fillRect(1, 13, 14, 3, QColor(0xD0, 0x10, 0x10));
      break;
    case TPicture::Fill:
      p.fillRect(2, 2, 12, 9, QColor(0xF0, 0xE0, 0x60));
      p.setPen(ink);
      p.drawRect(2, 2, 11, 8);
      p.fillRect(1, 13, 14, 3, QColor(0xF0, 0xE0, 0x60));
      break;
    case TPicture::Frame:
      p.setPen(ink);
      p.drawRect(2, 2, 11, 11);
      p.drawRect(4, 4, 7, 7);
      break;
    case TPicture::Top: lines(2, {{0, 12}}); p.fillRect(2, 2, 12, 1, ink); p.fillRect(6, 4, 4, 9, blue); break;
    case TPicture::Middle: p.fillRect(2, 8, 12, 1, ink); p.fillRect(6, 3, 4, 10, blue); break;
    case TPicture::Bottom: p.fillRect(2, 13, 12, 1, ink); p.fillRect(6, 3, 4, 9, blue); break;
    case TPicture::Help: letter("?", true, false, false); break;
  }
  return image;
}

TvlTBButton* Button(TvlToolBar* bar, TPicture picture, int group = 0, bool down = false) {
  auto* button = new TvlTBButton(bar);
  button->resize(23, 22);
  button->SetGlyph(Picture(picture));
  button->SetGrayedInactive(false);
  if (group) {
    button->SetGroupIndex(group);
    button->SetDown(down);
  }
  return button;
}

QLabel* Label(QWidget* parent, const char* text, int x, int y) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->move(x, y);
  return label;
}

TvlSpeedButton* SampleButton(QWidget* parent, int x, int y, const char* caption, bool flat) {
  auto* button = new TvlSpeedButton(parent);
  button->setGeometry(x, y, 84, 26);
  button->SetCaption(QString::fromLatin1(caption));
  button->SetGlyph(Picture(TPicture::Disk));
  button->SetFlat(flat);
  button->SetGrayedInactive(false);
  return button;
}

}  // namespace
}  // namespace vl

int main(int argc, char** argv) {
  using namespace vl;
  if (argc != 2) {
    std::fprintf(stderr, "usage: controls_gallery <output.png>\n");
    return 2;
  }
  QApplication app(argc, argv);
  vlInstallQtPlatform();
  // The environment's language: LANG=zh_CN.UTF-8 gives the Chinese pictures.
  vlSetLanguage(vlEnvironmentLanguage());
  vlInstallQtLanguage();
  QCursor::setPos(0, 0);

  QWidget window;
  window.setWindowTitle(QStringLiteral("Controls"));
  auto* layout = new TvlAlignLayout(&window);
  auto* top = new TvlDock(&window, TvlAlign::Top, QStringLiteral("DockTop"));
  auto* bottom = new TvlDock(&window, TvlAlign::Bottom, QStringLiteral("DockBottom"));
  auto* left = new TvlDock(&window, TvlAlign::Left, QStringLiteral("DockLeft"));
  auto* right = new TvlDock(&window, TvlAlign::Right, QStringLiteral("DockRight"));
  auto* work = new QWidget(&window);
  work->setAutoFillBackground(true);
  vlSetAlign(work, TvlAlign::Client);
  for (QWidget* w : {static_cast<QWidget*>(top), static_cast<QWidget*>(bottom), static_cast<QWidget*>(left),
                     static_cast<QWidget*>(right), work})
    layout->addWidget(w);
  window.setGeometry(10, 10, 780, 520);

  // Standard: files, clipboard, undo.
  auto* standard = new TvlToolBar(top, QStringLiteral("Standard"), QStringLiteral("Standard"));
  for (TPicture p : {TPicture::Page, TPicture::Folder, TPicture::Disk}) Button(standard, p);
  new TvlTBSeparator(standard);
  for (TPicture p : {TPicture::Cut, TPicture::Copy, TPicture::Paste}) Button(standard, p);
  new TvlTBSeparator(standard);
  Button(standard, TPicture::Undo);
  Button(standard, TPicture::Redo)->setEnabled(false);
  auto* help = Button(standard, TPicture::Help);
  vlSetAlign(help, TvlAlign::Right);
  // Text: the font name and size boxes on a panel, style and alignment.
  auto* text = new TvlToolBar(top, QStringLiteral("Text"), QStringLiteral("Text"));
  text->Orientation = TvlToolBarOrientation::toHorzOnly;
  auto* panel = new TvlTBPanel(text);
  panel->resize(198, 22);
  auto* font = new TvlFontComboBox(panel);
  font->move(0, 1);
  auto* size = new TvlComboBox(panel);
  size->setGeometry(152, 1, 44, font->height());
  size->addItems({"8", "9", "10", "11", "12", "14", "16", "18", "20", "24"});
  size->setCurrentIndex(2);
  Button(text, TPicture::Bold, 11, true);
  Button(text, TPicture::Italic);
  Button(text, TPicture::Underline);
  new TvlTBSeparator(text);
  Button(text, TPicture::AlignLeft, 12, true);
  Button(text, TPicture::AlignCentre, 12);
  Button(text, TPicture::AlignRight, 12);
  new TvlTBSeparator(text);
  auto* colour = Button(text, TPicture::FontColour);
  // Rectangle, on a second row: frames and fill, greyed until hovered.
  auto* frames = new TvlToolBar(top, QStringLiteral("Rectangle"), QStringLiteral("Rectangle"));
  for (TPicture p : {TPicture::Frame, TPicture::Fill, TPicture::Line}) Button(frames, p)->SetGrayedInactive(true);
  // Objects down the left side, the alignment palette down the right.
  auto* objects = new TvlToolBar(left, QStringLiteral("Objects"), QStringLiteral("Objects"));
  Button(objects, TPicture::Select, 21, true);
  for (TPicture p : {TPicture::Text, TPicture::Band, TPicture::Image, TPicture::Line}) Button(objects, p, 21);
  auto* alignment = new TvlToolBar(right, QStringLiteral("Alignment"), QStringLiteral("Alignment palette"));
  for (TPicture p : {TPicture::Top, TPicture::Middle, TPicture::Bottom}) Button(alignment, p);
  new TvlTBSeparator(alignment);
  for (TPicture p : {TPicture::AlignLeft, TPicture::AlignCentre, TPicture::AlignRight}) Button(alignment, p);
  // A floating toolbar.
  auto* tools = new TvlToolBar(bottom, QStringLiteral("Tools"), QStringLiteral("Tools"));
  for (TPicture p : {TPicture::Image, TPicture::Band, TPicture::Help}) Button(tools, p);

  for (TvlToolBar* bar : {standard, text, frames, objects, alignment, tools}) bar->AdjustSize();
  standard->DockInto(top, 0, 0);
  text->DockInto(top, standard->width(), 0);
  frames->DockAtEnd(top);
  objects->DockInto(left, 0, 0);
  alignment->DockInto(right, 1 - alignment->width(), 0);
  bottom->AdjustBounds();

  // The work area: buttons in every state, the boxes, the popup list.
  // Below the dropped font list and the colour picker.
  const int y0 = 170;
  Label(work, "TvlSpeedButton: flat, raised, latched, flat latched, disabled, greyed", 16, y0);
  SampleButton(work, 16, y0 + 20, "Flat", true);
  SampleButton(work, 106, y0 + 20, "Raised", false);
  auto* latched = SampleButton(work, 196, y0 + 20, "Latched", false);
  latched->SetGroupIndex(31);
  latched->SetDown(true);
  auto* flatLatched = SampleButton(work, 286, y0 + 20, "Flat", true);
  flatLatched->SetGroupIndex(32);
  flatLatched->SetDown(true);
  SampleButton(work, 376, y0 + 20, "Disabled", false)->setEnabled(false);
  SampleButton(work, 466, y0 + 20, "Greyed", true)->SetGrayedInactive(true);
  Label(work, "TvlComboEdit", 16, y0 + 62);
  auto* expression = new TvlComboEdit(work);
  expression->setGeometry(16, y0 + 82, 200, 21);
  expression->SetText(QStringLiteral("[Date] + 1"));
  expression->SetGlyph(Picture(TPicture::Page));
  Label(work, "TvlComboBox", 236, y0 + 62);
  auto* combo = new TvlComboBox(work);
  combo->setGeometry(236, y0 + 82, 120, combo->height());
  combo->addItems({"Pixels", "MM", "Inches"});
  Label(work, "TvlPopupListBox", 376, y0 + 62);
  auto* value = new QLineEdit(QStringLiteral("clMaroon"), work);
  value->setGeometry(376, y0 + 82, 120, 20);

  window.show();
  QApplication::processEvents();
  for (TvlDock* dock : {top, bottom, left, right}) dock->AdjustBounds();
  QApplication::processEvents();

  tools->FloatAt(window.x() + 520, window.y() + 380);
  tools->SetShown(true);
  font->Populate();
  font->setCurrentIndex(std::max(0, font->findText(QStringLiteral("Liberation Sans"))));

  // The colour picker under the colour button, as the designer opens it.
  auto* picker = new TColorSelector(&window);
  picker->move(colour->mapTo(&window, QPoint(0, 0)) + QPoint(0, 26));
  picker->SetColor(0x0000FF);
  picker->show();
  picker->raise();

  auto* list = new TvlPopupListBox(&window);
  list->SetItems({"clBlack", "clMaroon", "clGreen", "clOlive", "clNavy", "clPurple", "clTeal", "clGray"});
  list->SetItemIndex(1);

  int result = 1;
  QTimer::singleShot(300, [&] {
    list->Popup(value->mapToGlobal(QPoint(0, value->height())), 120, 8);
    font->showPopup();
  });
  QTimer::singleShot(900, [&] {
    const QRect area = window.frameGeometry();
    const QPixmap shot = window.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    result = shot.save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
    app.quit();
  });
  app.exec();
  return result;
}
