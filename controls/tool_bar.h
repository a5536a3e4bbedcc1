#pragma once
// A toolbar that docks in a TvlDock and floats in a small tool window. Its
// grip drags it along its row, into other rows and docks, and out into its
// float window; from there its caption drags it into any dock whose
// direction it accepts.

#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <vector>

namespace vl {

class TvlDock;
class TvlDragBox;
class TvlFloatWindow;

enum class TvlToolBarOrientation : std::uint8_t { toAny = 0, toVertOnly = 1, toHorzOnly = 2 };

class TvlToolBar : public QWidget {
 public:
  // A toolbar 26 pixels high in the dock, with its grip as first child.
  TvlToolBar(TvlDock* dock, const QString& name, const QString& caption = {});
  ~TvlToolBar() override;

  bool CanFloat = true;
  TvlToolBarOrientation Orientation = TvlToolBarOrientation::toAny;
  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);

  bool Floating() const { return floating_; }
  TvlFloatWindow* FloatWindow() const;
  TvlDragBox* Grip() const { return grip_; }
  // The dock holding the toolbar (none while floating).
  TvlDock* Dock() const;
  // The window the toolbar belongs to: its dock's window, or its float
  // window's owner.
  QWidget* Owner() const;
  // Controls flow across (top or bottom dock, float window) or down (left or
  // right dock).
  bool VerticalFlow() const;
  // The child controls in order, the grip first.
  std::vector<QWidget*> Controls() const;

  // Turns the controls to the toolbar's flow, keeping their order; controls
  // at the far end stay at the far end.
  void Arrange();
  // Arrange, then the length becomes the visible controls' lengths plus 4.
  void AdjustSize();
  // Moves the toolbar in its dock to (x, y), pushed aside by the others;
  // floats it when pulled off the dock. False when the place is refused.
  bool MoveInDock(int x, int y);
  // Floats the toolbar with its float window's top-left at the screen point.
  void FloatAt(int x, int y);
  void DockInto(TvlDock* dock, int x, int y);
  // Docks at the dock's far side, in a new row.
  void DockAtEnd(TvlDock* dock);
  // Docks into the dock of the container under the point (container
  // coordinates) and goes on dragging there. False when no dock takes it.
  bool DockAt(QWidget* container, QPoint point);
  // The float window's visibility while floating, else the toolbar's.
  bool IsShown() const;
  void SetShown(bool shown);
  // The Toolbars menu: a floating toolbar shows or hides its float window; a
  // docked one is put at the end of its dock first when shown.
  void ShowFromMenu(bool shown);

  // The drag handlers of the toolbar and its grip (screen positions).
  void DragPress(QPoint screen);
  void DragMove(QPoint screen);
  void DragRelease();
  bool Pressed() const { return pressed_; }

  // Lays out the aligned controls inside the client area.
  void Realign();
  // The float window is going away.
  void ForgetFloatWindow();
  // Puts a new control after the others in the flow.
  void PlaceAtEnd(QWidget* control);

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void MakeFloat(QPoint screen);

  QString caption_;
  TvlDragBox* grip_ = nullptr;
  QPointer<TvlFloatWindow> floatWindow_;
  bool floating_ = false;
  bool pressed_ = false;
  QPoint last_;    // the cursor where the drag last moved the toolbar
  QPoint cursor_;  // the cursor now
  int realignLock_ = 0;
};

}  // namespace vl
