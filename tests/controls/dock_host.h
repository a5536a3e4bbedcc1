#pragma once
// A window with a dock on each edge around a work area, as the designer
// lays out its toolbars.

#include <QApplication>
#include <QWidget>

#include "controls/control_align.h"
#include "controls/dock.h"
#include "controls/tool_bar.h"
#include "controls/toolbar_items.h"

namespace vl {

class TDockHost : public QWidget {
 public:
  explicit TDockHost(QPoint at = {100, 100}) {
    auto* layout = new TvlAlignLayout(this);
    Top = new TvlDock(this, TvlAlign::Top, "DockTop");
    Bottom = new TvlDock(this, TvlAlign::Bottom, "DockBottom");
    Left = new TvlDock(this, TvlAlign::Left, "DockLeft");
    Right = new TvlDock(this, TvlAlign::Right, "DockRight");
    Work = new QWidget(this);
    vlSetAlign(Work, TvlAlign::Client);
    for (QWidget* w : {static_cast<QWidget*>(Top), static_cast<QWidget*>(Bottom), static_cast<QWidget*>(Left),
                       static_cast<QWidget*>(Right), Work})
      layout->addWidget(w);
    setGeometry(at.x(), at.y(), 640, 480);
    show();
    Settle();
  }

  // Lets the window lay out the docks after they changed depth.
  void Settle() {
    QApplication::processEvents();
    layout()->activate();
  }

  // A toolbar of flat 22-pixel buttons, sized to them and docked at the end
  // of the dock.
  TvlToolBar* AddToolBar(TvlDock* dock, const char* name, int buttons) {
    auto* bar = new TvlToolBar(dock, QString::fromLatin1(name), QString::fromLatin1(name));
    for (int i = 0; i < buttons; ++i) {
      auto* button = new TvlTBButton(bar);
      button->setObjectName(QStringLiteral("%1%2").arg(QString::fromLatin1(name)).arg(i + 1));
      button->resize(22, 22);
    }
    bar->AdjustSize();
    bar->DockAtEnd(dock);
    Settle();
    return bar;
  }

  TvlDock *Top, *Bottom, *Left, *Right;
  QWidget* Work;
};

// Screen point inside a toolbar's grip.
inline QPoint GripPoint(const TvlToolBar* bar) { return bar->Grip()->mapToGlobal(QPoint(5, 5)); }

}  // namespace vl
