#include "designer/designer_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QVBoxLayout>

#include "controls/control_align.h"
#include "controls/dock.h"
#include "controls/tool_bar.h"
#include "controls/toolbar_items.h"
#include "designer/design_surface.h"
#include "designer/designer_component.h"
#include "designer/designer_dialogs.h"
#include "controls/designer_glyphs.h"
#include "designer/designer_restrictions.h"
#include "designer/designer_status_bar.h"
#include "designer/designer_text.h"
#include "engine/core/engine_state.h"
#include "engine/model/object_factory.h"
#include "engine/model/report.h"
#include "engine/model/views.h"

namespace vl {

namespace {

// A command's captions, shortcuts and picture.
struct TvlCommandDef {
  const char* Name;
  int MenuText;  // string number of the menu item
  int Hint;      // string number of the button hint (0: the menu text)
  std::vector<QKeySequence> Keys;
  TvlDesignerGlyph Glyph;
  bool HasGlyph = true;
};

// The display text of a key the window's keyboard map handles itself.
QString WithKeyText(const QString& caption, const char* key) { return caption + QLatin1Char('\t') + QLatin1String(key); }

}  // namespace

TvlLastUsedAttributes& vlLastUsed() {
  static TvlLastUsedAttributes last;
  return last;
}

std::vector<std::function<void(TvlDesignerForm&)>>& TvlDesignerForm::Extensions() {
  static std::vector<std::function<void(TvlDesignerForm&)>> extensions;
  return extensions;
}

TvlDesignerForm::TvlDesignerForm(TvlReport& report, bool firstInstance, QWidget* parent)
    : TvlReportDesigner(report, firstInstance, parent) {
  setObjectName(QStringLiteral("vlDesignerForm"));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                 Qt::WindowCloseButtonHint);
  DocumentName = vlLoadStr(str::kUntitled);
  resize(792, 434);
  CreateCommands();
  CreateWorkArea();
  CreateMenus();
  CreateToolBars();
  qApp->installEventFilter(this);
  for (const auto& extend : Extensions()) extend(*this);
}

TvlDesignerForm::~TvlDesignerForm() {
  qApp->removeEventFilter(this);
  // Filters that the window's own helpers put on it read the designer,
  // which is gone once the widget part hides the window on destruction.
  for (QObject* child : children()) removeEventFilter(child);
  if (vlState().CurPage == Page) vlState().CurPage = nullptr;
}

// ---- Commands ----

QAction* TvlDesignerForm::Command(const std::string& name) const {
  auto it = commands_.find(name);
  return it == commands_.end() ? nullptr : it->second;
}

QAction* TvlDesignerForm::AddCommand(const std::string& name, const QString& caption, const QString& hint,
                                     const QImage& glyph, std::function<void()> run) {
  auto* action = new QAction(caption, this);
  action->setObjectName(QString::fromStdString(name));
  if (!glyph.isNull()) action->setIcon(QIcon(QPixmap::fromImage(glyph)));
  action->setToolTip(hint.isEmpty() ? QString(caption).remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0) : hint);
  action->setShortcutContext(Qt::WindowShortcut);
  connect(action, &QAction::triggered, this, [run = std::move(run)] {
    if (run) run();
  });
  addAction(action);
  commands_[name] = action;
  return action;
}

void TvlDesignerForm::CreateCommands() {
  using G = TvlDesignerGlyph;
  const TvlCommandDef defs[] = {
      {"New", 57004, 57004, {}, G::New},
      {"NewFromTemplate", 57005, 0, {QKeySequence(Qt::CTRL | Qt::Key_N)}, G::New},
      {"Open", 57007, 57006, {QKeySequence(Qt::CTRL | Qt::Key_O)}, G::Open},
      {"Save", 57009, 57008, {QKeySequence(Qt::CTRL | Qt::Key_S)}, G::Save},
      {"SaveAs", 57010, 0, {}, G::Save, false},
      {"Dictionary", 57011, 0, {}, G::InsertFields, false},
      {"ReportOptions", 57012, 0, {}, G::PageOptions, false},
      {"PageOptions", 57014, 57013, {}, G::PageOptions},
      {"Preview", 57016, 57015, {QKeySequence(Qt::CTRL | Qt::Key_P)}, G::Preview},
      {"Exit", 57019, 57018, {}, G::Close},
      {"Undo", 57022, 57020, {QKeySequence(Qt::CTRL | Qt::Key_Z)}, G::Undo},
      {"Redo", 57023, 57021, {QKeySequence(Qt::CTRL | Qt::Key_Y)}, G::Redo},
      {"Cut", 57027, 57024, {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)}, G::Cut},
      {"Copy", 57028, 57025, {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)}, G::Copy},
      {"Paste", 57029, 57026, {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)}, G::Paste},
      {"Delete", 57030, 0, {}, G::Cut, false},
      {"SelectAll", 57032, 57031, {QKeySequence(Qt::CTRL | Qt::Key_A)}, G::SelectAll},
      {"Edit", 57033, 0, {}, G::Memo, false},
      {"AddPage", 57035, 57034, {}, G::AddPage},
      {"AddDialogPage", 57037, 57036, {}, G::AddDialog},
      {"RemovePage", 57039, 57038, {}, G::RemovePage},
      {"BringToFront", 57042, 57040, {}, G::BringToFront},
      {"SendToBack", 57043, 57041, {}, G::SendToBack},
      {"Grid", 57044, 57044, {QKeySequence(Qt::CTRL | Qt::Key_G)}, G::Grid},
      {"GridAlign", 57045, 57045, {}, G::GridAlign},
      {"FitToGrid", 57046, 57046, {}, G::FitToGrid},
      {"Options", 57047, 0, {}, G::PageOptions, false},
      {"HelpContents", 57057, 0, {QKeySequence(Qt::Key_F1)}, G::Help, false},
      {"HelpTool", 57059, 57058, {QKeySequence(Qt::SHIFT | Qt::Key_F1)}, G::Help},
  };
  const std::map<std::string, std::function<void()>> run = {
      {"New", [this] { New(); }},
      {"NewFromTemplate", [this] { NewFromTemplate(); }},
      {"Open", [this] { Open(); }},
      {"Save", [this] { Save(); }},
      {"SaveAs", [this] { SaveAs(); }},
      {"Dictionary", [this] { EditDictionary(); }},
      {"ReportOptions", [this] { EditReportOptions(); }},
      {"PageOptions", [this] { OpenPageOptions(); }},
      {"Preview", [this] { Preview(); }},
      {"Exit", [this] { done(1); }},
      {"Undo", [this] { Undo(); }},
      {"Redo", [this] { Redo(); }},
      {"Cut", [this] { Cut(); }},
      {"Copy", [this] { Copy(); }},
      {"Paste", [this] { Paste(); }},
      {"Delete", [this] { Delete(); }},
      {"SelectAll", [this] { SelectAll(); }},
      {"Edit", [this] { ShowEditor(); }},
      {"AddPage", [this] { AddPage(); }},
      {"AddDialogPage", [this] { AddDialogPage(); }},
      {"RemovePage", [this] { RemovePage(); }},
      {"BringToFront", [this] { ZOrder(true); }},
      {"SendToBack", [this] { ZOrder(false); }},
      {"Grid",
       [this] {
         Options.GridShow = Command("Grid")->isChecked();
         RedrawPage();
       }},
      {"GridAlign", [this] { Options.GridAlign = Command("GridAlign")->isChecked(); }},
      {"FitToGrid", [this] { FitToGrid(); }},
      {"Options", [this] { EditOptions(); }},
      {"HelpContents", [this] { ShowHelp(0); }},
      {"HelpTool",
       [this] {
         helpMode_ = true;
         QApplication::setOverrideCursor(Qt::WhatsThisCursor);
       }},
  };
  for (const TvlCommandDef& d : defs) {
    QString caption = vlStr(d.MenuText);
    const std::string name = d.Name;
    if (name == "Delete") caption = WithKeyText(caption, "Del");
    if (name == "Edit") caption = WithKeyText(caption, "Enter");
    QAction* action = AddCommand(name, caption, d.Hint ? vlStr(d.Hint) : QString(),
                                 d.HasGlyph ? vlDesignerGlyph(d.Glyph) : QImage(), run.at(name));
    if (!d.Keys.empty()) action->setShortcuts(QList<QKeySequence>(d.Keys.begin(), d.Keys.end()));
  }
  Command("Exit")->setIconText(vlStr(57017));
  Command("Grid")->setCheckable(true);
  Command("GridAlign")->setCheckable(true);
}

QMenu* TvlDesignerForm::Menu(const std::string& name) const {
  auto it = menus_.find(name);
  return it == menus_.end() ? nullptr : it->second;
}

void TvlDesignerForm::CreateMenus() {
  menuBar_ = new QMenuBar(this);
  layout()->setMenuBar(menuBar_);
  QMenu* file = menuBar_->addMenu(vlStr(57000));
  for (const char* c : {"NewFromTemplate", "Open", "Save", "SaveAs"}) file->addAction(Command(c));
  file->addSeparator();
  for (const char* c : {"Dictionary", "ReportOptions", "PageOptions", "Preview"}) file->addAction(Command(c));
  file->addSeparator();
  recentMenu_ = file->addMenu(vlStr(57073));
  file->addSeparator();
  file->addAction(Command("Exit"));
  QMenu* edit = menuBar_->addMenu(vlStr(57001));
  for (const char* c : {"Undo", "Redo"}) edit->addAction(Command(c));
  edit->addSeparator();
  for (const char* c : {"Cut", "Copy", "Paste", "Delete", "SelectAll"}) edit->addAction(Command(c));
  edit->addSeparator();
  edit->addAction(Command("Edit"));
  edit->addSeparator();
  for (const char* c : {"AddPage", "AddDialogPage", "RemovePage"}) edit->addAction(Command(c));
  edit->addSeparator();
  for (const char* c : {"BringToFront", "SendToBack"}) edit->addAction(Command(c));
  QMenu* tools = menuBar_->addMenu(vlStr(57002));
  QMenu* toolbars = tools->addMenu(vlStr(57048));
  tools->addAction(Command("Options"));
  tools->addSeparator();
  QMenu* help = menuBar_->addMenu(vlStr(57003));
  help->addAction(Command("HelpContents"));
  help->addAction(Command("HelpTool"));
  menus_ = {{"File", file}, {"Edit", edit}, {"Tools", tools}, {"Toolbars", toolbars}, {"Help", help}};

  // The surface's popup menu.
  surfaceMenu_ = new QMenu(this);
  for (const char* c : {"Cut", "Copy", "Paste", "Delete"}) surfaceMenu_->addAction(Command(c));
  QAction* selectAll = surfaceMenu_->addAction(vlStr(57060));
  selectAll->setIcon(Command("SelectAll")->icon());
  connect(selectAll, &QAction::triggered, this, [this] { SelectAll(); });
  surfaceMenu_->addSeparator();
  surfaceMenu_->addAction(Command("Edit"));
  RebuildRecentMenu();
}

TvlToolBar* TvlDesignerForm::ToolBar(const std::string& name) const {
  auto it = toolbars_.find(name);
  return it == toolbars_.end() ? nullptr : it->second;
}

TvlDock* TvlDesignerForm::Dock(const std::string& name) const {
  auto it = docks_.find(name);
  return it == docks_.end() ? nullptr : it->second;
}

TvlSpeedButton* TvlDesignerForm::AddButton(TvlToolBar* toolbar, const std::string& command, int tag) {
  auto* button = new TvlTBButton(toolbar);
  button->setObjectName(QString::fromStdString(command) + QStringLiteral("Button"));
  button->ShowActionCaption = false;
  button->SetAction(Command(command));
  button->setToolTip(Command(command)->toolTip());
  button->Tag = tag;
  button->SetGrayedInactive(Options.GrayButtons);
  return button;
}

void TvlDesignerForm::AddTool(const QString& caption, const QImage& glyph, std::function<void()> run) {
  const std::string name = "Tool." + caption.toStdString();
  QAction* action = AddCommand(name, caption, caption, glyph, std::move(run));
  Menu("Tools")->addAction(action);
  TvlToolBar* tools = ToolBar("Tools");
  AddButton(tools, name);
  tools->AdjustSize();
  if (tools->Controls().size() > 2) tools->SetShown(true);
}

void TvlDesignerForm::CreateWorkArea() {
  auto* layout = new TvlAlignLayout(this);
  status_ = new TvlDesignerStatusBar(this);
  status_->setObjectName(QStringLiteral("StatusBar"));
  status_->move(0, 100000);  // bottom-most: below the bottom dock
  vlSetAlign(status_, TvlAlign::Bottom);
  status_->OnUnitsDoubleClick = [this] { CycleUnits(); };
  layout->addWidget(status_);
  const std::pair<const char*, TvlAlign> docks[] = {
      {"DockTop", TvlAlign::Top}, {"DockBottom", TvlAlign::Bottom}, {"DockLeft", TvlAlign::Left}, {"DockRight", TvlAlign::Right}};
  for (const auto& [name, edge] : docks) {
    auto* dock = new TvlDock(this, edge, QString::fromLatin1(name));
    layout->addWidget(dock);
    docks_[name] = dock;
  }
  auto* work = new QWidget(this);
  work->setObjectName(QStringLiteral("WorkArea"));
  vlSetAlign(work, TvlAlign::Client);
  auto* column = new QVBoxLayout(work);
  column->setContentsMargins(0, 2, 0, 0);
  column->setSpacing(0);
  tabs_ = new QTabBar(work);
  tabs_->setObjectName(QStringLiteral("PageTabs"));
  tabs_->setMovable(true);
  tabs_->setExpanding(false);
  tabs_->setContextMenuPolicy(Qt::CustomContextMenu);
  column->addWidget(tabs_);
  scroll_ = new QScrollArea(work);
  scroll_->setObjectName(QStringLiteral("ScrollBox"));
  scroll_->setBackgroundRole(QPalette::Dark);
  scroll_->setWidgetResizable(false);
  auto* inner = new QWidget;
  inner->setBackgroundRole(QPalette::Dark);
  inner->setAutoFillBackground(true);
  scroll_->setWidget(inner);
  scroll_->verticalScrollBar()->setSingleStep(8);
  scroll_->horizontalScrollBar()->setSingleStep(8);
  column->addWidget(scroll_, 1);
  surface_ = new TvlDesignerPage(*this, inner);
  surface_->setObjectName(QStringLiteral("DesignerPage"));
  layout->addWidget(work);

  connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
    if (index >= 0 && index != curPage_ && index < Report.Pages.Count() && tabs_->count() == Report.Pages.Count())
      SetCurrentPage(index);
  });
  connect(tabs_, &QTabBar::tabMoved, this, [this](int from, int to) { MovePage(from, to); });
  connect(tabs_, &QTabBar::customContextMenuRequested, this, [this](QPoint pos) { ShowInTabContextMenu(pos); });
}

void TvlDesignerForm::CreateToolBars() {
  TvlDock* top = Dock("DockTop");
  TvlDock* left = Dock("DockLeft");
  TvlDock* right = Dock("DockRight");
  auto make = [this](TvlDock* dock, const char* name, int caption) {
    auto* bar = new TvlToolBar(dock, QString::fromLatin1(name), vlStr(caption));
    toolbars_[name] = bar;
    return bar;
  };
  TvlToolBar* standard = make(top, "Standard", 57061);
  int tag = 1;
  auto group = [&](std::initializer_list<const char*> names) {
    for (const char* n : names) AddButton(standard, n, tag++);
    new TvlTBSeparator(standard);
  };
  group({"New", "Open", "Save", "Preview"});
  group({"Cut", "Copy", "Paste"});
  group({"Undo", "Redo"});
  group({"BringToFront", "SendToBack", "SelectAll"});
  group({"AddPage", "AddDialogPage", "RemovePage", "PageOptions"});
  group({"Grid", "GridAlign", "FitToGrid"});
  AddButton(standard, "HelpTool", tag++);
  TvlSpeedButton* close = AddButton(standard, "Exit", tag++);
  close->SetCaption(vlStr(57017));
  close->resize(60, close->height());
  // Grid buttons stay latched while their switch is on.
  for (const char* n : {"Grid", "GridAlign"}) {
    auto* b = static_cast<TvlSpeedButton*>(standard->findChild<QWidget*>(QString::fromLatin1(n) + QStringLiteral("Button")));
    if (b) b->SetAllowAllUp(true), b->SetGroupIndex(n[4] ? 2 : 1);
  }
  make(top, "Text", 57062);
  make(top, "Rectangle", 57063);
  make(top, "Tools", 57066);
  TvlToolBar* objects = make(left, "Objects", 57064);
  make(right, "Alignment", 57065);

  // The objects toolbar: one latched tool at a time.
  struct Tool {
    const char* Name;
    int Tag;
    int Hint;
    TvlDesignerGlyph Glyph;
  };
  const Tool tools[] = {{"OB1", kToolSelect, 57067, TvlDesignerGlyph::Select},
                        {"OB2", otMemo, 57068, TvlDesignerGlyph::Memo},
                        {"OB4", otPicture, 57069, TvlDesignerGlyph::Picture},
                        {"OB3", otBand, 57070, TvlDesignerGlyph::Band},
                        {"OB5", otSubReport, 57071, TvlDesignerGlyph::SubReport},
                        {"OB6", otLine, 57072, TvlDesignerGlyph::Line}};
  auto addTool = [this, objects](const QString& name, int toolTag, const QString& hint, const QImage& glyph) {
    auto* b = new TvlTBButton(objects);
    b->setObjectName(name);
    b->SetGlyph(glyph);
    b->setToolTip(hint);
    b->Tag = toolTag;
    b->SetGroupIndex(21);
    b->SetGrayedInactive(Options.GrayButtons);
    b->OnClick = [this, b] { SetTool(b->Tag, (QApplication::keyboardModifiers() & Qt::ShiftModifier) != 0); };
    return b;
  };
  for (const Tool& t : tools) addTool(QString::fromLatin1(t.Name), t.Tag, vlStr(t.Hint), vlDesignerGlyph(t.Glyph));
  const auto& addIns = vlAddIns().Entries();
  for (std::size_t i = 0; i < addIns.size(); ++i) {
    QImage glyph = QImage::fromData(reinterpret_cast<const uchar*>(addIns[i].Presentation.Picture.data()),
                                    static_cast<int>(addIns[i].Presentation.Picture.size()));
    addTool(QStringLiteral("OBAddIn%1").arg(i), 10 + static_cast<int>(i), vlToQt(addIns[i].Presentation.Hint),
            glyph.isNull() ? vlDesignerGlyph(TvlDesignerGlyph::SubReport) : glyph);
  }
  // "Insert DB fields" appears once a part that lays the fields out installs it.
  if (FirstInstance && vlDesignerDialogs().InsertFields)
    AddTool(vlStr(55305), vlDesignerGlyph(TvlDesignerGlyph::InsertFields), [this] {
      if (auto& insert = vlDesignerDialogs().InsertFields) insert(*this);
    });

  for (auto& [name, bar] : toolbars_) bar->AdjustSize();
  standard->DockInto(top, 0, 0);
  ToolBar("Text")->DockInto(top, standard->width(), 0);
  ToolBar("Rectangle")->DockAtEnd(top);
  objects->DockInto(left, 0, 0);
  ToolBar("Alignment")->DockInto(right, 0, 0);
  // A toolbar that holds no control beside its grip stays hidden until
  // another part fills it.
  for (auto& [name, bar] : toolbars_)
    if (bar->Controls().size() < 2) bar->SetShown(false);
  // The extra tools follow the standard toolbar in its row.
  ToolBar("Tools")->DockInto(top, standard->x() + standard->width(), standard->y());

  QMenu* menu = Menu("Toolbars");
  const std::pair<const char*, int> items[] = {{"Standard", 57049}, {"Text", 57050}, {"Rectangle", 57051},
                                               {"Objects", 57052}, {"Alignment", 57053}, {"Tools", 57054}};
  for (const auto& [name, caption] : items) {
    QAction* toggle = AddCommand(std::string("ToolBar.") + name, vlStr(caption), {}, {}, nullptr);
    toggle->setCheckable(true);
    TvlToolBar* bar = ToolBar(name);
    connect(toggle, &QAction::triggered, this, [this, bar](bool on) {
      bar->ShowFromMenu(on);
      for (TvlDock* d : vlDocksOf(this)) d->AdjustBounds();
    });
    menu->addAction(toggle);
  }
  menu->addSeparator();
  QAction* inspector = AddCommand("ToolBar.Inspector", vlStr(57055), {}, {}, nullptr);
  inspector->setCheckable(true);
  inspector->setShortcut(QKeySequence(Qt::Key_F11));
  menu->addAction(inspector);
  QAction* fields = AddCommand("ToolBar.Fields", vlStr(57056), {}, {}, nullptr);
  fields->setCheckable(true);
  menu->addAction(fields);
  connect(menu, &QMenu::aboutToShow, this, [this, items] {
    for (const auto& item : items)
      Command(std::string("ToolBar.") + item.first)->setChecked(ToolBar(item.first)->IsShown());
  });
  for (TvlDock* d : vlDocksOf(this)) d->AdjustBounds();
}

void TvlDesignerForm::SetTool(int tag, bool sticky) {
  surface_->SetTool(tag, sticky);
  TvlToolBar* objects = ToolBar("Objects");
  for (QWidget* w : objects->Controls()) {
    auto* b = dynamic_cast<TvlSpeedButton*>(w);
    if (b && b->Tag == tag && b->GroupIndex() == 21) b->SetDown(true);
  }
}

// The surface's menu, followed by the entries the topmost selected object
// declares (its context menu as data); choosing one acts on the whole
// selection inside one change.
void TvlDesignerForm::ShowSurfaceMenu(QPoint global) {
  QMenu menu(this);
  menu.addActions(surfaceMenu_->actions());
  const std::vector<TvlView*> selected = Selection();
  std::vector<TvlPopupEntry> entries;
  if (!selected.empty()) selected.back()->DefinePopupMenu(entries);
  TvlView* source = selected.empty() ? nullptr : selected.back();
  for (const TvlPopupEntry& entry : entries) {
    if (entry.Action == TvlPopupAction::Separator) {
      menu.addSeparator();
      continue;
    }
    QAction* item = menu.addAction(vlStr(entry.CaptionId));
    item->setEnabled(entry.Enabled && !vlRestricted(dsNoModifyObject));
    if (entry.Action == TvlPopupAction::Stretched || source->Typ != otMemo || entry.Tag >= mmFlag) {
      item->setCheckable(true);
      item->setChecked(entry.Checked);
    }
    connect(item, &QAction::triggered, this, [this, entry, source] { RunPopupEntry(entry, *source); });
  }
  menu.exec(global);
}

void TvlDesignerForm::RunPopupEntry(const TvlPopupEntry& entry, TvlView& source) {
  if (auto& hook = vlDesignerDialogs().PopupEntry; hook && hook(this, source, entry)) {
    RedrawPage();
    return;
  }
  const std::vector<TvlView*> selected = Selection();
  RecordUndo(ukEdit);
  if (entry.Action == TvlPopupAction::Stretched)
    TvlView::SetStretched(selected, !entry.Checked);
  else if (source.Typ == otMemo)
    vlMemoMenuAction(entry, selected);
  else if (source.Typ == otPicture)
    TvlPictureView::SetPictureFlag(selected, static_cast<std::uint16_t>(entry.Tag), !entry.Checked);
  else if (source.Typ == otBand)
    for (TvlView* v : selected)
      if (v->Typ == otBand && !(v->Restrictions & rsDontModify)) {
        if (entry.Checked)
          v->Flags &= static_cast<std::uint16_t>(~entry.Tag);
        else
          v->Flags |= static_cast<std::uint16_t>(entry.Tag);
      }
  RedrawPage();
  SelectionChanged();
}

// ---- Showing, closing and the caption ----

void TvlDesignerForm::showEvent(QShowEvent* event) {
  TvlReportDesigner::showEvent(event);
  if (shown_) return;
  shown_ = true;
  InitOnShow();
}

void TvlDesignerForm::InitOnShow() {
  EnableCommands();
  UndoBuffers.Clear();
  SetModified(false);
  Report.ComponentModified = false;
  TvlLastUsedAttributes& last = vlLastUsed();
  last.Font.Name = "Arial";
  last.Font.Size = 10;
  if (Report.Pages.Count() == 0) Report.Pages.Add();
  DocumentName = FirstInstance ? Report.FileName : vlLoadStr(str::kUntitled);
  if (DocumentName.empty()) DocumentName = vlLoadStr(str::kUntitled);
  LoadSettings();
  SetCurrentPage(0);
  UpdateCaption();
  ClearSelection();
  surface_->Init();
  SetTool(kToolSelect);
  SelectionChanged();
  if (TvlDesigner* host = vlDesignerComponent(); host && host->OnShow) host->OnShow(this);
}

void TvlDesignerForm::UpdateCaption() {
  std::string name = DocumentName;
  if (const auto slash = name.find_last_of("/\\"); slash != std::string::npos) name.erase(0, slash + 1);
  setWindowTitle(vlStr(53080) + QStringLiteral(" - ") + vlToQt(name));
}

void TvlDesignerForm::EnableCommands() {
  const bool hide = vlDesignerComponent() ? vlDesignerComponent()->HideDisabledButtons : true;
  auto allow = [&](const char* name, bool allowed) {
    QAction* a = Command(name);
    if (!a) return;
    a->setEnabled(allowed);
    for (auto& [barName, bar] : toolbars_)
      for (QWidget* c : bar->Controls())
        if (auto* b = dynamic_cast<TvlSpeedButton*>(c); b && b->Action() == a) b->setVisible(allowed || !hide);
  };
  allow("New", FirstInstance && !vlRestricted(dsNoNewReport));
  allow("NewFromTemplate", FirstInstance && !vlRestricted(dsNoNewReport));
  allow("Preview", FirstInstance && !vlRestricted(dsNoPreview));
  allow("Open", FirstInstance && !vlRestricted(dsNoOpenReport));
  allow("SaveAs", !vlRestricted(dsNoSaveReport));
  allow("AddPage", FirstInstance && !vlRestricted(dsNoCreatePage));
  allow("AddDialogPage", FirstInstance && !vlRestricted(dsNoCreatePage));
  allow("RemovePage", FirstInstance && !vlRestricted(dsNoDeletePage));
  allow("PageOptions", FirstInstance && !vlRestricted(dsNoEditPage));
  allow("Dictionary", FirstInstance && !vlRestricted(dsNoEditDictionary));
  allow("ReportOptions", FirstInstance && !vlRestricted(dsNoReportOptions));
  // The band and sub-report tools need a template.
  for (QWidget* c : ToolBar("Objects")->Controls())
    if (auto* b = dynamic_cast<TvlSpeedButton*>(c); b && (b->Tag == otBand || b->Tag == otSubReport))
      b->setVisible(FirstInstance);
  for (TvlDock* d : vlDocksOf(this)) d->AdjustBounds();
  if (QAction* save = Command("Save")) save->setEnabled(GetModified() && !vlRestricted(dsNoSaveReport));
}

bool TvlDesignerForm::GetModified() { return Report.Modified; }

void TvlDesignerForm::SetModified(bool value) {
  Report.Modified = value;
  if (value && FirstInstance) Report.ComponentModified = true;
  const bool allowed = value && !vlRestricted(dsNoSaveReport);
  if (QAction* save = Command("Save")) save->setEnabled(allowed);
}

bool TvlDesignerForm::CanClose() {
  if (!GetModified() || !FirstInstance || vlRestricted(dsNoSaveReport)) return true;
  if (TvlDesigner* host = vlDesignerComponent(); host && !host->CloseQuery) return true;
  switch (AskSaveChangesAnswer()) {
    case TvlMsgResult::No:
      closeResult_ = 2;
      return true;
    case TvlMsgResult::Yes:
      return Save();
    default:
      return false;
  }
}

void TvlDesignerForm::done(int result) {
  if (closing_) return;
  closeResult_ = result;
  if (!CanClose()) return;
  closing_ = true;
  SaveSettings();
  Report.FileName = DocumentName;
  UndoBuffers.UndoSteps.Clear();
  TvlReportDesigner::done(closeResult_);
}

void TvlDesignerForm::closeEvent(QCloseEvent* event) {
  event->ignore();
  done(2);
}

void TvlDesignerForm::resizeEvent(QResizeEvent* event) {
  TvlReportDesigner::resizeEvent(event);
  if (scroll_) {
    scroll_->horizontalScrollBar()->setValue(0);
    scroll_->verticalScrollBar()->setValue(0);
  }
  if (surface_ && Page) surface_->SetPage();
}

}  // namespace vl
