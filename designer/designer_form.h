#pragma once
// The designer window: menus, the toolbars on four docks, one tab per page
// holding the design surface in a scrolling area, and the status bar. It
// owns the commands (by name, each a QAction with its button and menu item),
// the undo histories and the options; other designer parts attach to it
// through the command registry, the selection-changed listeners and the
// extension hook below.

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "designer/designer_options.h"
#include "designer/report_designer.h"
#include "designer/undo_history.h"
#include "engine/model/memo_view.h"
#include "platform/message_box.h"

class QMenuBar;
class QScrollArea;
class QTabBar;

namespace vl {

class TvlDesignerPage;
class TvlDesignerStatusBar;
class TvlDock;
class TvlSpeedButton;
class TvlToolBar;
class TvlView;

// The attributes new objects take, changed by the formatting commands.
struct TvlLastUsedAttributes {
  TvlFont Font;  // name and size set when the designer opens
  std::int32_t Alignment = 0;
  std::uint16_t FrameLines = vlftNone;
  float FrameWidth = 1.0f;
  float LineWidth = 2.0f;
  TvlColor FrameColor = clBlack;
  TvlColor FillColor = clNone;
};
TvlLastUsedAttributes& vlLastUsed();

class TvlDesignerForm : public TvlReportDesigner {
 public:
  TvlDesignerForm(TvlReport& report, bool firstInstance, QWidget* parent = nullptr);
  ~TvlDesignerForm() override;

  // ---- TvlReportDesigner ----
  bool GetModified() override;
  void SetModified(bool value) override;
  void BeforeChange() override;
  void AfterChange() override;
  void RedrawPage() override;
  void SelectObject(const std::string& name) override;
  std::string InsertDBField() override;
  std::string InsertExpression() override;

  // ---- State ----
  TvlDesignerOptions Options;
  TvlUndoBuffers UndoBuffers;
  std::string DocumentName;  // "Untitled" until a file is opened or saved
  int CurPage() const { return curPage_; }
  TvlDesignerPage* Surface() const { return surface_; }
  QScrollArea* ScrollArea() const { return scroll_; }
  QTabBar* Tabs() const { return tabs_; }
  TvlDesignerStatusBar* StatusBar() const { return status_; }
  // The Tools toolbar's and menu's extra tools, the standard toolbars by
  // name ("Standard", "Text", "Rectangle", "Objects", "Alignment", "Tools").
  TvlToolBar* ToolBar(const std::string& name) const;
  TvlDock* Dock(const std::string& name) const;
  // Selected objects of the current page, in list order.
  std::vector<TvlView*> Selection() const;
  int SelectionCount() const;
  // Set while toolbars are being synchronised (formatting commands ignore
  // their own controls' changes then).
  bool Synchronising = false;

  // ---- The command registry ----
  // Commands by name: "New", "NewFromTemplate", "Open", "Save", "SaveAs",
  // "Dictionary", "ReportOptions", "PageOptions", "Preview", "Exit", "Undo",
  // "Redo", "Cut", "Copy", "Paste", "Delete", "SelectAll", "Edit", "AddPage",
  // "AddDialogPage", "RemovePage", "BringToFront", "SendToBack", "Grid",
  // "GridAlign", "FitToGrid", "Options", "HelpContents", "HelpTool", and the
  // toolbar toggles "ToolBar.<name>". Other parts add their own.
  QAction* Command(const std::string& name) const;
  QAction* AddCommand(const std::string& name, const QString& caption, const QString& hint,
                      const QImage& glyph, std::function<void()> run);
  // The top-level menus: "File", "Edit", "Tools", "Toolbars", "Help".
  QMenu* Menu(const std::string& name) const;
  // A flat button for a command, put at the end of a toolbar.
  TvlSpeedButton* AddButton(TvlToolBar* toolbar, const std::string& command, int tag = 0);
  // An extra tool: an item of the Tools menu and a button of the Tools toolbar.
  void AddTool(const QString& caption, const QImage& glyph, std::function<void()> run);

  // ---- Notifications ----
  // Called after every change of the selection (toolbars, inspector, status).
  std::vector<std::function<void()>> SelectionChangedListeners;
  // Called after the current page changed (page switch, new or opened report).
  std::vector<std::function<void()>> PageChangedListeners;
  // Keys seen before the window's own keyboard map; true when handled.
  std::vector<std::function<bool(int key, Qt::KeyboardModifiers modifiers)>> KeyListeners;

  // ---- Operations the other parts call ----
  void SetCurrentPage(int n);
  void ClearSelection();
  void SelectionChanged();
  void UpdateStatus();
  void ResetSelection();
  void ShowEditor();
  void ShowMemoEditor(TvlView* view);
  // Records an undo step (or only marks the report modified with DisableUndo).
  void RecordUndo(TvlUndoKind kind);
  // Width and height of a new object (grid 18: 108 x 18; font 12-16 taller).
  TvlSize DefaultObjectSize() const;
  // Bands to the front (overlay first, cross bands last), then the others.
  void ApplyBandOrder();
  void RefreshTabCaptions();
  void EnableCommands();
  void OpenPageOptions();
  // The tool of the objects toolbar (its tag); sticky tools stay after an insertion.
  void SetTool(int tag, bool sticky = false);
  void ShowSurfaceMenu(QPoint global);
  // A view's context-menu entry chosen for the selection.
  void RunPopupEntry(const TvlPopupEntry& entry, TvlView& source);
  // Changes every selected object that may be modified, recording one edit
  // step first: the formatting commands' common path.
  void ApplyToSelection(const std::function<void(TvlView&)>& change);

  // ---- Commands ----
  bool New();
  bool NewFromTemplate();
  bool Open();
  bool OpenFile(const std::string& path);
  bool Save();
  bool SaveAs();
  void Preview();
  void Undo();
  void Redo();
  void Cut();
  void Copy();
  void Paste();
  void Delete();
  void SelectAll();
  void AddPage();
  void AddDialogPage();
  void RemovePage();
  void MovePage(int from, int to);
  void ZOrder(bool toFront);
  void FitToGrid();
  void EditOptions();
  void EditReportOptions();
  void EditDictionary();
  void ShowHelp(int context);
  void CycleUnits();
  // Keyboard map of the window; true when the key was used.
  bool HandleKey(int key, Qt::KeyboardModifiers modifiers);
  // Closing (Exit, the window's close box): the save-changes question first.
  void done(int result) override;

  // Settings (read when shown, written on close).
  void LoadSettings();
  void SaveSettings();
  // The recent files of the File menu, newest first.
  std::vector<std::string> RecentFiles() const { return recent_; }

  // Extension hook: every function here runs on each new designer window
  // after it is built (the inspector, editors and formatting toolbars attach
  // themselves through it).
  static std::vector<std::function<void(TvlDesignerForm&)>>& Extensions();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateCommands();
  void CreateMenus();
  void CreateToolBars();
  void CreateWorkArea();
  void InitOnShow();
  void UpdateCaption();
  // The save-changes question; Yes, No or Cancel.
  TvlMsgResult AskSaveChangesAnswer();
  // New and Open: asks when modified; false when the command must stop.
  bool SaveIfModified();
  bool CanClose();
  void AddRecent(const std::string& path);
  void RebuildRecentMenu();
  void AfterReportChanged();  // a new, opened or template-made report
  void DeleteSelected();
  void ShowInTabContextMenu(QPoint pos);
  void ShowPageForm(bool show);
  bool ArrowKey(int key, Qt::KeyboardModifiers modifiers);
  // Undo (true) or Redo; a report-level step puts the current page on afresh.
  void Revert(bool undo);

  int curPage_ = 0;
  bool shown_ = false;
  bool closing_ = false;
  bool helpMode_ = false;
  int closeResult_ = 2;
  std::map<std::string, QAction*> commands_;
  std::map<std::string, QMenu*> menus_;
  std::map<std::string, TvlToolBar*> toolbars_;
  std::map<std::string, TvlDock*> docks_;
  std::vector<std::string> recent_;
  QMenuBar* menuBar_ = nullptr;
  QScrollArea* scroll_ = nullptr;
  QTabBar* tabs_ = nullptr;
  TvlDesignerPage* surface_ = nullptr;
  TvlDesignerStatusBar* status_ = nullptr;
  QMenu* surfaceMenu_ = nullptr;
  QMenu* recentMenu_ = nullptr;
  QPointer<QWidget> pageForm_;  // the dialog page's window while one is current
};

}  // namespace vl
