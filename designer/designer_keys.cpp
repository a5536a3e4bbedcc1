// The designer window's keyboard map: the window sees keys before its
// controls (arrows, Delete, Enter, Escape; the formatting keys belong to the
// formatting toolbars, a key listener), and the help-cursor mode of the Help
// tool.

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextEdit>
#include <QWheelEvent>

#include "controls/speed_button.h"
#include "controls/tool_bar.h"
#include "designer/design_surface.h"
#include "designer/designer_form.h"
#include "designer/form_page_edits.h"
#include "designer/designer_restrictions.h"
#include "engine/model/page.h"
#include "engine/model/views.h"

namespace vl {

namespace {

// Typing boxes keep their own keys (Delete, Enter, arrows).
bool IsTextInput(QObject* o) {
  return qobject_cast<QLineEdit*>(o) || qobject_cast<QAbstractSpinBox*>(o) || qobject_cast<QComboBox*>(o) ||
         qobject_cast<QTextEdit*>(o) || qobject_cast<QPlainTextEdit*>(o);
}

bool MayMove(const TvlView& v) { return !vlRestricted(dsNoMoveObject) && !(v.Restrictions & rsDontMove); }

}  // namespace

bool TvlDesignerForm::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || (widget->window() != this && widget->window() != pageForm_.data()) || !isVisible())
    return TvlReportDesigner::eventFilter(watched, event);
  if (event->type() == QEvent::MouseButtonPress && helpMode_) {
    helpMode_ = false;
    QApplication::restoreOverrideCursor();
    if (auto* button = dynamic_cast<TvlSpeedButton*>(widget)) {
      const bool objects = button->parentWidget() == ToolBar("Objects");
      const int tag = objects ? (button->Tag > 4 ? 5 : button->Tag) : button->Tag;
      ShowHelp((objects ? 430 : 400) + tag);
    }
    return true;
  }
  if (event->type() == QEvent::Wheel && (widget == surface_ || surface_->isAncestorOf(widget))) {
    auto* wheel = static_cast<QWheelEvent*>(event);
    const int notches = wheel->angleDelta().y() / 120;
    scroll_->verticalScrollBar()->setValue(scroll_->verticalScrollBar()->value() - notches * 8);
    return true;
  }
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (IsTextInput(watched) && key->key() != Qt::Key_Escape && key->key() != Qt::Key_F11) return false;
    if (HandleKey(key->key(), key->modifiers())) return true;
  }
  return TvlReportDesigner::eventFilter(watched, event);
}

bool TvlDesignerForm::HandleKey(int key, Qt::KeyboardModifiers mods) {
  for (const auto& listener : KeyListeners)
    if (listener(key, mods)) return true;
  const bool ctrl = mods & Qt::ControlModifier;
  const int count = SelectionCount();
  switch (key) {
    case Qt::Key_Escape:
      SetTool(kToolSelect);
      ResetSelection();
      surface_->update();
      return true;
    case Qt::Key_Insert:
      if (mods == Qt::NoModifier && Page && Page->PageType == ptReport) {
        // Opens the window, or brings it to the front: never a toggle.
        if (QAction* fields = Command("ToolBar.Fields")) {
          fields->setChecked(true);
          emit fields->triggered(true);
        }
        return true;
      }
      return false;
    case Qt::Key_Delete:
      if (mods == Qt::NoModifier && count > 0) {
        Delete();
        return true;
      }
      return false;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (count == 1) {
        if (ctrl)
          ShowMemoEditor(Selection().front());
        else
          ShowEditor();
        return true;
      }
      return false;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      scroll_->verticalScrollBar()->setValue(scroll_->verticalScrollBar()->value() +
                                             (key == Qt::Key_PageUp ? -200 : 200));
      return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
      return count > 0 && ArrowKey(key, mods);
    default: break;
  }
  return false;
}

bool TvlDesignerForm::ArrowKey(int key, Qt::KeyboardModifiers mods) {
  const int dx = key == Qt::Key_Left ? -1 : key == Qt::Key_Right ? 1 : 0;
  const int dy = key == Qt::Key_Up ? -1 : key == Qt::Key_Down ? 1 : 0;
  const std::vector<TvlView*> selected = Selection();
  if (mods & (Qt::ControlModifier | Qt::ShiftModifier)) {
    const bool size = mods & Qt::ShiftModifier;
    const QRect before = surface_->SelectionRect();
    TvlPageEdits edits = vlPageEdits(*this);
    if (size ? edits.ResizeSelection(dx, dy) : edits.MoveSelection(dx, dy)) vlPageEdited(*this);
    surface_->ComputeGroupBounds();
    UpdateStatus();
    surface_->update(before | surface_->SelectionRect());
    return true;
  }
  if (selected.size() != 1) return true;
  TvlView& v = *selected.front();
  TvlView* nearest = surface_->NearestObject(v, key);
  if (!nearest) return true;
  if (mods & Qt::AltModifier) {
    if (!MayMove(v)) return true;
    const QRect before = surface_->SelectionRect();
    const int l = nearest->Left, t = nearest->Top, r = nearest->Left + nearest->Width, b = nearest->Top + nearest->Height;
    if (key == Qt::Key_Right && l >= v.Left + v.Width) {
      RecordUndo(ukEdit);
      v.Left = l - v.Width;
    } else if (key == Qt::Key_Down && v.Top + v.Height < t) {
      RecordUndo(ukEdit);
      v.Top = t - v.Height;
    } else if (key == Qt::Key_Left && v.Left >= r) {
      RecordUndo(ukEdit);
      v.Left = r;
    } else if (key == Qt::Key_Up && v.Top >= b) {
      RecordUndo(ukEdit);
      v.Top = b;
    }
    surface_->update(before | surface_->SelectionRect());
    UpdateStatus();
    return true;
  }
  const QRect before = surface_->SelectionRect();
  ClearSelection();
  nearest->Selected = 1;
  surface_->AnchorObject = nearest;
  surface_->ComputeGroupBounds();
  surface_->update(before | surface_->SelectionRect());
  SelectionChanged();
  return true;
}

}  // namespace vl
