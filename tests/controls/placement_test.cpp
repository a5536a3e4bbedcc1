// Toolbar and window placement kept in the settings store and brought back
// in a fresh window.

#include <QGuiApplication>
#include <QScreen>

#include "controls/float_window.h"
#include "controls/placement.h"
#include "tests/controls/controls_fixture.h"
#include "tests/controls/dock_host.h"

namespace vl {
namespace {

// The designer's three toolbars in their first places.
struct TToolBars {
  explicit TToolBars(TDockHost& host)
      : Standard(host.AddToolBar(host.Top, "Standard", 4)),
        Text(host.AddToolBar(host.Top, "Text", 3)),
        Objects(host.AddToolBar(host.Left, "Objects", 5)) {}
  TvlToolBar *Standard, *Text, *Objects;
};

TEST(Placement, DraggedFloatedAndRedockedToolbarComesBackInAFreshWindow) {
  TvlScopedSettings settings;
  QRect standardBounds, textWindow;
  int bottomDepth = 0, topDepth = 0;
  {
    TDockHost host;
    TToolBars bars(host);
    TvlToolBar* standard = bars.Standard;
    // Out of the top dock by its grip and straight into the right dock.
    const QPoint grip = GripPoint(standard);
    Press(standard->Grip(), {5, 5});
    DragTo(&host, grip + QPoint(-30, 0));
    ASSERT_TRUE(standard->Floating());
    DragTo(&host, host.Right->mapToGlobal(QPoint(0, 60)));
    ASSERT_EQ(standard->Dock(), host.Right);
    EXPECT_TRUE(standard->VerticalFlow());
    ReleaseAt(&host, host.Right->mapToGlobal(QPoint(0, 60)));
    host.Settle();

    // Floated again, up out of the right dock, and dropped over the work area.
    const QPoint grip2 = GripPoint(standard);
    Press(standard->Grip(), {5, 5});
    DragTo(&host, grip2 + QPoint(0, -200));
    ASSERT_TRUE(standard->Floating());
    const QPoint drop = host.Work->mapToGlobal(QPoint(100, 100));
    DragTo(&host, drop);
    ReleaseAt(&host, drop);
    ASSERT_TRUE(standard->FloatWindow()->isVisible());
    EXPECT_EQ(standard->FloatWindow()->pos(), drop);
    EXPECT_EQ(host.Right->width(), 1);

    // Docked again from its caption, into the bottom dock, and moved along it.
    TvlFloatWindow* window = standard->FloatWindow();
    Press(window, {10, 6});
    const QPoint overBottom = host.Bottom->mapToGlobal(QPoint(40, 0));
    DragTo(&host, overBottom);
    ASSERT_EQ(standard->Dock(), host.Bottom);
    DragTo(&host, overBottom + QPoint(15, 0));
    ReleaseAt(&host, overBottom + QPoint(15, 0));
    EXPECT_EQ(standard->pos(), QPoint(55, 1));
    EXPECT_FALSE(standard->VerticalFlow());

    // Text floats where the user left it; Objects is hidden from the menu.
    bars.Text->FloatAt(500, 150);
    bars.Text->SetShown(true);
    bars.Objects->ShowFromMenu(false);
    host.Settle();

    for (TvlToolBar* bar : {bars.Standard, bars.Text, bars.Objects}) SaveToolbarPlacement(*bar);
    standardBounds = standard->geometry();
    textWindow = bars.Text->FloatWindow()->geometry();
    bottomDepth = host.Bottom->height();
    topDepth = host.Top->height();
  }

  // What the store holds, as texts under the toolbars' names.
  const auto value = [&](const char* bar, const char* name) {
    return settings.Store.ReadString(std::string("Software\\Vellora\\ToolBar\\") + bar, name, "<missing>");
  };
  EXPECT_EQ(value("Standard", "isFloat"), "0");
  EXPECT_EQ(value("Standard", "isVisible"), "1");
  EXPECT_EQ(value("Standard", "DockName"), "DockBottom");
  EXPECT_EQ(value("Standard", "XPosition"), "55");
  EXPECT_EQ(value("Standard", "YPosition"), "1");
  EXPECT_EQ(value("Standard", "Width"), std::to_string(standardBounds.width()));
  EXPECT_EQ(value("Standard", "Height"), "26");
  EXPECT_EQ(value("Text", "isFloat"), "1");
  EXPECT_EQ(value("Text", "XPosition"), "500");
  EXPECT_EQ(value("Text", "YPosition"), "150");
  EXPECT_EQ(value("Text", "DockName"), "<missing>") << "written only while docked";
  EXPECT_EQ(value("Objects", "isVisible"), "0");
  EXPECT_EQ(value("Objects", "DockName"), "DockLeft");

  TDockHost fresh({120, 90});
  TToolBars bars(fresh);
  for (TvlToolBar* bar : {bars.Standard, bars.Text, bars.Objects}) RestoreToolbarPlacement(*bar);
  for (TvlDock* dock : {fresh.Top, fresh.Bottom, fresh.Left, fresh.Right}) dock->AdjustBounds();
  fresh.Settle();
  EXPECT_EQ(bars.Standard->Dock(), fresh.Bottom);
  EXPECT_EQ(bars.Standard->geometry(), standardBounds);
  EXPECT_TRUE(bars.Standard->IsShown());
  EXPECT_EQ(fresh.Bottom->height(), bottomDepth);
  EXPECT_EQ(fresh.Top->height(), topDepth);
  ASSERT_TRUE(bars.Text->Floating());
  EXPECT_EQ(bars.Text->FloatWindow()->geometry(), textWindow);
  EXPECT_TRUE(bars.Text->IsShown());
  EXPECT_EQ(bars.Objects->Dock(), fresh.Left);
  EXPECT_FALSE(bars.Objects->IsShown()) << "a saved hidden docked toolbar stays hidden";
}

TEST(Placement, MissingOrBadValuesKeepTheToolbarAsItIs) {
  TvlScopedSettings settings;
  TDockHost host;
  TvlToolBar* bar = host.AddToolBar(host.Top, "Standard", 2);
  const QRect before = bar->geometry();
  RestoreToolbarPlacement(*bar);
  EXPECT_EQ(bar->geometry(), before);
  EXPECT_TRUE(bar->IsShown());

  const std::string key = "Software\\Vellora\\ToolBar\\Standard";
  settings.Store.WriteString(key, "XPosition", "12abc");
  settings.Store.WriteString(key, "DockName", "NoSuchDock");
  RestoreToolbarPlacement(*bar);
  EXPECT_EQ(bar->Dock(), host.Top) << "a dock name that names nothing leaves it in its dock";
  EXPECT_EQ(bar->x(), before.x());
}

TEST(Placement, WindowsComeBackNormalOrKeepTheirStateWhenSavedMaximised) {
  TvlScopedSettings settings;
  vlSetPlacementRoot("Software\\Vellora\\Envelopes");
  QWidget saved;
  saved.setGeometry(30, 40, 320, 200);
  SaveFormPlacement(saved, "TvlPreviewForm");
  const std::string key = "Software\\Vellora\\Envelopes\\Form\\TvlPreviewForm";
  EXPECT_EQ(settings.Store.ReadString(key, "XPosition", ""), "30");
  EXPECT_EQ(settings.Store.ReadString(key, "Width", ""), "320");
  EXPECT_EQ(settings.Store.ReadString(key, "Maximized", ""), "0");

  QWidget restored;
  restored.setWindowState(Qt::WindowMaximized);
  RestoreFormPlacement(restored, "TvlPreviewForm");
  EXPECT_FALSE(restored.isMaximized()) << "saved normal, restored normal";
  // The client rectangle, as saved (the frame lies around it).
  EXPECT_EQ(restored.geometry(), QRect(30, 40, 320, 200));

  settings.Store.WriteString(key, "Maximized", "1");
  settings.Store.WriteString(key, "Width", "400");
  QWidget maximised;
  maximised.setWindowState(Qt::WindowMaximized);
  RestoreFormPlacement(maximised, "TvlPreviewForm");
  EXPECT_TRUE(maximised.isMaximized()) << "the state is left as it was";
  EXPECT_EQ(maximised.normalGeometry().width(), 400) << "the bounds it returns to";

  // Off the screens, a placement comes back on them; never placed, a window
  // keeps the place it would take by default.
  settings.Store.WriteString(key, "Maximized", "0");
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  for (const QRect& away : {QRect(-3000, -2000, 320, 200), QRect(screen.right() + 500, 40, 320, 200),
                            QRect(20, -15, 320, 200), QRect(-40, 10, screen.width() * 3, screen.height() * 2)}) {
    settings.Store.WriteString(key, "XPosition", std::to_string(away.x()));
    settings.Store.WriteString(key, "YPosition", std::to_string(away.y()));
    settings.Store.WriteString(key, "Width", std::to_string(away.width()));
    settings.Store.WriteString(key, "Height", std::to_string(away.height()));
    QWidget pulled;
    EXPECT_TRUE(RestoreFormPlacement(pulled, "TvlPreviewForm"));
    EXPECT_TRUE(screen.contains(pulled.geometry())) << away.x() << "," << away.y();
    EXPECT_GE(pulled.geometry().top(), screen.top() + 20) << "room for the title bar";
  }
  settings.Store.Values.clear();
  settings.Store.WriteString(key, "Width", "250");
  QWidget unplaced;
  unplaced.setGeometry(5, 6, 100, 100);
  EXPECT_FALSE(RestoreFormPlacement(unplaced, "TvlPreviewForm"));
  EXPECT_EQ(unplaced.geometry(), QRect(5, 6, 250, 100)) << "the size applies, the place stays";

  QWidget untouched;
  untouched.setGeometry(1, 2, 3, 4);
  settings.Store.Values.clear();
  RestoreFormPlacement(untouched, "TvlPreviewForm");
  EXPECT_EQ(untouched.geometry(), QRect(1, 2, 3, 4)) << "missing values keep the current bounds";
  vlSetPlacementRoot("Software\\Vellora");
}

}  // namespace
}  // namespace vl
