// The preview window's construction, layout, painting, scrolling, mouse and
// keys. Its commands (find, files, printing, pages, help) are in
// preview_commands.cpp.

#include "viewer/preview_form.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QToolButton>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "controls/placement.h"
#include "engine/core/engine_state.h"
#include "engine/core/string_table.h"
#include "engine/core/units.h"
#include "engine/model/report.h"
#include "engine/printer/printer.h"
#include "platform/platform.h"
#include "viewer/preview_buttons.h"
#include "controls/preview_glyphs.h"
#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_text.h"

namespace vl {

namespace {

constexpr int kToolbarHeight = 33;
constexpr int kButtonSize = 24;
constexpr int kRightPanelWidth = 16;
constexpr int kBottomBarHeight = 18;
constexpr int kSmallChange = 10;
constexpr int kLargeChange = 200;
constexpr int kInitialMaximum = 32000;
constexpr int kZoomTags[] = {200, 150, 100, 75, 50, 25, 10, 1, 2, 3};

QString Text(int id) { return vlToQt(vlLoadStr(id)); }

Qt::CursorShape QtCursor(TvlCursor c) {
  switch (c) {
    case crHandPoint: return Qt::PointingHandCursor;
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crHourGlass: return Qt::WaitCursor;
    case crHelp: return Qt::WhatsThisCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    case crNo: return Qt::ForbiddenCursor;
    case crUpArrow: return Qt::UpArrowCursor;
    default: return Qt::ArrowCursor;
  }
}

QFrame* MakeSeparator(QWidget* parent) {
  auto* f = new QFrame(parent);
  f->setFrameShape(QFrame::VLine);
  f->setFrameShadow(QFrame::Sunken);
  f->resize(8, kButtonSize);
  return f;
}

QScrollBar* MakeScrollBar(Qt::Orientation o, QWidget* parent) {
  auto* bar = new QScrollBar(o, parent);
  bar->setSingleStep(kSmallChange);
  bar->setPageStep(kLargeChange);
  bar->setRange(0, kInitialMaximum);
  bar->setFocusPolicy(Qt::NoFocus);
  return bar;
}

}  // namespace

// ---- The drawing surface. ----

TvlPBox::TvlPBox(TvlPreviewForm* form, QWidget* parent) : QWidget(parent), form_(form) {
  setObjectName(QStringLiteral("PBox"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setProperty("vlHelpContext", Tag);
}

void TvlPBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  form_->PaintSurface(painter, event->rect());
}

void TvlPBox::resizeEvent(QResizeEvent*) { form_->FormResize(); }

void TvlPBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    if (DoubleClicked) {
      DoubleClicked = false;
      return;
    }
    form_->SurfaceMouseDown(event->position().toPoint());
  } else if (event->button() == Qt::RightButton) {
    QMenu* menu = form_->PopupMenu ? form_->PopupMenu : form_->ZoomMenu();
    const bool editing = form_->EditPageEntry()->isEnabled() && form_->PageEntriesSeparator()->isEnabled();
    if (menu == form_->ZoomMenu()) {
      form_->PageEntriesSeparator()->setVisible(editing);
      form_->EditPageEntry()->setVisible(editing);
      form_->AddPageEntry()->setVisible(editing);
      form_->RemovePageEntry()->setVisible(editing);
    }
    menu->popup(mapToGlobal(event->position().toPoint()));
  }
}

void TvlPBox::mouseMoveEvent(QMouseEvent* event) { form_->SurfaceMouseMove(event->position().toPoint()); }

void TvlPBox::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) form_->SurfaceMouseUp();
}

void TvlPBox::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  DoubleClicked = true;
  form_->SurfaceMouseUp();
  if (CurPage > 0) form_->GoToPage(CurPage);
  if (form_->EditPageEntry()->isEnabled() && form_->PageEntriesSeparator()->isEnabled()) form_->EditPage();
}

void TvlPBox::wheelEvent(QWheelEvent* event) {
  const int steps = event->angleDelta().y() / 120;
  if (steps != 0) form_->ScrollBy(0, -steps * kSmallChange * form_->WheelFactor);
  event->accept();
}

void TvlPBox::keyPressEvent(QKeyEvent* event) {
  if (!form_->KeyDown(event->key(), event->modifiers())) QWidget::keyPressEvent(event);
}

// ---- The window. ----

TvlPreviewForm::TvlPreviewForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TvlPreviewForm"));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                 Qt::WindowCloseButtonHint);
  resize(459, 293);
  pages_ = std::make_unique<TvlEMFPages>(nullptr);
  CreateZoomMenu();
  CreateToolbar();
  CreatePreviewPanel();
}

TvlPreviewForm::~TvlPreviewForm() {
  if (contextHelp_) {
    qApp->removeEventFilter(this);
    QApplication::restoreOverrideCursor();
  }
  // The pages die with the window; nothing of them may stay current.
  painter_.Forget();
}

void TvlPreviewForm::CreateZoomMenu() {
  zoomMenu_ = new QMenu(this);
  zoomMenu_->setObjectName(QStringLiteral("ZoomMenu"));
  zoomGroup_ = new QActionGroup(zoomMenu_);
  zoomGroup_->setExclusive(true);
  for (int tag : kZoomTags) {
    QAction* a = zoomMenu_->addAction(tag >= 10 ? QStringLiteral("%1%").arg(tag) : Text(str::kPageWidth + tag - 1));
    a->setCheckable(true);
    a->setData(tag);
    a->setActionGroup(zoomGroup_);
    if (tag == 100) a->setChecked(true);
    connect(a, &QAction::triggered, this, [this, tag] { ChooseZoom(tag); });
  }
  pageSeparator_ = zoomMenu_->addSeparator();
  editPage_ = zoomMenu_->addAction(Text(str::kEditPage) + QStringLiteral("..."));
  addPage_ = zoomMenu_->addAction(Text(str::kEditPage + 1));
  removePage_ = zoomMenu_->addAction(Text(str::kEditPage + 2));
  connect(editPage_, &QAction::triggered, this, [this] { EditPage(); });
  connect(addPage_, &QAction::triggered, this, [this] { AddPage(); });
  connect(removePage_, &QAction::triggered, this, [this] { RemovePage(); });
}

void TvlPreviewForm::CreateToolbar() {
  toolbar_ = new QWidget(this);
  toolbar_->setObjectName(QStringLiteral("ToolbarPanel"));
  toolbar_->setFixedHeight(kToolbarHeight);
  auto button = [this](const char* name, TvlPreviewGlyph glyph, int tag, std::function<void()> click) {
    QWidget* b = vlCreatePreviewButton(toolbar_, {}, vlPreviewGlyph(glyph), kButtonSize, std::move(click));
    b->setObjectName(QString::fromLatin1(name));
    b->setProperty("vlHelpContext", tag);
    return b;
  };
  zoomBtn_ = vlCreatePreviewButton(toolbar_, QStringLiteral("200%"), {}, 53, [this] {
    ShowZoomMenu(zoomBtn_->mapToGlobal(QPoint(0, zoomBtn_->height())), false);
  });
  zoomBtn_->setObjectName(QStringLiteral("ZoomBtn"));
  zoomBtn_->setProperty("vlHelpContext", 200);
  loadBtn_ = button("LoadBtn", TvlPreviewGlyph::Open, 201, [this] { Open(); });
  saveBtn_ = button("SaveBtn", TvlPreviewGlyph::Save, 202, [this] { Save(); });
  printBtn_ = button("PrintBtn", TvlPreviewGlyph::Print, 203, [this] { Print(); });
  pageSetupBtn_ = button("PageSetupBtn", TvlPreviewGlyph::PageSetup, 203, [this] { PageSetup(); });
  findBtn_ = button("FindBtn", TvlPreviewGlyph::Find, 204, [this] { Find(); });
  helpBtn_ = button("HelpBtn", TvlPreviewGlyph::Help, 205, [this] { StartContextHelp(); });
  exitBtn_ = button("ExitBtn", TvlPreviewGlyph::Exit, 206, [this] { CloseWindow(); });
  for (QFrame*& s : separators_) s = MakeSeparator(toolbar_);
  separators_[0]->setObjectName(QStringLiteral("Sep1"));
  separators_[1]->setObjectName(QStringLiteral("Sep2"));
  separators_[2]->setObjectName(QStringLiteral("Sep3"));
  toolbar_->installEventFilter(this);
}

void TvlPreviewForm::CreatePreviewPanel() {
  previewPanel_ = new QWidget(this);
  previewPanel_->setObjectName(QStringLiteral("PreviewPanel"));
  pbox_ = new TvlPBox(this, previewPanel_);
  pbox_->setProperty("vlHelpContext", 207);

  rightPanel_ = new QWidget(previewPanel_);
  rightPanel_->setObjectName(QStringLiteral("RightPanel"));
  vScroll_ = MakeScrollBar(Qt::Vertical, rightPanel_);
  vScroll_->setObjectName(QStringLiteral("VScrollBar"));
  auto pageButton = [this](const char* name, TvlPreviewGlyph glyph, int delta) {
    auto* b = new QToolButton(rightPanel_);
    b->setObjectName(QString::fromLatin1(name));
    b->setIcon(QIcon(QPixmap::fromImage(vlPreviewGlyph(glyph))));
    b->setIconSize(QSize(12, 12));
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->resize(kRightPanelWidth, kRightPanelWidth);
    connect(b, &QToolButton::clicked, this, [this, delta] { GoToPage(curPage_ + delta); });
    return b;
  };
  pgUp_ = pageButton("PgUp", TvlPreviewGlyph::PageUp, -1);
  pgDown_ = pageButton("PgDown", TvlPreviewGlyph::PageDown, 1);

  bottomBar_ = new QWidget(previewPanel_);
  bottomBar_->setObjectName(QStringLiteral("BottomBar"));
  pageLabel_ = new QLabel(bottomBar_);
  pageLabel_->setObjectName(QStringLiteral("LblPage"));
  linkLabel_ = new QLabel(bottomBar_);
  linkLabel_->setObjectName(QStringLiteral("LblLink"));
  hScroll_ = MakeScrollBar(Qt::Horizontal, bottomBar_);
  hScroll_->setObjectName(QStringLiteral("HScrollBar"));

  connect(vScroll_, &QScrollBar::valueChanged, this, [this](int v) { VScrollChanged(v); });
  connect(hScroll_, &QScrollBar::valueChanged, this, [this](int v) { HScrollChanged(v); });
  previewPanel_->installEventFilter(this);
  rightPanel_->installEventFilter(this);
  bottomBar_->installEventFilter(this);
}

// Toolbar left to right; the window's own layout puts the toolbar on top
// and the preview panel below it.
void TvlPreviewForm::ArrangePanel() {
  int x = 4;
  const int y = (kToolbarHeight - kButtonSize) / 2;
  QWidget* order[] = {zoomBtn_, separators_[0], loadBtn_, saveBtn_, printBtn_, pageSetupBtn_, separators_[1],
                      findBtn_, helpBtn_, separators_[2], exitBtn_};
  for (QWidget* w : order) {
    if (w->isHidden()) continue;
    w->move(x, y);
    x += w->width() + (qobject_cast<QFrame*>(w) ? 0 : 1);
  }
  if (toolbar_->parentWidget() == this) {
    const int top = toolbar_->isHidden() ? 0 : kToolbarHeight;
    toolbar_->setGeometry(0, 0, width(), kToolbarHeight);
    if (previewPanel_->parentWidget() == this) previewPanel_->setGeometry(0, top, width(), height() - top);
  }
}

void TvlPreviewForm::ArrangeRightPanel() {
  const int h = rightPanel_->height();
  pgDown_->move(0, h - kRightPanelWidth);
  pgUp_->move(0, h - 2 * kRightPanelWidth);
  vScroll_->setGeometry(0, 0, kRightPanelWidth, std::max(0, h - 2 * kRightPanelWidth));
}

void TvlPreviewForm::ArrangeBottomBar() {
  const int w = bottomBar_->width();
  const int labels = 100 + 220;
  const int barWidth = std::max(0, w - (rightPanel_->isHidden() ? 0 : kRightPanelWidth) - labels);
  hScroll_->setGeometry(0, 0, barWidth, kBottomBarHeight);
  pageLabel_->setGeometry(barWidth + 6, 0, 94, kBottomBarHeight);
  linkLabel_->setGeometry(barWidth + 100, 0, w - barWidth - 100, kBottomBarHeight);
}

bool TvlPreviewForm::eventFilter(QObject* watched, QEvent* event) {
  if (contextHelp_ && event->type() == QEvent::MouseButtonPress) {
    auto* w = qobject_cast<QWidget*>(watched);
    if (w && (w->window() == this || isAncestorOf(w) || previewPanel_->isAncestorOf(w) || w == pbox_)) {
      HelpClick(w);
      return true;
    }
  }
  if (event->type() == QEvent::Resize) {
    if (watched == previewPanel_) {
      const int w = previewPanel_->width(), h = previewPanel_->height();
      const int bottom = bottomBar_->isHidden() ? 0 : kBottomBarHeight;
      const int right = rightPanel_->isHidden() ? 0 : kRightPanelWidth;
      bottomBar_->setGeometry(0, h - bottom, w, kBottomBarHeight);
      rightPanel_->setGeometry(w - right, 0, kRightPanelWidth, h - bottom);
      pbox_->setGeometry(0, 0, w - right, h - bottom);
    } else if (watched == rightPanel_) {
      ArrangeRightPanel();
    } else if (watched == bottomBar_) {
      ArrangeBottomBar();
    } else if (watched == toolbar_) {
      ArrangePanel();
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TvlPreviewForm::showEvent(QShowEvent* event) {
  ArrangePanel();
  QDialog::showEvent(event);
}

// The window opens maximised, which resizes it after it was shown: the
// toolbar and the panel follow every size the window takes.
void TvlPreviewForm::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  ArrangePanel();
}

// ---- Connection and set-up. ----

void TvlPreviewForm::Connect(TvlReport& report) {
  report_ = &report;
  auto held = std::make_unique<TvlEMFPages>(&report);
  held->Swap(report.EMFPages);
  painter_.Forget();
  pages_ = std::move(held);
  search_ = TvlPreviewSearch{};
}

void TvlPreviewForm::Disconnect() {
  if (!report_) return;
  painter_.Forget();
  report_->EMFPages.Clear();
  report_->EMFPages.Swap(*pages_);
}

bool TvlPreviewForm::HasPrinters() const { return vlPrinter().VirtualIndex > 0; }

bool TvlPreviewForm::PageEditingAllowed() const {
  return report_ && report_->ModifyPrepared && vlPreviewDesignerInstalled();
}

void TvlPreviewForm::SetUp() {
  if (!report_) return;
  {
    const std::uint16_t b = report_->PreviewButtons;
    zoomBtn_->setVisible(b & pbZoom);
    loadBtn_->setVisible(b & pbLoad);
    saveBtn_->setVisible(b & pbSave);
    printBtn_->setVisible(b & pbPrint);
    pageSetupBtn_->setVisible(b & pbPageSetup);
    findBtn_->setVisible(b & pbFind);
    helpBtn_->setVisible((b & pbHelp) && ToolbarInWindow);
    exitBtn_->setVisible((b & pbExit) && ToolbarInWindow);
    separators_[0]->setVisible(b & pbZoom);
    separators_[2]->setVisible(!findBtn_->isHidden() || !helpBtn_->isHidden());
  }
  printBtn_->setEnabled(HasPrinters());
  pageSetupBtn_->setEnabled(HasPrinters());

  const bool editing = PageEditingAllowed();
  for (QAction* a : {pageSeparator_, editPage_, addPage_, removePage_}) {
    a->setVisible(editing);
    a->setEnabled(editing);
  }
  if (report_->InitialZoom != pzDefault) vlSharedPreviewZoom().Mode = report_->InitialZoom;

  const bool grayed = vlPreviewDesignerInstalled()
                          ? vlPlatform().Settings->ReadBool(vlPlacementRoot() + "\\Form\\TvlDesignerForm",
                                                            "GrayButtons", false)
                          : report_->GrayedButtons;
  for (QWidget* b : {zoomBtn_, loadBtn_, saveBtn_, printBtn_, pageSetupBtn_, findBtn_, helpBtn_, exitBtn_})
    vlSetPreviewButtonGrayed(b, grayed);
  loadBtn_->setToolTip(Text(str::kHintScale + 1));
  zoomBtn_->setToolTip(Text(str::kHintScale));
  saveBtn_->setToolTip(Text(str::kHintScale + 2));
  printBtn_->setToolTip(Text(str::kHintScale + 3));
  findBtn_->setToolTip(Text(str::kHintScale + 4));
  helpBtn_->setToolTip(Text(str::kHintScale + 5));
  exitBtn_->setToolTip(Text(str::kHintScale + 6));
  pageSetupBtn_->setToolTip(Text(str::kHintScale + 7));
  ArrangePanel();
}

void TvlPreviewForm::ResetView(bool restart) {
  factor_ = vlSharedPreviewZoom().Factor;
  mode_ = vlSharedPreviewZoom().Mode;
  SelectZoomEntry();
  if (restart) {
    curPage_ = 1;
    ofsx_ = ofsy_ = 0;
    oldV_ = oldH_ = 0;
    const QSignalBlocker bv(vScroll_), bh(hScroll_);
    vScroll_->setValue(0);
    hScroll_->setValue(0);
  }
  curPage_ = std::clamp(curPage_, 1, std::max(1, pages_->Count()));
  search_.Found = false;
  ShowStatus();
  FormResize();
  painter_.ReleaseAll(*pages_);
  removePage_->setEnabled(pages_->Count() > 1 && PageEditingAllowed());
  pbox_->update();
}

void TvlPreviewForm::SelectZoomEntry() {
  int tag = mode_;
  if (mode_ == zmPercent) tag = vlRound(factor_ * 100);
  for (QAction* a : zoomGroup_->actions()) a->setChecked(a->data().toInt() == tag);
}

QAction* TvlPreviewForm::ZoomEntry(int tag) const {
  for (QAction* a : zoomGroup_->actions())
    if (a->data().toInt() == tag) return a;
  return nullptr;
}

// ---- Layout and scrolling. ----

void TvlPreviewForm::FormResize() {
  if (!pbox_) return;
  paintAllowed_ = false;
  const TvlSize surface{pbox_->width(), pbox_->height()};
  layout_ = vlLayoutPages(*pages_, curPage_, mode_, factor_, surface);
  factor_ = layout_.Factor;
  if (mode_ == zmPercent) SelectZoomEntry();
  vlSetPreviewButtonCaption(zoomBtn_, QStringLiteral("%1%").arg(vlRound(factor_ * 100)));
  ArrangeRightPanel();
  ArrangeBottomBar();
  {
    const QSignalBlocker bv(vScroll_), bh(hScroll_);
    vScroll_->setRange(0, layout_.VertRange);
    hScroll_->setRange(0, layout_.HorzRange);
    vScroll_->setEnabled(layout_.VertRange > 0);
    hScroll_->setEnabled(layout_.HorzRange > 0);
    oldV_ = vScroll_->value();
    oldH_ = hScroll_->value();
    ofsy_ = -oldV_;
    ofsx_ = -oldH_;
  }
  if (isVisible() || pbox_->isVisible()) pbox_->setFocus();
  paintAllowed_ = true;
  ScrollToCurrentPage();
  pbox_->update();
}

void TvlPreviewForm::ScrollToCurrentPage() {
  if (curPage_ < 1 || curPage_ > pages_->Count()) return;
  vScroll_->setValue((*pages_)[curPage_ - 1].LayoutRect.Top - kPageGap);
}

void TvlPreviewForm::VScrollChanged(int value) {
  ofsy_ = -value;
  const int dy = oldV_ - value;
  oldV_ = value;
  if (paintAllowed_ && dy != 0) pbox_->scroll(0, dy);
  const int page = vlPageAtScroll(*pages_, value);
  if (page > 0 && page != curPage_) {
    curPage_ = page;
    ShowStatus();
  }
}

void TvlPreviewForm::HScrollChanged(int value) {
  ofsx_ = -value;
  const int dx = oldH_ - value;
  oldH_ = value;
  if (paintAllowed_ && dx != 0) pbox_->scroll(dx, 0);
}

void TvlPreviewForm::ScrollBy(int dx, int dy) {
  if (dy) vScroll_->setValue(vScroll_->value() + dy);
  if (dx) hScroll_->setValue(hScroll_->value() + dx);
}

void TvlPreviewForm::GoToPage(int page) {
  if (page < 1 || page > pages_->Count()) return;
  curPage_ = page;
  ShowStatus();
  ScrollToCurrentPage();
  // Two pages at the end may not scroll: the status still says which is current.
  curPage_ = page;
  ShowStatus();
}

void TvlPreviewForm::ShowStatus() {
  if (OnPageChanged) OnPageChanged();
  if (pages_->Count() == 0) {
    pageLabel_->clear();
    return;
  }
  pageLabel_->setText(Text(str::kPageWord) + QStringLiteral(" %1/%2").arg(curPage_).arg(pages_->Count()));
}

// ---- Painting. ----

void TvlPreviewForm::PaintSurface(QPainter& painter, const QRect& area) {
  if (!paintAllowed_) return;
  TvlQtCanvas canvas(painter, {pbox_->width(), pbox_->height()}, 96, 96);
  const TvlRect r{area.left(), area.top(), area.right() + 1, area.bottom() + 1};
  painter_.Paint(*pages_, canvas, {ofsx_, ofsy_}, factor_, r, {pbox_->width(), pbox_->height()},
                 layout_.TallestPage);
  const QRect found = FoundRect();
  if (!found.isEmpty()) {
    canvas.SelectClipRegion(TvlRegion(r));
    vlInvertRect(canvas, {found.left(), found.top(), found.right() + 1, found.bottom() + 1});
  }
}

QRect TvlPreviewForm::FoundRect() const {
  if (!search_.Found || search_.FoundPage >= pages_->Count()) return {};
  const TvlPreparedPage& p = (*pages_)[search_.FoundPage];
  const TvlRect page = vlPageDrawRect(p, p.LayoutRect, factor_);
  const TvlSize size = vlPageSize(p);
  if (size.Width <= 0 || size.Height <= 0) return {};
  const double kx = static_cast<double>(page.Width()) / size.Width;
  const double ky = static_cast<double>(page.Height()) / size.Height;
  const TvlRect& b = search_.FoundBounds;
  const int left = page.Left + vlRound(b.Left * kx) + ofsx_;
  const int top = page.Top + vlRound(b.Top * ky) + ofsy_;
  const int right = page.Left + vlRound(b.Right * kx) + ofsx_;
  const int bottom = page.Top + vlRound(b.Bottom * ky) + ofsy_;
  return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

// ---- Mouse. ----

void TvlPreviewForm::SurfaceMouseDown(QPoint at) {
  pbox_->setFocus();
  pbox_->CurPage = curPage_;
  const int x = at.x() - ofsx_, y = at.y() - ofsy_;
  if (const int page = vlPageAtPoint(*pages_, {x, y})) {
    const int i = page - 1;
    const TvlRect& r = (*pages_)[i].LayoutRect;
    pbox_->CurPage = page;
    const TvlPoint p{vlRound((x - r.Left) / factor_), vlRound((y - r.Top) / factor_)};
    const TvlHitResult hit = pages_->HitTest(i, p, true);
    if (hit.Handled) {
      if (const auto target = vlLinkPage(hit.LinkText); target && *target <= pages_->Count()) GoToPage(*target);
      return;
    }
  }
  pbox_->Down = true;
  pbox_->LastPos = at;
  if (pbox_->CurPage > 0 && pbox_->CurPage != curPage_) {
    curPage_ = pbox_->CurPage;
    ShowStatus();
  }
}

void TvlPreviewForm::SurfaceMouseMove(QPoint at) {
  if (pbox_->Down) {
    const QPoint d = at - pbox_->LastPos;
    pbox_->LastPos = at;
    ScrollBy(-d.x(), -d.y());
    return;
  }
  const int x = at.x() - ofsx_, y = at.y() - ofsy_;
  TvlHitResult hit;
  if (const int page = vlPageAtPoint(*pages_, {x, y})) {
    const TvlRect& r = (*pages_)[page - 1].LayoutRect;
    hit = pages_->HitTest(page - 1, {vlRound((x - r.Left) / factor_), vlRound((y - r.Top) / factor_)}, false);
  }
  pbox_->setCursor(QtCursor(hit.Handled ? hit.Cursor : crDefault));
  QString link;
  if (hit.Handled && !hit.LinkText.empty()) {
    const std::size_t atSign = hit.LinkText.find('@');
    const auto target = vlLinkPage(hit.LinkText);
    link = atSign == 0 && target ? Text(str::kPageWord) + QStringLiteral(" %1").arg(*target) : vlToQt(hit.LinkText);
  }
  linkLabel_->setText(link);
}

void TvlPreviewForm::SurfaceMouseUp() { pbox_->Down = false; }

// ---- Keys and the zoom menu. ----

void TvlPreviewForm::keyPressEvent(QKeyEvent* event) {
  if (!KeyDown(event->key(), event->modifiers())) QDialog::keyPressEvent(event);
}

bool TvlPreviewForm::KeyDown(int key, Qt::KeyboardModifiers modifiers) {
  const bool ctrl = modifiers & Qt::ControlModifier;
  switch (key) {
    case Qt::Key_Up: ScrollBy(0, -kSmallChange); return true;
    case Qt::Key_Down: ScrollBy(0, kSmallChange); return true;
    case Qt::Key_Left: ScrollBy(-kSmallChange, 0); return true;
    case Qt::Key_Right: ScrollBy(kSmallChange, 0); return true;
    case Qt::Key_PageUp:
      if (ctrl) GoToPage(curPage_ - 1);
      else ScrollBy(0, -kLargeChange);
      return true;
    case Qt::Key_PageDown:
      if (ctrl) GoToPage(curPage_ + 1);
      else ScrollBy(0, kLargeChange);
      return true;
    case Qt::Key_Home:
      if (!ctrl) return false;
      vScroll_->setValue(0);
      return true;
    case Qt::Key_End:
      if (!ctrl) return false;
      GoToPage(pages_->Count());
      return true;
    case Qt::Key_Space:
      ShowZoomMenu(pbox_->mapToGlobal(QPoint(0, 0)), PageEditingAllowed());
      return true;
    case Qt::Key_Escape: CloseWindow(); return true;
    case Qt::Key_F3:
      if (ctrl) return false;
      if (!search_.Text.empty()) FindNext();
      return true;
    default: break;
  }
  if (!ctrl) return false;
  switch (key) {
    case Qt::Key_O: Open(); return true;
    case Qt::Key_S: Save(); return true;
    case Qt::Key_P:
      if (printBtn_->isEnabled()) Print();
      return true;
    case Qt::Key_F: Find(); return true;
    case Qt::Key_E:
      if (editPage_->isEnabled() && editPage_->isVisible()) EditPage();
      return true;
    default: return false;
  }
}

void TvlPreviewForm::ShowZoomMenu(QPoint at, bool pageEntries) {
  QMenu* menu = PopupMenu ? PopupMenu : zoomMenu_;
  if (menu == zoomMenu_)
    for (QAction* a : {pageSeparator_, editPage_, addPage_, removePage_}) a->setVisible(pageEntries);
  menu->popup(at);
}

void TvlPreviewForm::ChooseZoom(int tag) {
  ofsx_ = 0;
  if (tag >= zmPageWidth && tag <= zmTwoPages) {
    mode_ = tag;
  } else {
    mode_ = zmPercent;
    factor_ = tag / 100.0;
  }
  if (QAction* a = ZoomEntry(tag)) a->setChecked(true);
  {
    const QSignalBlocker bh(hScroll_);
    hScroll_->setValue(0);
    oldH_ = 0;
  }
  FormResize();
  vlSharedPreviewZoom() = {factor_, mode_};
  pbox_->update();
}

}  // namespace vl
