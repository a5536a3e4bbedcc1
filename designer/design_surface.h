#pragma once
// The design surface: the current page at one design unit per pixel, with
// its grid, margins, columns, bands and objects (drawn by the views
// themselves), the selection handles, and the mouse work of inserting,
// selecting, moving and resizing objects. Selection lives in the views'
// Selected flags. Only what changed is repainted: a drag repaints the old
// and new rectangles of the moving objects.

#include <QWidget>

class QMimeData;
#include <cstdint>
#include <string>
#include <vector>

#include "platform/graphics_types.h"

namespace vl {

class TvlDesignerForm;
class TvlPage;
class TvlView;

enum TvlSurfaceMode : std::uint8_t { smSelect, smInsert };

// What a drag with the button held does, settled when the button goes down
// from what the pointer was over (and the tool and keys in force).
enum class TvlGesture : std::uint8_t {
  None,
  RubberBand,  // selecting the objects a frame meets
  Move,        // the selection follows the pointer
  Resize,      // a selection handle is dragged
  Insert,      // the frame of a new object is drawn
  Line,        // the pencil draws a line
  SharedEdge,  // the edge two neighbours share is moved
};

// The tools of the objects toolbar, by tag.
inline constexpr int kToolSelect = -1;
inline constexpr int kToolLine = 4;  // otLine: the pencil

class TvlDesignerPage : public QWidget {
 public:
  explicit TvlDesignerPage(TvlDesignerForm& form, QWidget* parent);

  // ---- State shared with the window ----
  TvlView* AnchorObject = nullptr;
  bool GroupBoundsValid = false;
  QPoint LeftTop{10000, 10000};
  int RightBottomIndex = -1;
  TvlRect DragRect, DragRectSaved;  // edges as dragged (right may lie left of left)
  bool TrackRectInStatus = false;
  bool DrawingDisabled = false;
  // Set while an object's dialog is open: the selection marks are not drawn.
  bool HandlesHidden = false;
  bool StickyTool = false;
  TvlSurfaceMode SurfaceMode = smSelect;
  // The tool down on the objects toolbar (its tag).
  int Tool = kToolSelect;
  void SetTool(int tag, bool sticky = false);
  // The drag in progress; None while no button is held.
  TvlGesture Gesture() const { return gesture_; }

  void Init();
  // Places and sizes the surface for the current page.
  void SetPage();
  void ComputeGroupBounds();
  // Every object drawn once off-screen, so that views settle their geometry
  // (bands spanning the page).
  void SettleGeometry();
  // Repaints a rectangle of the surface, or the whole surface.
  void RepaintRect(const QRect& r) { update(r); }
  void RepaintAll() { update(); }
  // The rectangle an object covers, its frame, handles and outline included.
  static QRect ExtendedRect(const TvlView& view);
  // The object under a point (topmost first), or none.
  TvlView* HitTest(QPoint p) const;
  // Grid stepping: the point snapped down to the grid when aligning.
  QPoint SnapDown(QPoint p) const;
  // The selected objects' extended rectangles, united.
  QRect SelectionRect() const;
  // The object nearest in an arrow's direction, or none (keyboard).
  TvlView* NearestObject(TvlView& from, int key) const;
  // Inserts an object of the current tool over DragRect (the button-up
  // insertion), also used by tests and field drops.
  TvlView* InsertObject();
  // Painting of the whole page into a painter (the benchmark draws with it).
  void PaintPage(QPainter& painter, const QRect& area);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  TvlPage* Page() const;
  int Grid() const;
  bool GridAligned(Qt::KeyboardModifiers modifiers) const;
  // Steps dx, dy by whole grid steps; false when the move is below a step.
  bool GridStep(QPoint p, Qt::KeyboardModifiers modifiers, int& dx, int& dy);
  void Hover(QPoint p, Qt::KeyboardModifiers modifiers);
  void DragStep(QPoint p, Qt::KeyboardModifiers modifiers);
  TvlView* FinishInsert();
  bool AcceptsField(const QMimeData* mime, std::string& reference) const;
  void MoveFieldFrame(QPoint p);
  void HideInsertFrame();
  // Keeps the pointer visible while a drag leaves the visible area.
  void AutoScroll(QPoint p);
  void FinishLine();
  void FinishRubberBand();
  void PaintHandles(QPainter& painter);
  void PaintRubber(QPainter& painter);
  void UpdateRubber(const QRect& before);
  QRect RubberArea() const;
  QPoint SnapLineStart(QPoint p) const;
  void BeginChange();

  TvlDesignerForm& form_;
  QPoint lastPoint_;
  bool buttonHeld_ = false;
  bool moved_ = false;
  TvlGesture gesture_ = TvlGesture::None;
  Qt::CursorShape handle_ = Qt::ArrowCursor;  // the handle a resize started on
  bool snapshotPending_ = false;
  bool firstBandMove_ = false;
  bool ctrlAtPress_ = false;
  bool suppressNextPress_ = false;
  bool dragFromList_ = false;  // a field is being dragged in from the field list
  int activeHandle_ = 0;
  Qt::CursorShape cursor_ = Qt::ArrowCursor;
  QPoint pressPoint_;
  // The shared-edge drag.
  struct {
    TvlRect Line;
    int Start = 0;
    TvlView* LeftObject = nullptr;
    TvlView* RightObject = nullptr;
  } split_;
  bool showFrame_ = false;  // the insertion frame follows the pointer
  bool Rubber() const { return gesture_ == TvlGesture::RubberBand || gesture_ == TvlGesture::Insert; }
};

}  // namespace vl
