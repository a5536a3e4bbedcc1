#include "designer/design_surface.h"

#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "designer/designer_dialogs.h"
#include "designer/designer_form.h"
#include "controls/designer_glyphs.h"
#include "designer/page_edits.h"
#include "designer/designer_restrictions.h"
#include "engine/core/engine_state.h"
#include "engine/core/string_table.h"
#include "engine/model/band_kinds.h"
#include "engine/model/object_factory.h"
#include "engine/model/page_limits.h"
#include "engine/model/report.h"
#include "engine/model/views.h"
#include "platform/qt/qt_canvas.h"
#include "platform/platform.h"
#include "platform/qt/qt_text.h"

namespace vl {

namespace {

constexpr int kHandleSize = 5;

QRect ViewRect(const TvlView& v) { return QRect(v.Left, v.Top, v.Width, v.Height); }

QRect ToQRect(const TvlRect& r) {
  return QRect(QPoint(std::min(r.Left, r.Right), std::min(r.Top, r.Bottom)),
               QPoint(std::max(r.Left, r.Right), std::max(r.Top, r.Bottom)));
}

TvlRect Normalized(TvlRect r) {
  if (r.Left > r.Right) std::swap(r.Left, r.Right);
  if (r.Top > r.Bottom) std::swap(r.Top, r.Bottom);
  return r;
}

// A negative width or height is turned round; true when it was.
bool NormalizeView(TvlView& v) {
  bool flipped = false;
  if (v.Width < 0) {
    v.Left += v.Width;
    v.Width = -v.Width;
    flipped = true;
  }
  if (v.Height < 0) {
    v.Top += v.Height;
    v.Height = -v.Height;
    flipped = true;
  }
  return flipped;
}

bool MaySize(const TvlView& v) { return !vlRestricted(dsNoSizeObject) && !(v.Restrictions & rsDontSize); }

// Whether (px, py) lies at the handle point (hx, hy) with tolerance t.
bool AtHandle(QPoint p, int hx, int hy, int t) {
  return hx - t <= p.x() && p.x() <= hx + t + 1 && hy - t <= p.y() && p.y() <= hy + t + 1;
}

// Truncating modulo of the grid steps (remainders toward zero).
int StepOf(int d, int grid) { return d - d % grid; }

// Round half to even.
int RoundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

QCursor PencilCursor() {
  static const QCursor cursor(QPixmap::fromImage(vlDesignerGlyph(TvlDesignerGlyph::Pencil)), 1, 14);
  return cursor;
}

}  // namespace

TvlDesignerPage::TvlDesignerPage(TvlDesignerForm& form, QWidget* parent) : QWidget(parent), form_(form) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFocusPolicy(Qt::NoFocus);
  setAcceptDrops(true);
}

TvlPage* TvlDesignerPage::Page() const { return form_.Page; }
int TvlDesignerPage::Grid() const { return std::max(1, form_.Options.GridSize); }
bool TvlDesignerPage::GridAligned(Qt::KeyboardModifiers m) const {
  return form_.Options.GridAlign != ((m & Qt::AltModifier) != 0);
}

void TvlDesignerPage::SetTool(int tag, bool sticky) {
  Tool = tag;
  StickyTool = sticky;
  SurfaceMode = (tag == kToolSelect || tag == kToolLine) ? smSelect : smInsert;
  if (showFrame_) update(ToQRect(DragRect).adjusted(-2, -2, 2, 2));
  showFrame_ = false;
  cursor_ = Qt::ArrowCursor;
  setCursor(Qt::ArrowCursor);
}

void TvlDesignerPage::Init() {
  buttonHeld_ = false;
  suppressNextPress_ = false;
  gesture_ = TvlGesture::None;
  activeHandle_ = 0;
  cursor_ = Qt::ArrowCursor;
  setCursor(Qt::ArrowCursor);
}

void TvlDesignerPage::SetPage() {
  TvlPage* page = Page();
  if (!page || DrawingDisabled) return;
  if (page->PageType == ptDialog) {
    if (parentWidget()) setGeometry(parentWidget()->rect());
    return;
  }
  const int w = page->PaperMetrics.PaperWidthU;
  const int h = page->PaperMetrics.PaperHeightU * (form_.Options.UnlimitedHeight ? 3 : 1);
  QScrollArea* area = form_.ScrollArea();
  const int client = area ? area->viewport()->width() : w + 20;
  int left;
  if (client - 11 < w || form_.Options.PagePosition == ppLeft)
    left = 10;
  else if (form_.Options.PagePosition == ppCenter)
    left = (client - w) / 2;
  else
    left = client - w - 11;
  if (parentWidget()) parentWidget()->resize(std::max(client, left + w + 10), 10 + h + 10);
  setGeometry(left, 10, w, h);
  update();
}

QRect TvlDesignerPage::ExtendedRect(const TvlView& view) {
  const TvlRect b = const_cast<TvlView&>(view).GetClipRgn(true).Bounds();
  return QRect(QPoint(b.Left, b.Top), QPoint(b.Right, b.Bottom));
}

QRect TvlDesignerPage::SelectionRect() const {
  QRect r;
  if (TvlPage* page = Page())
    for (const auto& v : page->Objects)
      if (v->Selected) r |= ExtendedRect(*v);
  return r;
}

void TvlDesignerPage::SettleGeometry() {
  TvlPage* page = Page();
  if (!page) return;
  QImage scratch(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
  QPainter painter(&scratch);
  TvlEngineState& st = vlState();
  const TvlDocMode mode = st.DocMode;
  st.DocMode = TvlDocMode::dmDesign;
  st.CurPage = page;
  TvlQtCanvas canvas(painter, {scratch.width(), scratch.height()}, 96, 96);
  for (const auto& v : page->Objects) {
    v->Draw(canvas);
    v->Canvas = nullptr;
  }
  st.DocMode = mode;
}

void TvlDesignerPage::ComputeGroupBounds() {
  TvlPage* page = Page();
  LeftTop = QPoint(10000, 10000);
  RightBottomIndex = -1;
  GroupBoundsValid = false;
  if (!page) return;
  int count = 0, right = -100000, bottom = -100000, maxRight = -100000, maxBottom = -100000;
  for (std::size_t i = 0; i < page->Objects.size(); ++i) {
    TvlView& v = *page->Objects[i];
    if (!v.Selected) continue;
    ++count;
    LeftTop.setX(std::min(LeftTop.x(), v.Left));
    LeftTop.setY(std::min(LeftTop.y(), v.Top));
    right = v.Left + v.Width;
    bottom = v.Top + v.Height;
    if (right > maxRight || (right == maxRight && bottom > maxBottom)) {
      maxRight = right;
      maxBottom = bottom;
      RightBottomIndex = static_cast<int>(i);
    }
    v.SavedGeometry.Left = v.Left;
    v.SavedGeometry.Top = v.Top;
    v.SavedGeometry.Width = v.Width;
    v.SavedGeometry.Height = v.Height;
  }
  if (count >= 2) {
    int maxBottomAll = -100000;
    for (const auto& v : page->Objects)
      if (v->Selected) maxBottomAll = std::max(maxBottomAll, v->Top + v->Height);
    DragRect = {LeftTop.x(), LeftTop.y(), maxRight, maxBottomAll};
    DragRectSaved = DragRect;
    GroupBoundsValid = true;
  }
}

QPoint TvlDesignerPage::SnapDown(QPoint p) const {
  if (!form_.Options.GridAlign) return p;
  const int g = Grid();
  return QPoint(g * (p.x() / g), g * (p.y() / g));
}

TvlView* TvlDesignerPage::HitTest(QPoint p) const {
  TvlPage* page = Page();
  if (!page) return nullptr;
  for (auto it = page->Objects.rbegin(); it != page->Objects.rend(); ++it) {
    TvlView& v = **it;
    if (std::abs(v.Width) < 3 || std::abs(v.Height) < 3) {
      const QRect grown = ViewRect(v).normalized().adjusted(-3, -3, 3, 3);
      if (p.x() >= grown.left() && p.x() < grown.left() + grown.width() && p.y() >= grown.top() &&
          p.y() < grown.top() + grown.height())
        return &v;
    } else if (v.GetClipRgn(false).Contains({p.x(), p.y()})) {
      return &v;
    }
  }
  return nullptr;
}

// ---- Painting ----

void TvlDesignerPage::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  PaintPage(painter, event->rect());
}

void TvlDesignerPage::PaintPage(QPainter& painter, const QRect& area) {
  TvlPage* page = Page();
  if (!page || DrawingDisabled) {
    painter.fillRect(area, palette().color(QPalette::Dark));
    return;
  }
  const bool dialog = page->PageType == ptDialog;
  const QColor background = dialog ? vlQtColor(page->Color) : QColor(Qt::white);
  const int grid = Grid();
  if (form_.Options.GridShow && (grid == 4 || grid == 8)) {
    // The grid as a tiled 8 x 8 pattern with dots at the grid points.
    QPixmap tile(8, 8);
    tile.fill(background);
    QPainter tp(&tile);
    tp.setPen(Qt::black);
    tp.drawPoint(0, 0);
    if (grid == 4) tp.drawPoints(QPolygon({QPoint(4, 0), QPoint(0, 4), QPoint(4, 4)}));
    tp.end();
    painter.fillRect(area, QBrush(tile));
  } else {
    painter.fillRect(area, background);
    if (form_.Options.GridShow && grid == 18) {
      QPolygon dots;
      for (int x = (area.left() / 18) * 18; x <= area.right(); x += 18)
        for (int y = (area.top() / 18) * 18; y <= area.bottom(); y += 18) dots << QPoint(x, y);
      painter.setPen(Qt::black);
      painter.drawPoints(dots);
    }
  }

  TvlEngineState& st = vlState();
  const TvlDocMode mode = st.DocMode;
  st.DocMode = TvlDocMode::dmDesign;
  st.CurPage = page;
  painter.save();
  painter.setClipRect(area);
  TvlQtCanvas canvas(painter, {width(), height()}, 96, 96);
  const bool outlinesOnly = buttonHeld_ && moved_ && form_.Options.Selection == 0;
  for (const auto& owned : page->Objects) {
    TvlView& v = *owned;
    if (!ExtendedRect(v).intersects(area)) continue;
    if (outlinesOnly && v.Selected) continue;
    v.DrawScaleX = v.DrawScaleY = 1.0;
    v.DrawOffsetX = v.DrawOffsetY = 0;
    canvas.SetCharSpacing(0);
    v.Draw(canvas);
    v.Canvas = nullptr;  // the surface lives for this paint only
    canvas.SetCharSpacing(0);
    if (!v.Script.empty())
      painter.drawImage(v.Left + 1, v.Top + 1, vlDesignerGlyph(TvlDesignerGlyph::ScriptMark));
    if (v.Typ == otMemo && !static_cast<TvlMemoView&>(v).HighlightCondition.empty())
      painter.drawImage(v.Left + 1, v.Top + 10, vlDesignerGlyph(TvlDesignerGlyph::HighlightMark));
  }
  painter.restore();
  st.DocMode = mode;

  if (!dialog) {
    painter.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
    painter.setBrush(Qt::NoBrush);
    const TvlPageLimits limits = vlPageLimits(*page);
    if (page->UseMargins)
      painter.drawRect(limits.Left, limits.Top, limits.Right - limits.Left, limits.Bottom - limits.Top);
    if (page->Columns >= 2) {
      page->ColumnWidth =
          (limits.Right - limits.Left - (page->Columns - 1) * page->ColumnGap) / page->Columns;
      painter.setPen(QPen(QColor(0x80, 0x80, 0x80), 1, Qt::DotLine));
      int x = limits.Left;
      for (int i = 0; i < page->Columns && i < 1000; ++i) {
        painter.drawRect(x, -1, page->ColumnWidth, height() + 2);
        x += page->ColumnWidth + page->ColumnGap;
      }
    }
  }
  if (outlinesOnly) {
    painter.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
    painter.setBrush(Qt::NoBrush);
    for (const auto& v : page->Objects)
      if (v->Selected) painter.drawRect(ViewRect(*v).normalized());
  }
  if (!buttonHeld_ && !HandlesHidden) PaintHandles(painter);
  PaintRubber(painter);
}

void TvlDesignerPage::PaintHandles(QPainter& painter) {
  TvlPage* page = Page();
  const int count = form_.SelectionCount();
  auto handle = [&](int x, int y, const QColor& c) {
    painter.fillRect(x - 2, y - 2, kHandleSize, kHandleSize, c);
  };
  for (std::size_t i = 0; i < page->Objects.size(); ++i) {
    const TvlView& v = *page->Objects[i];
    if (!v.Selected) continue;
    const int l = v.Left, t = v.Top, r = v.Left + v.Width, b = v.Top + v.Height;
    handle(l, t, Qt::black);
    if (v.Width != 0 && v.Height != 0) {
      handle(r, t, Qt::black);
      handle(l, b, Qt::black);
    }
    handle(r, b, static_cast<int>(i) == RightBottomIndex ? QColor(0x00, 0x80, 0x80) : QColor(Qt::black));
    if (count == 1 && v.Width != 0 && v.Height != 0) {
      handle(l + v.Width / 2, t, Qt::black);
      handle(l + v.Width / 2, b, Qt::black);
      handle(l, t + v.Height / 2, Qt::black);
      handle(r, t + v.Height / 2, Qt::black);
    }
  }
}

QRect TvlDesignerPage::RubberArea() const {
  if (gesture_ == TvlGesture::Line) return ToQRect(DragRect).adjusted(-8, -8, 8, 8);
  if (split_.LeftObject && cursor_ == Qt::SplitHCursor) return ToQRect(split_.Line).adjusted(-2, -2, 2, 2);
  return ToQRect(DragRect).adjusted(-2, -2, 2, 2);
}

void TvlDesignerPage::PaintRubber(QPainter& painter) {
  painter.setBrush(Qt::NoBrush);
  if (gesture_ == TvlGesture::Line) {
    const int dx = DragRect.Right - DragRect.Left, dy = DragRect.Bottom - DragRect.Top;
    painter.setPen(QPen(Qt::black, std::max(1, static_cast<int>(std::lround(vlLastUsed().LineWidth)))));
    if (std::abs(dy) >= std::abs(dx))
      painter.drawLine(DragRect.Left, DragRect.Top, DragRect.Left, DragRect.Bottom);
    else
      painter.drawLine(DragRect.Left, DragRect.Top, DragRect.Right, DragRect.Top);
    return;
  }
  QPen pen(QColor(0x60, 0x60, 0x60), 1, Qt::DashLine);
  painter.setPen(pen);
  if (buttonHeld_ && gesture_ == TvlGesture::SharedEdge && split_.LeftObject) {
    painter.drawLine(split_.Line.Left, split_.Line.Top, split_.Line.Left, split_.Line.Bottom);
  } else if (Rubber() || (showFrame_ && !buttonHeld_ && Page()->PageType == ptReport)) {
    const QRect r = ToQRect(DragRect);
    painter.drawRect(r);
  }
}

void TvlDesignerPage::UpdateRubber(const QRect& before) { update(before | RubberArea()); }

// ---- Mouse ----

void TvlDesignerPage::mousePressEvent(QMouseEvent* event) {
  TvlPage* page = Page();
  if (!page) return;
  const QPoint p = event->position().toPoint();
  const Qt::KeyboardModifiers mods = event->modifiers();
  ctrlAtPress_ = mods & Qt::ControlModifier;
  if (suppressNextPress_) {
    suppressNextPress_ = false;
    return;
  }
  const QRect rubberBefore = RubberArea();
  const QRect selectionBefore = SelectionRect();
  const bool left = event->button() == Qt::LeftButton;
  if (!left && Rubber()) update(rubberBefore);
  gesture_ = TvlGesture::None;
  buttonHeld_ = true;
  pressPoint_ = p;
  if (left) {
    // What the drag will do is settled here, from what the pointer was over.
    if ((mods & Qt::ControlModifier) || cursor_ == Qt::CrossCursor) {
      gesture_ = cursor_ == Qt::CrossCursor ? TvlGesture::Insert : TvlGesture::RubberBand;
      QPoint at = p;
      if (gesture_ == TvlGesture::Insert) {
        at = SnapDown(p);
        DragRectSaved = DragRect;
        showFrame_ = false;
      }
      DragRect = {at.x(), at.y(), at.x(), at.y()};
      form_.ClearSelection();
      RightBottomIndex = -1;
      GroupBoundsValid = false;
      AnchorObject = nullptr;
      update(selectionBefore | rubberBefore);
      return;
    }
    if (Tool == kToolLine) {
      const QPoint at = SnapLineStart(p);
      DragRect = {at.x(), at.y(), at.x(), at.y()};
      form_.ClearSelection();
      RightBottomIndex = -1;
      GroupBoundsValid = false;
      AnchorObject = nullptr;
      lastPoint_ = at;
      gesture_ = TvlGesture::Line;
      update(selectionBefore);
      return;
    }
  }
  if (cursor_ == Qt::ArrowCursor) {
    TvlView* hit = HitTest(p);
    if (hit) {
      if (mods & Qt::ShiftModifier) {
        hit->Selected = hit->Selected ? 0 : 1;
      } else if (!hit->Selected) {
        form_.ClearSelection();
        hit->Selected = 1;
      }
      if (left) gesture_ = TvlGesture::Move;
      const int count = form_.SelectionCount();
      if (count == 0)
        AnchorObject = nullptr;
      else if (count == 1)
        AnchorObject = hit;
      else if (AnchorObject && !AnchorObject->Selected)
        AnchorObject = nullptr;
    } else {
      form_.ClearSelection();
      AnchorObject = nullptr;
      if (left) {
        gesture_ = TvlGesture::RubberBand;
        DragRect = {p.x(), p.y(), p.x(), p.y()};
        update(selectionBefore);
        return;
      }
    }
    ComputeGroupBounds();
  } else if (left && cursor_ == Qt::SplitHCursor) {
    gesture_ = TvlGesture::SharedEdge;
  } else if (left) {
    gesture_ = TvlGesture::Resize;
    handle_ = cursor_;
  }
  if (form_.SelectionCount() == 0) {
    RightBottomIndex = -1;
    GroupBoundsValid = false;
  }
  lastPoint_ = p;
  moved_ = false;
  snapshotPending_ = true;
  firstBandMove_ = true;
  update(selectionBefore | SelectionRect());
  if (!left) {
    buttonHeld_ = false;
    form_.SelectionChanged();
    if (event->button() == Qt::RightButton) form_.ShowSurfaceMenu(event->globalPosition().toPoint());
  }
}

QPoint TvlDesignerPage::SnapLineStart(QPoint p) const {
  if (!form_.Options.GridAlign) return p;
  const int g = Grid();
  double best = g;
  QPoint found = p;
  bool any = false;
  for (const auto& v : Page()->Objects) {
    const QPoint corners[4] = {{v->Left, v->Top}, {v->Left + v->Width, v->Top},
                               {v->Left, v->Top + v->Height}, {v->Left + v->Width, v->Top + v->Height}};
    for (const QPoint& c : corners) {
      const double d = std::hypot(c.x() - p.x(), c.y() - p.y());
      if (d < best) {
        best = d;
        found = c;
        any = true;
      }
    }
  }
  if (any) return found;
  return QPoint(g * RoundEven(static_cast<double>(p.x()) / g), g * RoundEven(static_cast<double>(p.y()) / g));
}

void TvlDesignerPage::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (!buttonHeld_) {
    Hover(p, event->modifiers());
    return;
  }
  DragStep(p, event->modifiers());
  if (event->buttons() == Qt::LeftButton && event->modifiers() == Qt::NoModifier) AutoScroll(p);
}

void TvlDesignerPage::Hover(QPoint p, Qt::KeyboardModifiers) {
  TvlPage* page = Page();
  if (!page) return;
  Qt::CursorShape shape = Qt::ArrowCursor;
  TrackRectInStatus = false;
  if (Tool == kToolSelect) {
    SurfaceMode = smSelect;
    const int count = form_.SelectionCount();
    if (count == 0) {
      DragRect = {p.x(), p.y(), p.x(), p.y()};
      TrackRectInStatus = true;
    } else if (count == 1) {
      const TvlView& v = *form_.Selection().front();
      const int l = v.Left, t = v.Top, r = v.Left + v.Width, b = v.Top + v.Height;
      const int mx = l + v.Width / 2, my = t + v.Height / 2;
      if (AtHandle(p, l, t, 2) || AtHandle(p, r, b, 2))
        shape = Qt::SizeFDiagCursor;
      else if (AtHandle(p, r, t, 2) || AtHandle(p, l, b, 2))
        shape = Qt::SizeBDiagCursor;
      else if (AtHandle(p, mx, t, 2) || AtHandle(p, mx, b, 2))
        shape = Qt::SizeVerCursor;
      else if (AtHandle(p, l, my, 2) || AtHandle(p, r, my, 2))
        shape = Qt::SizeHorCursor;
    } else {
      if (RightBottomIndex >= 0 && RightBottomIndex < static_cast<int>(page->Objects.size())) {
        const TvlView& v = *page->Objects[static_cast<std::size_t>(RightBottomIndex)];
        if (AtHandle(p, v.Left + v.Width, v.Top + v.Height, 2)) shape = Qt::SizeFDiagCursor;
      }
      if (shape == Qt::ArrowCursor) {
        split_.LeftObject = split_.RightObject = nullptr;
        for (const auto& pp : page->Objects) {
          const TvlView& P = *pp;
          if (!P.Selected || P.Typ == otBand || P.Typ == otLine) continue;
          if (p.x() < P.Left || p.x() > P.Left + P.Width || p.y() < P.Top || p.y() > P.Top + P.Height) continue;
          for (const auto& ww : page->Objects) {
            TvlView& W = *ww;
            if (&W == &P || !W.Selected || W.Typ == otBand) continue;
            const int pr = P.Left + P.Width;
            if (W.Left + W.Width == P.Left && p.x() >= P.Left && p.x() <= P.Left + 2) {
              split_ = {{P.Left, P.Top, P.Left, P.Top + P.Height}, P.Left, &W, const_cast<TvlView*>(&P)};
              shape = Qt::SplitHCursor;
            } else if (W.Left == pr && p.x() >= pr - 2 && p.x() <= pr) {
              split_ = {{pr, P.Top, pr, P.Top + P.Height}, pr, const_cast<TvlView*>(&P), &W};
              shape = Qt::SplitHCursor;
            }
            if (shape == Qt::SplitHCursor) break;
          }
          if (shape == Qt::SplitHCursor) break;
        }
      }
    }
  } else if (Tool == kToolLine) {
    SurfaceMode = smSelect;
    setCursor(PencilCursor());
    cursor_ = Qt::BitmapCursor;
    return;
  } else {
    SurfaceMode = smInsert;
    const QRect before = RubberArea();
    const QPoint at = SnapDown(p);
    const TvlSize size = form_.DefaultObjectSize();
    const int w = Tool == otBand ? width() : size.Width;
    DragRect = {at.x(), at.y(), at.x() + w, at.y() + size.Height};
    showFrame_ = true;
    TrackRectInStatus = true;
    UpdateRubber(showFrame_ ? before : QRect());
    shape = Qt::CrossCursor;
  }
  if (shape != cursor_) {
    cursor_ = shape;
    setCursor(shape);
  }
  form_.UpdateStatus();
}

bool TvlDesignerPage::GridStep(QPoint p, Qt::KeyboardModifiers m, int& dx, int& dy) {
  dx = p.x() - lastPoint_.x();
  dy = p.y() - lastPoint_.y();
  if (GridAligned(m)) {
    const int g = Grid();
    if (std::abs(dx) < g && std::abs(dy) < g) return false;
    dx = StepOf(dx, g);
    dy = StepOf(dy, g);
  }
  return dx != 0 || dy != 0;
}

void TvlDesignerPage::BeginChange() {
  if (!snapshotPending_) return;
  snapshotPending_ = false;
  form_.RecordUndo(ukEdit);
}

void TvlDesignerPage::DragStep(QPoint p, Qt::KeyboardModifiers mods) {
  TvlPage* page = Page();
  if (!page) return;
  moved_ = true;
  const QRect rubberBefore = RubberArea();
  if (Rubber()) {
    const QPoint at = gesture_ == TvlGesture::Insert ? SnapDown(p) : p;
    DragRect.Right = at.x();
    DragRect.Bottom = at.y();
    TrackRectInStatus = gesture_ == TvlGesture::Insert;
    UpdateRubber(rubberBefore);
    form_.UpdateStatus();
    return;
  }
  int dx = 0, dy = 0;
  if (gesture_ == TvlGesture::Line) {
    if (!GridStep(p, mods, dx, dy)) return;
    DragRect.Right += dx;
    DragRect.Bottom += dy;
    lastPoint_ += QPoint(dx, dy);
    UpdateRubber(rubberBefore);
    return;
  }
  const int count = form_.SelectionCount();
  if (count == 0) return;
  if (gesture_ == TvlGesture::SharedEdge && GroupBoundsValid && split_.LeftObject) {
    if (!GridStep(QPoint(p.x(), lastPoint_.y()), mods, dx, dy)) return;
    BeginChange();
    split_.Line.Left += dx;
    split_.Line.Right += dx;
    lastPoint_.rx() += dx;
    UpdateRubber(rubberBefore);
    return;
  }
  if (!GridStep(p, mods, dx, dy)) return;
  QRect dirty = SelectionRect();
  if (gesture_ == TvlGesture::Move && firstBandMove_) {
    // A band dragged alone carries the objects lying inside it.
    firstBandMove_ = false;
    const std::vector<TvlView*> selection = form_.Selection();
    if (count == 1 && selection.front()->Typ == otBand && !(selection.front()->Restrictions & rsDontMove) &&
        !(mods & Qt::AltModifier)) {
      const TvlView& band = *selection.front();
      for (const auto& v : page->Objects)
        if (v->Typ != otBand && v->Left >= band.Left && v->Top >= band.Top &&
            v->Left + v->Width <= band.Left + band.Width && v->Top + v->Height <= band.Top + band.Height)
          v->Selected = 1;
      form_.SelectionChanged();
      ComputeGroupBounds();
      dirty |= SelectionRect();
    }
  }
  BeginChange();
  if (count >= 2 && GroupBoundsValid && gesture_ == TvlGesture::Resize && handle_ == Qt::SizeFDiagCursor) {
    if (DragRect.Right + dx >= DragRect.Left && DragRect.Bottom + dy >= DragRect.Top) {
      DragRect.Right += dx;
      DragRect.Bottom += dy;
    }
    const double savedW = DragRectSaved.Width(), savedH = DragRectSaved.Height();
    const double kx = savedW != 0 ? DragRect.Width() / savedW : 1.0;
    const double ky = savedH != 0 ? DragRect.Height() / savedH : 1.0;
    for (const auto& v : page->Objects) {
      if (!v->Selected || !MaySize(*v)) continue;
      const auto& s = v->SavedGeometry;
      const int left = LeftTop.x() + RoundEven((s.Left - LeftTop.x()) * kx);
      const int right = LeftTop.x() + RoundEven((s.Left - LeftTop.x() + s.Width) * kx);
      const int top = LeftTop.y() + RoundEven((s.Top - LeftTop.y()) * ky);
      const int bottom = LeftTop.y() + RoundEven((s.Top - LeftTop.y() + s.Height) * ky);
      v->Left = left;
      v->Width = right - left;
      v->Top = top;
      v->Height = bottom - top;
    }
  } else if (gesture_ == TvlGesture::Move) {
    // The drag's step was recorded when it began.
    TvlPageEdits(*page, form_.CurPage(), nullptr).MoveSelection(dx, dy);
  } else if (count == 1 && gesture_ == TvlGesture::Resize) {
    TvlView& v = *form_.Selection().front();
    if (MaySize(v)) {
      const int l = v.Left, t = v.Top, r = v.Left + v.Width, b = v.Top + v.Height;
      const QPoint press = lastPoint_;
      auto flip = [&](int ifFlipped, int otherwise) { activeHandle_ = NormalizeView(v) ? ifFlipped : otherwise; };
      if (handle_ == Qt::SizeFDiagCursor) {
        if (activeHandle_ == 2 || (activeHandle_ != 1 && !AtHandle(press, l, t, 3))) {
          v.Width += dx;
          v.Height += dy;
          flip(1, 2);
        } else {
          v.Left += dx;
          v.Width -= dx;
          v.Top += dy;
          v.Height -= dy;
          flip(2, 1);
        }
      } else if (handle_ == Qt::SizeBDiagCursor) {
        if (activeHandle_ == 4 || (activeHandle_ != 3 && !AtHandle(press, r, t, 3))) {
          v.Left += dx;
          v.Width -= dx;
          v.Height += dy;
          flip(3, 4);
        } else {
          v.Top += dy;
          v.Width += dx;
          v.Height -= dy;
          flip(4, 3);
        }
      } else if (handle_ == Qt::SizeHorCursor) {
        if (activeHandle_ == 6 || (activeHandle_ != 5 && !AtHandle(press, l, t + v.Height / 2, 3))) {
          v.Width += dx;
          flip(5, 6);
        } else {
          v.Left += dx;
          v.Width -= dx;
          flip(6, 5);
        }
      } else if (handle_ == Qt::SizeVerCursor) {
        if (activeHandle_ == 8 || (activeHandle_ != 7 && !AtHandle(press, l + v.Width / 2, t, 3))) {
          v.Height += dy;
          flip(7, 8);
        } else {
          v.Top += dy;
          v.Height -= dy;
          flip(8, 7);
        }
      }
      (void)b;
    }
  }
  lastPoint_ += QPoint(dx, dy);
  update(dirty | SelectionRect());
  form_.UpdateStatus();
}

void TvlDesignerPage::mouseReleaseEvent(QMouseEvent* event) {
  TvlPage* page = Page();
  if (!page || event->button() != Qt::LeftButton) {
    buttonHeld_ = false;
    return;
  }
  buttonHeld_ = false;
  const QRect rubberBefore = RubberArea();
  if (gesture_ == TvlGesture::Insert) {
    FinishInsert();
  } else if (gesture_ == TvlGesture::Line) {
    FinishLine();
  } else if (gesture_ == TvlGesture::RubberBand) {
    FinishRubberBand();
    update(rubberBefore);
  } else if (moved_ && GroupBoundsValid && gesture_ == TvlGesture::SharedEdge && split_.LeftObject) {
    const int diff = split_.Line.Left - split_.Start;
    TvlView& l = *split_.LeftObject;
    TvlView& r = *split_.RightObject;
    if (!vlRestricted(dsNoSizeObject) && !vlRestricted(dsNoMoveObject) && !(l.Restrictions & rsDontSize) &&
        !(r.Restrictions & (rsDontSize | rsDontMove)) && l.Width + diff > 0 && r.Width - diff > 0) {
      l.Width += diff;
      r.Left += diff;
      r.Width -= diff;
    }
    ComputeGroupBounds();
    update();
  } else if (moved_ && GroupBoundsValid && gesture_ != TvlGesture::Move) {
    update();
    ComputeGroupBounds();
    form_.UpdateStatus();
  } else {
    QRect before = SelectionRect();
    // A group dropped off the paper comes back onto it, within the move's
    // own undo step.
    if (moved_ && gesture_ == TvlGesture::Move &&
        TvlPageEdits(*page, form_.CurPage(), nullptr)
            .KeepSelectionOnPaper(page->PaperMetrics.PaperWidthU, page->PaperMetrics.PaperHeightU, false)) {
      ComputeGroupBounds();
      before |= SelectionRect();
    }
    if (!moved_) {
      form_.SelectionChanged();
    } else if (form_.SelectionCount() == 1) {
      TvlView& v = *form_.Selection().front();
      NormalizeView(v);
      if (gesture_ == TvlGesture::Resize) v.Resized();
      form_.SelectionChanged();
      form_.UpdateStatus();
    } else if (form_.SelectionCount() > 1) {
      ComputeGroupBounds();
      form_.UpdateStatus();
    }
    update(before | SelectionRect());
  }
  moved_ = false;
  activeHandle_ = 0;
  gesture_ = TvlGesture::None;
  // The frame drawn is gone: the status bar shows the selection again.
  if (TrackRectInStatus) {
    TrackRectInStatus = false;
    form_.UpdateStatus();
  }
  update(rubberBefore | SelectionRect());
}

void TvlDesignerPage::FinishRubberBand() {
  gesture_ = TvlGesture::None;
  const TvlRect r = Normalized(DragRect);
  TvlPage* page = Page();
  auto meets = [&](const TvlView& v) {
    const int l = std::min(v.Left, v.Left + v.Width), rr = std::max(v.Left, v.Left + v.Width);
    const int t = std::min(v.Top, v.Top + v.Height), b = std::max(v.Top, v.Top + v.Height);
    return l <= r.Right && rr >= r.Left && t <= r.Bottom && b >= r.Top;
  };
  bool any = false;
  for (const auto& v : page->Objects)
    if (v->Typ != otBand && meets(*v)) {
      v->Selected = 1;
      any = true;
    }
  if (!any)
    for (const auto& v : page->Objects)
      if (meets(*v)) v->Selected = 1;
  ComputeGroupBounds();
  form_.SelectionChanged();
  update(SelectionRect());
}

std::string vlBandBaseName(int bandType) {
  // Object names are identifiers in scripts: always the English band name.
  std::string base = vlBuiltinStr(str::kFirstBandName + bandType);
  if (const auto space = base.find(' '); space != std::string::npos) {
    base.erase(space, 1);
    if (space < base.size()) base[space] = static_cast<char>(std::toupper(static_cast<unsigned char>(base[space])));
  }
  return base;
}

TvlView* TvlDesignerPage::InsertObject() {
  TvlPage* page = Page();
  if (!page || vlRestricted(dsNoCreateObject)) return nullptr;
  std::unique_ptr<TvlView> created;
  if (Tool == otBand) {
    bool target = false;
    for (int i = 0; i < form_.Report.Pages.Count(); ++i)
      for (const auto& v : form_.Report.Pages[i]->Objects)
        if (v->Typ == otSubReport && static_cast<TvlSubReportView&>(*v).TargetPage == form_.CurPage()) target = true;
    int bandType = -1;
    auto& choose = vlDesignerDialogs().ChooseBandType;
    if (!choose || !choose(&form_, target, bandType) || bandType < 0 || bandType >= kBandTypeCount) return nullptr;
    created = vlCreateView(otBand, {});
    created->FrameTyp = static_cast<std::uint16_t>(bandType);
    created->BaseName = vlBandBaseName(bandType);
  } else if (Tool == otSubReport) {
    created = vlCreateView(otSubReport, {});
    static_cast<TvlSubReportView&>(*created).TargetPage = form_.Report.Pages.Count();
    form_.Report.Pages.Add()->Name = "Page" + std::to_string(form_.Report.Pages.Count());
  } else if (Tool >= 10) {
    const auto& entries = vlAddIns().Entries();
    const std::size_t index = static_cast<std::size_t>(Tool - 10);
    if (index >= entries.size()) return nullptr;
    created = vlCreateView(otAddIn, entries[index].ClassName);
    for (const auto& v : page->Objects)
      if (v->ClassName == created->ClassName && (v->Flags & flOnePerPage)) {
        std::string text = vlLoadStr(55442);
        if (const auto at = text.find("%s"); at != std::string::npos) text.replace(at, 2, created->ClassName);
        vlShowMessage(text, vlLoadStr(str::kError), TvlMsgIcon::Error);
        return nullptr;
      }
  } else if (Tool >= otMemo && Tool <= otLine) {
    created = vlCreateView(Tool, {});
  }
  if (!created) return nullptr;
  TvlView* view = created.get();
  page->Objects.push_back(std::move(created));
  view->CreateUniqueName();
  view->SetProperty("Name", TvlValue(view->Name));
  if (Tool == otSubReport) form_.RefreshTabCaptions();
  if (DragRect.Width() == 0 || DragRect.Height() == 0) {
    TvlSize size{36, 36};
    if (view->Typ == otMemo) size = form_.DefaultObjectSize();
    if (page->PageType == ptDialog && view->Width != 0) size = {view->Width, view->Height};
    DragRect.Right = DragRect.Left + size.Width;
    DragRect.Bottom = DragRect.Top + size.Height;
  }
  form_.ClearSelection();
  view->Left = DragRect.Left;
  view->Top = DragRect.Top;
  if (view->Width == 0 && view->Height == 0) {
    view->Width = DragRect.Width();
    view->Height = DragRect.Height();
  }
  if (view->Typ == otBand && vlIsVerticalBand(view->FrameTyp) && view->Width > width() - 10) view->Width = 40;
  const TvlLastUsedAttributes& last = vlLastUsed();
  if (view->Typ != otAddIn) view->FrameWidth = last.FrameWidth;
  view->FrameColor = last.FrameColor;
  view->FillColor = last.FillColor;
  if (view->Typ == otMemo) {
    auto& memo = static_cast<TvlMemoView&>(*view);
    memo.FrameTyp = last.FrameLines;
    memo.Font = last.Font;
    memo.Alignment = last.Alignment;
  }
  view->Selected = 1;
  if (view->Typ == otBand) form_.ApplyBandOrder();
  AnchorObject = view;
  ComputeGroupBounds();
  form_.SelectionChanged();
  form_.RecordUndo(ukInsert);
  update();
  return view;
}

TvlView* TvlDesignerPage::FinishInsert() {
  TvlPage* page = Page();
  SurfaceMode = smSelect;
  if (page->PageType == ptReport && DragRect.Width() == 0 && DragRect.Height() == 0) DragRect = DragRectSaved;
  DragRect = Normalized(DragRect);
  gesture_ = TvlGesture::None;
  TvlView* view = InsertObject();
  // A field dropped from the list gets its text, not the editor.
  if (view && form_.Options.EditAfterInsert && !dragFromList_) form_.ShowEditor();
  if (!StickyTool) {
    form_.SetTool(kToolSelect);
  } else {
    showFrame_ = true;
  }
  update();
  return view;
}

void TvlDesignerPage::FinishLine() {
  gesture_ = TvlGesture::None;
  TvlPage* page = Page();
  if ((DragRect.Left == DragRect.Right && DragRect.Top == DragRect.Bottom) || vlRestricted(dsNoCreateObject)) {
    update();
    return;
  }
  std::unique_ptr<TvlView> created = vlCreateView(otLine, {});
  TvlView& v = *created;
  page->Objects.push_back(std::move(created));
  v.CreateUniqueName();
  v.SetProperty("Name", TvlValue(v.Name));
  v.Left = DragRect.Left;
  v.Top = DragRect.Top;
  v.Width = DragRect.Right - DragRect.Left;
  v.Height = DragRect.Bottom - DragRect.Top;
  if (v.Width < 0) {
    v.Width = -v.Width;
    if (std::abs(v.Height) < v.Width) v.Left = DragRect.Right;
  }
  if (v.Height < 0) {
    v.Height = -v.Height;
    if (std::abs(v.Width) < v.Height) v.Top = DragRect.Bottom;
  }
  v.FrameWidth = vlLastUsed().LineWidth;
  v.FrameColor = vlLastUsed().FrameColor;
  form_.ClearSelection();
  v.Selected = 1;
  AnchorObject = &v;
  // The line view turns itself horizontal or vertical when drawn.
  QImage scratch(1, 1, QImage::Format_RGB32);
  QPainter painter(&scratch);
  TvlQtCanvas canvas(painter, {1, 1}, 96, 96);
  v.Draw(canvas);
  v.Canvas = nullptr;
  ComputeGroupBounds();
  form_.SelectionChanged();
  form_.RecordUndo(ukInsert);
  update();
}

void TvlDesignerPage::mouseDoubleClickEvent(QMouseEvent*) {
  buttonHeld_ = false;
  TvlPage* page = Page();
  if (!page) return;
  const int count = form_.SelectionCount();
  if (count == 1) {
    suppressNextPress_ = true;
    if (ctrlAtPress_)
      form_.ShowMemoEditor(form_.Selection().front());
    else
      form_.ShowEditor();
  } else if (count == 0) {
    suppressNextPress_ = true;
    if (page->PageType == ptReport) form_.OpenPageOptions();
  }
}

void TvlDesignerPage::leaveEvent(QEvent*) {
  if (SurfaceMode == smInsert && !buttonHeld_ && showFrame_) HideInsertFrame();
}

// The insertion frame is erased and moved off the surface.
void TvlDesignerPage::HideInsertFrame() {
  const QRect before = RubberArea();
  showFrame_ = false;
  DragRect.Left -= 10000;
  DragRect.Right -= 10000;
  DragRect.Top -= 10000;
  DragRect.Bottom -= 10000;
  update(before);
  cursor_ = Qt::ArrowCursor;
  setCursor(Qt::ArrowCursor);
}

// ---- Fields dragged in from the field list ----

// Only the field list's drags are taken (the "DB fields" window tells them).
bool TvlDesignerPage::AcceptsField(const QMimeData* mime, std::string& reference) const {
  const TvlPage* page = Page();
  const auto& dragged = vlDesignerDialogs().DraggedField;
  return page && page->PageType == ptReport && !vlRestricted(dsNoCreateObject) && dragged &&
         dragged(mime, reference);
}

// The frame of the memo to come, its top-left 4 pixels up and left of the
// snapped pointer.
void TvlDesignerPage::MoveFieldFrame(QPoint p) {
  const QRect before = RubberArea();
  const QPoint at = SnapDown(p) - QPoint(4, 4);
  const TvlSize size = form_.DefaultObjectSize();
  DragRect = {at.x(), at.y(), at.x() + size.Width, at.y() + size.Height};
  showFrame_ = true;
  TrackRectInStatus = true;
  UpdateRubber(before);
  form_.UpdateStatus();
}

void TvlDesignerPage::dragEnterEvent(QDragEnterEvent* event) {
  std::string reference;
  if (!AcceptsField(event->mimeData(), reference)) {
    event->ignore();
    return;
  }
  dragFromList_ = true;
  event->acceptProposedAction();
  MoveFieldFrame(event->position().toPoint());
}

void TvlDesignerPage::dragMoveEvent(QDragMoveEvent* event) {
  if (!dragFromList_) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  MoveFieldFrame(event->position().toPoint());
}

void TvlDesignerPage::dragLeaveEvent(QDragLeaveEvent*) {
  if (!dragFromList_) return;
  dragFromList_ = false;
  HideInsertFrame();
}

// The drop inserts a memo over the frame, as the text tool's button-up
// does, holding "[" + the field + "]".
void TvlDesignerPage::dropEvent(QDropEvent* event) {
  std::string reference;
  if (!dragFromList_ || !AcceptsField(event->mimeData(), reference)) {
    dragFromList_ = false;
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  MoveFieldFrame(event->position().toPoint());
  const TvlRect frame = DragRect;
  form_.SetTool(otMemo);
  DragRect = frame;
  cursor_ = Qt::CrossCursor;
  TvlView* view = FinishInsert();
  dragFromList_ = false;
  if (view) {
    view->Memo = {"[" + reference + "]"};
    update(ExtendedRect(*view));
    form_.UpdateStatus();
  }
}

// ---- Auto-scroll ----

void TvlDesignerPage::AutoScroll(QPoint p) {
  QScrollArea* area = form_.ScrollArea();
  if (!area || !area->viewport()->isAncestorOf(this)) return;
  const QPoint at = mapTo(area->viewport(), p);
  const QRect visible = area->viewport()->rect();
  QScrollBar* h = area->horizontalScrollBar();
  QScrollBar* v = area->verticalScrollBar();
  const int hBefore = h->value(), vBefore = v->value();
  if (at.x() > visible.right())
    h->setValue(h->value() + at.x() - visible.right());
  else if (at.x() < 0)
    h->setValue(h->value() + at.x());
  if (at.y() > visible.bottom())
    v->setValue(v->value() + at.y() - visible.bottom());
  else if (at.y() < 0)
    v->setValue(v->value() + at.y());
  if (h->value() != hBefore || v->value() != vBefore) update();
}

TvlView* TvlDesignerPage::NearestObject(TvlView& from, int key) const {
  const int L = from.Left, T = from.Top, R = from.Left + from.Width, B = from.Top + from.Height;
  const bool horizontal = key == Qt::Key_Left || key == Qt::Key_Right;
  TvlView* best = nullptr;
  int bestScore = 10000;
  for (const auto& o : Page()->Objects) {
    TvlView& c = *o;
    if (c.Selected || c.Typ == otBand) continue;
    const int l = c.Left, t = c.Top, r = c.Left + c.Width, b = c.Top + c.Height;
    int gap, score;
    if (horizontal) {
      if (b < T) gap = T - b;
      else if (t > B) gap = t - B;
      else if (t <= T && b >= B) gap = 0;
      else gap = t - T;
      // Objects behind the arrow are no candidates at all.
      if ((key == Qt::Key_Right && l <= L) || (key == Qt::Key_Left && r >= R)) continue;
      if (key == Qt::Key_Right)
        score = gap + (l < R ? l - L : l - R);
      else
        score = gap + (r <= L ? L - r : R - r);
    } else {
      if (r < L) gap = L - r;
      else if (l > R) gap = l - R;
      else if (l <= L && r >= R) gap = 0;
      else gap = l - L;
      if ((key == Qt::Key_Down && t <= T) || (key == Qt::Key_Up && b >= B)) continue;
      if (key == Qt::Key_Down)
        score = gap + (t < B ? t - T : t - B);
      else
        score = gap + (b <= T ? T - b : B - b);
    }
    if (score < bestScore) {
      bestScore = score;
      best = &c;
    }
  }
  return best;
}

}  // namespace vl
