// The designer window's page and editing commands: the current page, the
// selection, undo and the clipboard, deleting, z-order and the page tabs.

#include <QCursor>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <algorithm>
#include <cmath>
#include <set>

#include "designer/design_surface.h"
#include "designer/designer_clipboard.h"
#include "designer/designer_dialogs.h"
#include "designer/designer_form.h"
#include "designer/form_page_edits.h"
#include "designer/designer_restrictions.h"
#include "designer/designer_status_bar.h"
#include "designer/designer_text.h"
#include "designer/page_form.h"
#include "engine/core/engine_state.h"
#include "engine/model/band_kinds.h"
#include "engine/model/page_limits.h"
#include "engine/model/report.h"
#include "engine/model/views.h"
#include "platform/platform.h"

namespace vl {

std::vector<TvlView*> TvlDesignerForm::Selection() const {
  std::vector<TvlView*> selected;
  if (Page)
    for (const auto& v : Page->Objects)
      if (v->Selected) selected.push_back(v.get());
  return selected;
}

int TvlDesignerForm::SelectionCount() const {
  int n = 0;
  if (Page)
    for (const auto& v : Page->Objects) n += v->Selected ? 1 : 0;
  return n;
}

void TvlDesignerForm::SetCurrentPage(int n) {
  if (Report.Pages.Count() == 0) return;
  n = std::clamp(n, 0, Report.Pages.Count() - 1);
  if (Page && Page != Report.Pages[n]) ClearSelection();
  curPage_ = n;
  Page = Report.Pages[n];
  // Undo steps find objects by ID: a view made outside the object factory
  // (ID 0) or sharing an ID gets a fresh one.
  std::set<std::int32_t> ids;
  for (const auto& v : Page->Objects)
    if (v->ID == 0 || !ids.insert(v->ID).second) {
      v->ID = ++vlShared().LastViewId;
      ids.insert(v->ID);
    }
  vlState().CurPage = Page;
  ShowPageForm(Page->PageType == ptDialog);
  scroll_->horizontalScrollBar()->setValue(0);
  scroll_->verticalScrollBar()->setValue(0);
  surface_->SetPage();
  RefreshTabCaptions();
  {
    const QSignalBlocker block(tabs_);
    tabs_->setCurrentIndex(n);
  }
  ResetSelection();
  ApplyBandOrder();
  surface_->AnchorObject = nullptr;
  surface_->SettleGeometry();
  surface_->update();
  for (const auto& listener : PageChangedListeners) listener();
}

void TvlDesignerForm::RefreshTabCaptions() {
  const QSignalBlocker block(tabs_);
  const int pages = Report.Pages.Count();
  std::vector<QString> captions(static_cast<std::size_t>(pages));
  for (int i = 0; i < pages; ++i) captions[static_cast<std::size_t>(i)] = vlStr(55004) + QString::number(i + 1);
  for (int p = pages - 1; p >= 0; --p)
    for (const auto& v : Report.Pages[p]->Objects)
      if (v->Typ == otSubReport) {
        const int target = static_cast<TvlSubReportView&>(*v).TargetPage;
        if (target >= 0 && target < pages) captions[static_cast<std::size_t>(target)] = vlToQt(v->Name);
      }
  if (tabs_->count() == pages) {
    for (int i = 0; i < pages; ++i)
      if (tabs_->tabText(i) != captions[static_cast<std::size_t>(i)]) tabs_->setTabText(i, captions[static_cast<std::size_t>(i)]);
  } else {
    while (tabs_->count() > 0) tabs_->removeTab(0);
    for (const QString& c : captions) tabs_->addTab(c);
  }
  tabs_->setCurrentIndex(curPage_);
}

void TvlDesignerForm::ClearSelection() {
  if (!Page) return;
  const QRect before = surface_->SelectionRect();
  for (const auto& v : Page->Objects) v->Selected = 0;
  surface_->update(before);
}

void TvlDesignerForm::SelectionChanged() {
  if (surface_->AnchorObject && !surface_->AnchorObject->Selected) surface_->AnchorObject = nullptr;
  const int count = SelectionCount();
  const bool any = count > 0;
  for (const char* c : {"Cut", "Copy", "Delete", "BringToFront", "SendToBack"})
    Command(c)->setEnabled(any);
  Command("Edit")->setEnabled(count == 1);
  Command("Paste")->setEnabled(!vlDesignerClipboard().empty());
  Command("Undo")->setEnabled(!UndoBuffers.UndoSteps.Empty());
  Command("Redo")->setEnabled(!UndoBuffers.RedoSteps.Empty());
  UpdateStatus();
  for (const auto& listener : SelectionChangedListeners) listener();
}

void TvlDesignerForm::ResetSelection() {
  // Undo and redo replace the page's objects: the anchor may be gone.
  surface_->AnchorObject = nullptr;
  ClearSelection();
  surface_->ComputeGroupBounds();
  SelectionChanged();
}

namespace {

QString UnitValue(int pixels, int units) {
  if (units == unPixels) return QString::number(pixels);
  double v = pixels * 5.0 / 18.0;
  if (units == unInches) v /= 25.4;
  return QString::number(v, 'g', 4).contains(QLatin1Char('e')) ? QString::number(v, 'f', 2)
                                                                : QString::number(std::round(v * 100) / 100, 'g', 4);
}

QString Pair(int a, int b, int units) {
  return UnitValue(a, units) + (units == unPixels ? QStringLiteral(";") : QStringLiteral("; ")) + UnitValue(b, units);
}

}  // namespace

void TvlDesignerForm::UpdateStatus() {
  TvlDesignerStatusBar& s = *status_;
  const int units = Options.Units;
  s.Units = vlStr(55330 + units);
  s.Position.clear();
  s.Size.clear();
  s.Percent.clear();
  s.Name.clear();
  const std::vector<TvlView*> selected = Selection();
  s.SecondIcon = !selected.empty() || surface_->SurfaceMode == smInsert;
  if (selected.size() == 1 || surface_->TrackRectInStatus) {
    if (selected.size() == 1 && !surface_->TrackRectInStatus) {
      const TvlView& v = *selected.front();
      s.Position = Pair(v.Left, v.Top, units);
      s.Size = Pair(v.Width, v.Height, units);
      if (v.Typ == otPicture) {
        const auto& picture = static_cast<const TvlPictureView&>(v);
        const int pw = picture.PictureWidth(), ph = picture.PictureHeight();
        if (pw > 0 && ph > 0)
          s.Percent = QStringLiteral("% ") + QString::number(v.Width * 100 / pw) + QLatin1Char(',') +
                      QString::number(v.Height * 100 / ph);
      }
    } else {
      const TvlRect& r = surface_->DragRect;
      s.Position = Pair(std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), units);
      if (r.Width() != 0 || r.Height() != 0) s.Size = Pair(std::abs(r.Width()), std::abs(r.Height()), units);
    }
  } else if (selected.size() > 1 && surface_->GroupBoundsValid) {
    s.Position = Pair(surface_->LeftTop.x(), surface_->LeftTop.y(), units);
    const TvlRect& now = surface_->DragRect;
    s.Size = Pair(now.Width(), now.Height(), units);
    const TvlRect& base = surface_->DragRectSaved;
    auto percent = [](int a, int b) { return b == 0 ? 0 : static_cast<int>(std::lround(100.0 * a / b)); };
    s.Percent = QStringLiteral("% ") + QString::number(percent(now.Width(), base.Width())) + QLatin1Char(',') +
                QString::number(percent(now.Height(), base.Height()));
  }
  if (selected.size() == 1) {
    const TvlView& v = *selected.front();
    s.Name = vlToQt(v.Name);
    if (v.Typ == otBand)
      s.Name += QStringLiteral(": ") + vlToQt(static_cast<const TvlBandView&>(v).TypeName());
    else if (!v.Memo.empty())
      s.Name += QStringLiteral(": ") + vlToQt(v.Memo.front());
  }
  s.Changed();
}

void TvlDesignerForm::CycleUnits() {
  Options.Units = (Options.Units + 1) % 3;
  UpdateStatus();
}

TvlSize TvlDesignerForm::DefaultObjectSize() const {
  TvlSize size{96, 20};
  if (Options.GridSize == 18) size = {108, 18};
  const int font = vlLastUsed().Font.Size;
  if (font == 12 || font == 13) size.Height = 20;
  if (font >= 14 && font <= 16) size.Height = 24;
  return size;
}

void TvlDesignerForm::ApplyBandOrder() {
  if (Page) vlApplyBandOrder(*Page);
}

void TvlDesignerForm::RecordUndo(TvlUndoKind kind) {
  if (!Page) return;
  if (!Options.DisableUndo) UndoBuffers.Record(kind, *Page, curPage_);
  SetModified(true);
  Command("Undo")->setEnabled(!UndoBuffers.UndoSteps.Empty());
  Command("Redo")->setEnabled(!UndoBuffers.RedoSteps.Empty());
}

void TvlDesignerForm::BeforeChange() { RecordUndo(ukEdit); }

void TvlDesignerForm::AfterChange() {
  surface_->update(surface_->SelectionRect());
  SelectionChanged();
}

void TvlDesignerForm::RedrawPage() { surface_->update(); }

void TvlDesignerForm::SelectObject(const std::string& name) {
  if (!Page) return;
  if (TvlView* v = Page->FindObject(name)) {
    ClearSelection();
    v->Selected = 1;
    surface_->AnchorObject = v;
    surface_->ComputeGroupBounds();
    surface_->update(surface_->SelectionRect());
    SelectionChanged();
  } else if (name.size() > 4 && name.compare(0, 4, "Page") == 0) {
    try {
      SetCurrentPage(std::stoi(name.substr(4)) - 1);
    } catch (const std::exception&) {
    }
  }
}

std::string TvlDesignerForm::InsertDBField() {
  std::string field;
  auto& choose = vlDesignerDialogs().ChooseField;
  if (!choose || !choose(this, field) || field.empty()) return {};
  return "[" + field + "]";
}

std::string TvlDesignerForm::InsertExpression() {
  std::string expression;
  auto& build = vlDesignerDialogs().BuildExpression;
  if (!build || !build(this, expression)) return {};
  return vlBracketExpression(expression);
}

void TvlDesignerForm::ApplyToSelection(const std::function<void(TvlView&)>& change) {
  if (vlRestricted(dsNoModifyObject) || SelectionCount() == 0) return;
  const QRect before = surface_->SelectionRect();
  RecordUndo(ukEdit);
  for (TvlView* v : Selection())
    if (!(v->Restrictions & rsDontModify)) change(*v);
  surface_->update(before | surface_->SelectionRect());
  SelectionChanged();
}

void TvlDesignerForm::ShowEditor() {
  const std::vector<TvlView*> selected = Selection();
  if (selected.size() != 1 || vlRestricted(dsNoEditObject)) return;
  TvlView& v = *selected.front();
  if (v.Restrictions & rsDontEditContents) return;
  if (v.Typ == otSubReport) {
    SetCurrentPage(static_cast<TvlSubReportView&>(v).TargetPage);
    return;
  }
  if (v.Typ == otBand) {
    const bool hasEditor = vlBandKind(v.FrameTyp).Editor != TvlBandEditor::None;
    if (hasEditor && vlDesignerDialogs().BandEditor) vlDesignerDialogs().BandEditor(this, v);
  } else if (auto typed = vlDesignerDialogs().TypeEditors.find(v.Typ);
             typed != vlDesignerDialogs().TypeEditors.end() && typed->second) {
    typed->second(this, v);
  } else if (auto& editor = vlDesignerDialogs().ObjectEditor) {
    editor(this, v);
  } else {
    v.ShowEditor();
  }
  surface_->update(surface_->SelectionRect());
  UpdateStatus();
}

void TvlDesignerForm::ShowMemoEditor(TvlView* view) {
  if (!view || vlRestricted(dsNoEditObject) || (view->Restrictions & rsDontEditContents)) return;
  if (auto& editor = vlDesignerDialogs().MemoEditor; editor && editor(this, *view))
    surface_->update(TvlDesignerPage::ExtendedRect(*view));
}

// ---- Undo and the clipboard ----

void TvlDesignerForm::Undo() { Revert(true); }

void TvlDesignerForm::Redo() { Revert(false); }

void TvlDesignerForm::Revert(bool undo) {
  if (!Page) return;
  TvlUndoHistory& from = undo ? UndoBuffers.UndoSteps : UndoBuffers.RedoSteps;
  const bool reportLevel = !from.Empty() && from.NewestIsReportLevel();
  const QRect before = surface_->SelectionRect();
  if (reportLevel) {
    // The pages may be replaced whole: nothing may reach the old ones.
    ClearSelection();
    Page = nullptr;
    vlState().CurPage = nullptr;
  }
  if (undo ? UndoBuffers.Undo(Report, curPage_) : UndoBuffers.Redo(Report, curPage_)) SetModified(true);
  if (reportLevel) {
    RefreshTabCaptions();
    SetCurrentPage(std::min(curPage_, Report.Pages.Count() - 1));
  }
  surface_->update(before);
  ResetSelection();
  surface_->update();
}

void TvlDesignerForm::Copy() {
  if (!Page || SelectionCount() == 0) return;
  vlCopySelection(*Page);
  SelectionChanged();
}

void TvlDesignerForm::Cut() {
  if (!Page || SelectionCount() == 0) return;
  Copy();
  Delete();
  surface_->AnchorObject = nullptr;
}

void TvlDesignerForm::Paste() {
  if (!Page || vlRestricted(dsNoCreateObject) || vlDesignerClipboard().empty()) return;
  const QRect before = surface_->SelectionRect();
  TvlPastePlace place;
  place.Grid = Options.GridSize;
  // The surface's position in the scrolled area: negative once scrolled past.
  place.SurfaceLeft = surface_->x() - scroll_->horizontalScrollBar()->value();
  place.SurfaceTop = surface_->y() - scroll_->verticalScrollBar()->value();
  if (Page->PageType == ptReport) {
    const TvlPageLimits limits = vlPageLimits(*Page);
    place.MinLeft = limits.Left;
    place.MinTop = limits.Top;
  }
  // The mouse over the page is where the user is looking.
  const QPoint mouse = surface_->mapFromGlobal(QCursor::pos());
  if (surface_->underMouse() && surface_->rect().contains(mouse) &&
      scroll_->viewport()->rect().contains(scroll_->viewport()->mapFromGlobal(QCursor::pos()))) {
    place.AtMouse = true;
    place.MouseX = mouse.x();
    place.MouseY = mouse.y();
  }
  vlState().CurReport = &Report;
  vlPasteClipboard(*Page, place);
  ApplyBandOrder();
  surface_->ComputeGroupBounds();
  RecordUndo(ukInsert);
  surface_->update(before | surface_->SelectionRect());
  SelectionChanged();
}

void TvlDesignerForm::Delete() {
  if (!Page || SelectionCount() == 0) return;
  const QRect before = surface_->SelectionRect();
  if (surface_->AnchorObject && surface_->AnchorObject->Selected) surface_->AnchorObject = nullptr;
  if (vlPageEdits(*this).DeleteSelection()) vlPageEdited(*this);
  RefreshTabCaptions();
  ResetSelection();
  surface_->update(before);
}

void TvlDesignerForm::SelectAll() {
  if (!Page) return;
  for (const auto& v : Page->Objects) v->Selected = 1;
  surface_->ComputeGroupBounds();
  surface_->update();
  SelectionChanged();
}

void TvlDesignerForm::ZOrder(bool toFront) {
  if (!Page || SelectionCount() == 0) return;
  if (vlPageEdits(*this).ZOrderSelection(toFront)) vlPageEdited(*this);
  ApplyBandOrder();
  surface_->ComputeGroupBounds();
  surface_->update();
}

void TvlDesignerForm::FitToGrid() {
  if (!Page || SelectionCount() == 0) return;
  const QRect before = surface_->SelectionRect();
  if (vlPageEdits(*this).FitSelectionToGrid(Options.GridSize)) vlPageEdited(*this);
  surface_->ComputeGroupBounds();
  surface_->update(before | surface_->SelectionRect());
  UpdateStatus();
}

// ---- Pages ----

void TvlDesignerForm::OpenPageOptions() {
  if (!Page || !FirstInstance || vlRestricted(dsNoEditPage)) return;
  auto& options = vlDesignerDialogs().PageOptions;
  if (!options) return;
  if (vlReportEdits(*this).ChangePage(curPage_, [this, &options](TvlPage& page) { return options(this, page); })) {
    vlPageEdited(*this);
    SetCurrentPage(curPage_);
  }
}

void TvlDesignerForm::AddPage() {
  ResetSelection();
  if (!FirstInstance || vlRestricted(dsNoCreatePage)) return;
  const int previous = curPage_;
  auto& options = vlDesignerDialogs().PageOptions;
  const TvlPage* added = vlReportEdits(*this).AddPage(ptReport, [this, &options](TvlPage& page) {
    Page = &page;
    return !options || options(this, page);
  });
  if (added) {
    vlPageEdited(*this);
    SetCurrentPage(Report.Pages.Count() - 1);
  } else {
    Page = nullptr;  // the page went: nothing may reach it on the way back
    SetCurrentPage(previous);
  }
}

void TvlDesignerForm::AddDialogPage() {
  if (!FirstInstance || vlRestricted(dsNoCreatePage)) return;
  vlReportEdits(*this).AddPage(ptDialog);
  vlPageEdited(*this);
  SetCurrentPage(Report.Pages.Count() - 1);
}

void TvlDesignerForm::RemovePage() {
  if (Report.Pages.Count() <= 1 || !FirstInstance) return;
  if (vlPlatform().MessageBox->Show(vlLoadStr(55005), vlLoadStr(55006), TvlMsgIcon::Question,
                                    TvlMsgButtons::YesNo) != TvlMsgResult::Yes ||
      vlRestricted(dsNoDeletePage))
    return;
  const int removed = curPage_;
  ClearSelection();
  Page = nullptr;
  vlState().CurPage = nullptr;
  vlReportEdits(*this).DeletePage(removed);
  vlPageEdited(*this);
  {
    const QSignalBlocker block(tabs_);
    tabs_->removeTab(removed);
  }
  curPage_ = 0;
  SetCurrentPage(0);
  SelectionChanged();
}

void TvlDesignerForm::MovePage(int from, int to) {
  if (from == to || from < 0 || to < 0 || from >= Report.Pages.Count() || to >= Report.Pages.Count()) return;
  Report.Pages.Move(from, to);
  // Sub-report targets follow their pages.
  for (int p = 0; p < Report.Pages.Count(); ++p)
    for (const auto& v : Report.Pages[p]->Objects) {
      if (v->Typ != otSubReport) continue;
      int& t = static_cast<TvlSubReportView&>(*v).TargetPage;
      if (t == from)
        t = to;
      else if (from < to && t > from && t <= to)
        --t;
      else if (from > to && t >= to && t < from)
        ++t;
    }
  UndoBuffers.Clear();
  SetModified(true);
  curPage_ = to;
  RefreshTabCaptions();
  SetCurrentPage(to);
  SelectionChanged();
}

void TvlDesignerForm::ShowInTabContextMenu(QPoint pos) {
  QMenu menu(this);
  for (const char* c : {"AddPage", "AddDialogPage", "RemovePage", "PageOptions"}) menu.addAction(Command(c));
  menu.exec(tabs_->mapToGlobal(pos));
}

void TvlDesignerForm::ShowPageForm(bool show) {
  if (show && !pageForm_) {
    auto* form = new TvlPageForm(*this);
    pageForm_ = form;
    surface_->setParent(form);
    surface_->setAutoFillBackground(true);
    form->show();
    surface_->show();
  } else if (!show && pageForm_) {
    surface_->setParent(scroll_->widget());
    surface_->show();
    delete pageForm_.data();
  }
  if (show) static_cast<TvlPageForm*>(pageForm_.data())->TakePage(*Page);
}

void TvlDesignerForm::ShowHelp(int context) {
  if (auto& help = vlDesignerDialogs().ShowHelp) help(context);
}

}  // namespace vl
