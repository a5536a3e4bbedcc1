#pragma once
// The small tool window a floating toolbar lives in. It draws its own
// caption so that a press on the caption starts the toolbar's drag: an
// outline follows the cursor by its top-left corner, docks the toolbar when
// it comes over a dock that takes it, and otherwise the window lands where
// the outline was released. Closing the window only hides it.

#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <memory>

namespace vl {

class TvlToolBar;
class TvlDragOutline;

class TvlFloatWindow : public QWidget {
 public:
  // A tool window owned by (kept above) the owner window.
  TvlFloatWindow(QWidget* owner, TvlToolBar* toolbar);
  ~TvlFloatWindow() override;

  static constexpr int kBorder = 2, kCaptionHeight = 15;

  TvlToolBar* ToolBar() const { return toolbar_; }
  // The area under the caption that holds the toolbar at (0, 0).
  QWidget* Client() const { return client_; }
  void SetClientSize(int width, int height);
  QWidget* Owner() const { return parentWidget(); }
  bool Pressed() const { return pressed_; }
  // The outline of a running drag (screen coordinates).
  QRect Outline() const { return outline_; }
  QRect CaptionRect() const;
  QRect CloseButtonRect() const;

  // The drag handlers (screen positions).
  void DragPress(QPoint screen);
  void DragMove(QPoint screen);
  void DragRelease();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QPointer<TvlToolBar> toolbar_;
  QWidget* client_;
  bool pressed_ = false;
  QRect outline_;
  std::unique_ptr<TvlDragOutline> outlineWidget_;
};

}  // namespace vl
