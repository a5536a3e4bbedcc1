// Docks and toolbars: rows that come and go, dragging along and across
// rows, floating, docking from the float window, turning between flows.

#include "controls/float_window.h"
#include "tests/controls/controls_fixture.h"
#include "tests/controls/dock_host.h"

namespace vl {
namespace {

TEST(Dock, EmptyRowsGoAndTheDockFitsTheRowsInUse) {
  TDockHost host;
  EXPECT_EQ(host.Top->height(), 1) << "an empty dock is 1 pixel deep";
  TvlToolBar* a = host.AddToolBar(host.Top, "A", 3);
  EXPECT_EQ(a->size(), QSize(11 + 3 * 22 + 4, 26));
  EXPECT_EQ(a->pos(), QPoint(0, 0));
  EXPECT_EQ(host.Top->height(), 27);
  TvlToolBar* b = host.AddToolBar(host.Top, "B", 2);
  EXPECT_EQ(b->pos(), QPoint(0, 26)) << "docked at the end: a new row";
  EXPECT_EQ(host.Top->height(), 53);

  // Emptying the first row moves the second row up.
  a->DockAtEnd(host.Left);
  EXPECT_EQ(b->pos(), QPoint(0, 0));
  EXPECT_EQ(host.Top->height(), 27);
  b->DockAtEnd(host.Left);
  EXPECT_EQ(host.Top->height(), 1);
  EXPECT_EQ(host.Left->width(), 53);
  EXPECT_EQ(a->pos(), QPoint(0, 0));
  EXPECT_EQ(b->pos(), QPoint(26, 0));
}

TEST(Dock, FarSideDocksGrowAwayFromTheirEdge) {
  TDockHost host;
  struct Case {
    TvlDock* dock;
    bool horizontal;
  };
  for (const Case& c : {Case{host.Bottom, true}, Case{host.Right, false}}) {
    SCOPED_TRACE(c.dock->objectName().toStdString());
    TvlToolBar* first = host.AddToolBar(c.dock, "First", 2);
    EXPECT_EQ(c.horizontal ? first->y() : first->x(), 1);
    EXPECT_EQ(c.dock->Depth(), 27);
    TvlToolBar* second = host.AddToolBar(c.dock, "Second", 2);
    EXPECT_EQ(c.horizontal ? second->y() : second->x(), 1) << "the new row opens on the inner side";
    EXPECT_EQ(c.horizontal ? first->y() : first->x(), 27);
    EXPECT_EQ(c.dock->Depth(), 53);
    host.Settle();
    if (c.horizontal) EXPECT_EQ(c.dock->geometry().bottom(), host.height() - 1) << "it keeps its outer edge";
    else EXPECT_EQ(c.dock->geometry().right(), host.width() - 1);
    // The outer row empties: the inner one moves out and the dock shrinks.
    first->DockAtEnd(host.Top);
    EXPECT_EQ(c.horizontal ? second->y() : second->x(), 1);
    EXPECT_EQ(c.dock->Depth(), 27);
    delete second;
    c.dock->AdjustBounds();
    EXPECT_EQ(c.dock->Depth(), 1);
  }
  // A toolbar that turns on the way in opens one row, however long it is.
  TvlToolBar* vertical = host.AddToolBar(host.Left, "Vertical", 6);
  vertical->DockAtEnd(host.Bottom);
  EXPECT_EQ(vertical->pos(), QPoint(0, 1));
  EXPECT_EQ(host.Bottom->height(), 27);
  vertical->DockAtEnd(host.Right);
  EXPECT_EQ(vertical->pos(), QPoint(1, 0));
  EXPECT_EQ(host.Right->width(), 27);
}

TEST(Dock, GripMovesAlongTheRowExactlyAndAcrossByWholeRows) {
  TDockHost host;
  TvlToolBar* a = host.AddToolBar(host.Top, "A", 2);
  TvlToolBar* b = host.AddToolBar(host.Top, "B", 2);
  ASSERT_TRUE(b->MoveInDock(300, 0));
  EXPECT_EQ(b->pos(), QPoint(300, 0));
  EXPECT_EQ(host.Top->height(), 27);

  const QPoint start = GripPoint(a);
  Press(a->Grip(), {5, 5});
  DragTo(&host, start + QPoint(37, 0));
  EXPECT_EQ(a->pos(), QPoint(37, 0)) << "sideways to the pixel";
  DragTo(&host, start + QPoint(37, 25));
  EXPECT_EQ(a->pos(), QPoint(37, 0)) << "less than a row down moves nothing";
  DragTo(&host, start + QPoint(37, 30));
  EXPECT_EQ(a->pos(), QPoint(37, 26)) << "a row down: a new row";
  EXPECT_EQ(host.Top->height(), 53);
  DragTo(&host, start + QPoint(290, 30));
  EXPECT_EQ(a->pos(), QPoint(290, 26));
  // Back into the first row it is pushed aside by B.
  DragTo(&host, start + QPoint(290, 0));
  EXPECT_EQ(a->pos(), QPoint(300 - a->width(), 0));
  EXPECT_EQ(host.Top->height(), 27);
  ReleaseAt(&host, start);
  EXPECT_FALSE(a->Pressed());
}

TEST(Dock, PulledPastTheRowStartAToolbarFloatsAndLandsWhereReleased) {
  struct Case {
    int dx;
    bool floats;
  };
  for (const Case& c : {Case{-20, false}, Case{-21, true}}) {
    SCOPED_TRACE(c.dx);
    TDockHost host;
    TvlToolBar* a = host.AddToolBar(host.Top, "A", 2);
    TvlToolBar* b = host.AddToolBar(host.Top, "B", 2);
    b->MoveInDock(200, 0);
    a->MoveInDock(20, 0);
    const QPoint start = GripPoint(a);
    Press(a->Grip(), {5, 5});
    DragTo(&host, start + QPoint(c.dx - 20, 0));
    EXPECT_EQ(a->Floating(), c.floats);
    if (!c.floats) {
      EXPECT_EQ(a->pos(), QPoint(0, 0));
      ReleaseAt(&host, start);
      continue;
    }
    TvlFloatWindow* window = a->FloatWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isHidden()) << "the window shows when the drag ends";
    EXPECT_TRUE(window->Pressed());
    EXPECT_TRUE(a->Grip()->isHidden());
    EXPECT_EQ(window->Client()->size(), QSize(a->width() - 11, a->height()));
    EXPECT_EQ(host.Top->height(), 27) << "B still holds the row";
    const QPoint drop(420, 520);
    DragTo(&host, drop);
    EXPECT_EQ(window->Outline().topLeft(), drop) << "the outline follows by its top-left corner";
    ReleaseAt(&host, drop);
    EXPECT_FALSE(window->isHidden());
    EXPECT_EQ(window->pos(), drop);
    EXPECT_TRUE(a->IsShown());
  }
}

TEST(Dock, CanFloatFalseKeepsTheToolbarInItsDock) {
  TDockHost host;
  TvlToolBar* a = host.AddToolBar(host.Top, "A", 2);
  a->CanFloat = false;
  EXPECT_TRUE(a->MoveInDock(-100, 0));
  EXPECT_FALSE(a->Floating());
  EXPECT_EQ(a->pos(), QPoint(0, 0));
  EXPECT_TRUE(a->MoveInDock(0, 200));
  EXPECT_FALSE(a->Floating());
}

TEST(Dock, FloatWindowDocksOnlyWhereTheToolbarsDirectionIsAccepted) {
  TDockHost host;
  TvlToolBar* b = host.AddToolBar(host.Top, "B", 2);
  TvlToolBar* a = host.AddToolBar(host.Top, "A", 3);
  a->Orientation = TvlToolBarOrientation::toHorzOnly;
  a->FloatAt(300, 300);
  a->SetShown(true);
  EXPECT_EQ(host.Top->height(), 27);
  TvlFloatWindow* window = a->FloatWindow();
  ASSERT_NE(window, nullptr);

  Press(window, {20, 6});  // on the caption
  const QPoint overLeft = host.Left->mapToGlobal(QPoint(0, 100));
  DragTo(&host, overLeft);
  EXPECT_TRUE(a->Floating()) << "a horizontal-only toolbar refuses the left dock";
  EXPECT_EQ(window->Outline().topLeft(), overLeft);

  const QPoint overTop = host.Top->mapToGlobal(QPoint(150, 10));
  DragTo(&host, overTop);
  EXPECT_FALSE(a->Floating());
  EXPECT_EQ(a->Dock(), host.Top);
  EXPECT_EQ(a->pos(), QPoint(150, 26)) << "docked at the far side, a new row";
  EXPECT_EQ(host.Top->height(), 53);
  EXPECT_FALSE(a->Grip()->isHidden());
  // The drag goes on inside the dock: a row up, pushed aside by B.
  DragTo(&host, overTop + QPoint(0, -26));
  EXPECT_EQ(a->pos(), QPoint(std::max(150, b->width()), 0));
  EXPECT_EQ(host.Top->height(), 27);
  ReleaseAt(&host, overTop);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(a->FloatWindow(), nullptr);
}

TEST(Dock, TurningToAVerticalDockKeepsTheOrderAndTheFarEnd) {
  TDockHost host;
  TvlToolBar* bar = host.AddToolBar(host.Top, "Bar", 3);
  auto* close = new TvlTBButton(bar);
  close->resize(22, 22);
  vlSetAlign(close, TvlAlign::Right);
  bar->AdjustSize();
  std::vector<QWidget*> buttons;
  for (int i = 1; i <= 3; ++i) buttons.push_back(bar->findChild<QWidget*>(QStringLiteral("Bar%1").arg(i)));
  ASSERT_EQ(close->geometry().right(), bar->width() - 2);

  bar->DockAtEnd(host.Left);
  EXPECT_EQ(bar->width(), 26);
  EXPECT_EQ(bar->height(), 11 + 4 * 22 + 4);
  EXPECT_EQ(vlAlignOf(bar->Grip()), TvlAlign::Top);
  EXPECT_EQ(bar->Grip()->y(), 1);
  int previous = bar->Grip()->y();
  for (QWidget* b : buttons) {
    EXPECT_EQ(vlAlignOf(b), TvlAlign::Top);
    EXPECT_GT(b->y(), previous) << "the order runs top to bottom";
    previous = b->y();
  }
  EXPECT_EQ(vlAlignOf(close), TvlAlign::Bottom);
  EXPECT_EQ(close->geometry().bottom(), bar->height() - 2) << "the far end stays the far end";

  bar->DockAtEnd(host.Bottom);
  EXPECT_EQ(bar->height(), 26);
  previous = bar->Grip()->x();
  for (QWidget* b : buttons) {
    EXPECT_GT(b->x(), previous);
    previous = b->x();
  }
  EXPECT_EQ(vlAlignOf(close), TvlAlign::Right);
}

TEST(Dock, HiddenToolbarsShowAgainAtTheEndOfTheirDock) {
  TDockHost host;
  TvlToolBar* a = host.AddToolBar(host.Top, "A", 2);
  TvlToolBar* b = host.AddToolBar(host.Top, "B", 2);
  b->MoveInDock(100, 0);
  a->ShowFromMenu(false);
  EXPECT_FALSE(a->IsShown());
  EXPECT_EQ(host.Top->height(), 27);
  a->ShowFromMenu(true);
  EXPECT_TRUE(a->IsShown());
  EXPECT_EQ(a->pos(), QPoint(0, 26));
  EXPECT_EQ(host.Top->height(), 53);

  a->FloatAt(50, 50);
  a->ShowFromMenu(true);
  EXPECT_TRUE(a->FloatWindow()->isVisible());
  a->FloatWindow()->close();
  EXPECT_TRUE(a->Floating()) << "closing the float window only hides it";
  EXPECT_FALSE(a->IsShown());
}

}  // namespace
}  // namespace vl
