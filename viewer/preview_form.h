#pragma once
// The preview window: the prepared pages of a report laid out on a grey
// surface at a chosen zoom, with paging, zoom, text search, clickable links,
// open and save of prepared-report files, printing, page setup and, with a
// designer, page editing. While connected the window holds the report's
// prepared pages and the report an empty store.

#include <QDialog>
#include <QPoint>
#include <functional>
#include <memory>
#include <string>

#include "engine/model/prepared_pages.h"
#include "engine/model/report.h"
#include "engine/output/preview_layout.h"
#include "engine/output/preview_paint.h"
#include "engine/output/preview_search.h"

class QAction;
class QActionGroup;
class QFrame;
class QLabel;
class QMenu;
class QScrollBar;
class QToolButton;

namespace vl {

class TvlPreviewForm;
class TvlReport;

// The drawing surface: paints the pages and takes the mouse.
class TvlPBox : public QWidget {
 public:
  explicit TvlPBox(TvlPreviewForm* form, QWidget* parent);

  int Tag = 207;
  bool Down = false;          // dragging
  QPoint LastPos;             // mouse position while dragging
  int CurPage = 0;            // the page under the last left click (from 1), 0 none
  bool DoubleClicked = false;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  TvlPreviewForm* form_;
};

class TvlPreviewForm : public QDialog {
 public:
  explicit TvlPreviewForm(QWidget* parent = nullptr);
  ~TvlPreviewForm() override;

  // ---- Connection to a report. ----
  // Shows the report's prepared pages: connect, set up, reset the view, and
  // show modally when the report's ModalPreview is on (returning when the
  // window closes), else non-modally.
  void Show(TvlReport& report);
  // Takes the report's prepared pages (freeing those held) and leaves the
  // report an empty store.
  void Connect(TvlReport& report);
  // Gives the pages back: the report's current store is emptied and takes
  // the preview's pages.
  void Disconnect();
  // Buttons, menu entries and zoom from the report's settings.
  void SetUp();
  // Takes the shared zoom, lays the pages out and repaints; restarting also
  // goes back to page 1 and the top.
  void ResetView(bool restart);

  TvlReport* Report() const { return report_; }
  TvlEMFPages& Pages() { return *pages_; }

  // ---- View. ----
  int CurrentPage() const { return curPage_; }
  // Makes a page current (from 1) and scrolls to it; out of range does nothing.
  void GoToPage(int page);
  double Factor() const { return factor_; }
  int Mode() const { return mode_; }
  const TvlPreviewLayout& Layout() const { return layout_; }
  QPoint ScrollOffset() const { return {ofsx_, ofsy_}; }
  // Lays the pages out for the surface's size and the zoom (the zoom button's
  // caption, pages per row, scroll ranges), then scrolls to the current page.
  void FormResize();
  // A zoom menu entry by its tag: 200 .. 10 percent, 1 page width, 2 whole
  // page, 3 two pages.
  void ChooseZoom(int tag);
  // Keys as the window takes them; true when handled.
  bool KeyDown(int key, Qt::KeyboardModifiers modifiers);
  void ScrollBy(int dx, int dy);
  // A left click at a point of the surface (page links and dragging).
  void SurfaceMouseDown(QPoint at);
  void SurfaceMouseMove(QPoint at);
  void SurfaceMouseUp();
  // Called by the control that embeds the window's panel (TvlPreview).
  std::function<void()> OnPageChanged;

  // ---- Commands. ----
  // The search dialog, then the first match.
  void Find();
  // Sets the search and shows the first match; false when nothing matched.
  bool FindText(const std::string& text, bool caseSensitive, bool fromCurrentPage);
  // F3: the next match; continues from the current page when it changed
  // since the last match. False when nothing (more) matched or no text was searched.
  bool FindNext();
  const TvlPreviewSearch& Search() const { return search_; }
  // The highlighted text on the surface (surface coordinates), empty when none.
  QRect FoundRect() const;

  void Print();
  // How the last print from the window ended.
  TvlPrintResult LastPrintResult() const { return lastPrint_; }
  void PageSetup();
  // The open and save dialogs, then LoadReport / SaveReport.
  void Open();
  void Save();
  // False (with a message shown) when the file could not be read or written.
  bool LoadReport(const std::string& path);
  bool SaveReport(const std::string& path);
  void EditPage();
  void AddPage();
  void RemovePage();
  // Context-help mode: the next click on the window opens the help topic of
  // the control clicked.
  void StartContextHelp();
  bool InContextHelp() const { return contextHelp_; }
  void CloseWindow();

  // ---- Controls, named as the window's description names them. ----
  QWidget* ToolbarPanel() const { return toolbar_; }
  QWidget* PreviewPanel() const { return previewPanel_; }
  TvlPBox* PBox() const { return pbox_; }
  QWidget* ZoomBtn() const { return zoomBtn_; }
  QWidget* LoadBtn() const { return loadBtn_; }
  QWidget* SaveBtn() const { return saveBtn_; }
  QWidget* PrintBtn() const { return printBtn_; }
  QWidget* PageSetupBtn() const { return pageSetupBtn_; }
  QWidget* FindBtn() const { return findBtn_; }
  QWidget* HelpBtn() const { return helpBtn_; }
  QWidget* ExitBtn() const { return exitBtn_; }
  QFrame* Separator(int n) const { return separators_[n]; }  // 0, 1, 2
  QScrollBar* VScrollBar() const { return vScroll_; }
  QScrollBar* HScrollBar() const { return hScroll_; }
  QToolButton* PgUpBtn() const { return pgUp_; }
  QToolButton* PgDownBtn() const { return pgDown_; }
  QWidget* RightPanel() const { return rightPanel_; }
  QWidget* BottomBar() const { return bottomBar_; }
  QLabel* PageLabel() const { return pageLabel_; }
  QLabel* LinkLabel() const { return linkLabel_; }
  QMenu* ZoomMenu() const { return zoomMenu_; }
  // The zoom menu's entries by tag (200 .. 10, 1, 2, 3).
  QAction* ZoomEntry(int tag) const;
  QAction* EditPageEntry() const { return editPage_; }
  QAction* AddPageEntry() const { return addPage_; }
  QAction* RemovePageEntry() const { return removePage_; }
  QAction* PageEntriesSeparator() const { return pageSeparator_; }

  // The menu the right button and Space open (an embedding control's own
  // popup menu replaces the zoom menu).
  QMenu* PopupMenu = nullptr;
  // Mouse wheel steps are the small change times this (3 when embedded).
  int WheelFactor = 1;
  // True while the toolbar sits in this window (Help and Exit are shown only then).
  bool ToolbarInWindow = true;

  // Paints the surface (called by TvlPBox).
  void PaintSurface(QPainter& painter, const QRect& area);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void CreateToolbar();
  void CreatePreviewPanel();
  void CreateZoomMenu();
  void ArrangePanel();
  void ArrangeRightPanel();
  void ArrangeBottomBar();
  void ShowZoomMenu(QPoint at, bool pageEntries);
  void VScrollChanged(int value);
  void HScrollChanged(int value);
  void ScrollToCurrentPage();
  void ShowStatus();
  void SelectZoomEntry();
  void ShowFound();
  bool PageEditingAllowed() const;
  bool HasPrinters() const;
  void RestorePlacement();
  void SavePlacement();
  void HelpClick(QWidget* clicked);
  bool WithReportPages(const std::function<void()>& operation);

  TvlReport* report_ = nullptr;
  std::unique_ptr<TvlEMFPages> pages_;
  int curPage_ = 1;
  double factor_ = 1.0;
  int mode_ = zmPercent;
  int ofsx_ = 0, ofsy_ = 0;
  int oldV_ = 0, oldH_ = 0;
  bool paintAllowed_ = true;
  TvlPreviewSearch search_;
  bool contextHelp_ = false;
  TvlPreviewLayout layout_;
  TvlPreviewPainter painter_;
  TvlPrintResult lastPrint_ = TvlPrintResult::NothingToPrint;

  QWidget* toolbar_ = nullptr;
  QWidget *zoomBtn_ = nullptr, *loadBtn_ = nullptr, *saveBtn_ = nullptr, *printBtn_ = nullptr,
          *pageSetupBtn_ = nullptr, *findBtn_ = nullptr, *helpBtn_ = nullptr, *exitBtn_ = nullptr;
  QFrame* separators_[3] = {};
  QWidget* previewPanel_ = nullptr;
  TvlPBox* pbox_ = nullptr;
  QWidget* rightPanel_ = nullptr;
  QScrollBar* vScroll_ = nullptr;
  QScrollBar* hScroll_ = nullptr;
  QToolButton* pgUp_ = nullptr;
  QToolButton* pgDown_ = nullptr;
  QWidget* bottomBar_ = nullptr;
  QLabel* pageLabel_ = nullptr;
  QLabel* linkLabel_ = nullptr;
  QMenu* zoomMenu_ = nullptr;
  QActionGroup* zoomGroup_ = nullptr;
  QAction *editPage_ = nullptr, *addPage_ = nullptr, *removePage_ = nullptr, *pageSeparator_ = nullptr;
};

// The user guide the preview's help shows.
inline constexpr const char* kPreviewHelpFile = "vluser.html";
// True when a designer is there to edit prepared pages.
bool vlPreviewDesignerInstalled();
// Installs the preview as the window the report's ShowPrepared opens (and
// the control printing takes pages back from).
void vlInstallPreviewWindow();

}  // namespace vl
