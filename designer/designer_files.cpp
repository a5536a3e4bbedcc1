// The designer window's file commands: new, new from a designer template,
// open, save and save as (templates, designer templates and dictionaries),
// the recent files, the preview, and the settings kept between runs.

#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <algorithm>

#include "controls/dock.h"
#include "controls/placement.h"
#include "controls/speed_button.h"
#include "controls/tool_bar.h"
#include "designer/design_surface.h"
#include "designer/designer_component.h"
#include "designer/designer_dialogs.h"
#include "designer/designer_form.h"
#include "designer/designer_restrictions.h"
#include "designer/designer_template_file.h"
#include "designer/designer_text.h"
#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/model/band_view.h"
#include "engine/model/report.h"
#include "engine/model/stream_reader.h"
#include "engine/model/stream_writer.h"
#include "platform/platform.h"

namespace vl {

namespace {

constexpr std::size_t kRecentCount = 4;

std::string FilePart(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WithExtension(std::string path, const char* ext) {
  const std::string file = FilePart(path);
  const auto dot = file.rfind('.');
  if (dot != std::string::npos) path.erase(path.size() - (file.size() - dot));
  return path + ext;
}

std::string Filter(int caption, const char* pattern) { return vlLoadStr(caption) + " (" + pattern + ")|" + pattern; }

void ShowError(const std::string& text) { vlShowMessage(text, vlLoadStr(str::kError), TvlMsgIcon::Error); }

std::string RecentKey() { return vlDesignerRegistryRoot() + "\\RecentFiles"; }

}  // namespace

// ---- The save-changes question ----

TvlMsgResult TvlDesignerForm::AskSaveChangesAnswer() {
  const std::string text = vlLoadStr(55306) + " " + vlLoadStr(55336) + " " + FilePart(DocumentName) + "?";
  return vlPlatform().MessageBox->Show(text, vlLoadStr(55006), TvlMsgIcon::Question, TvlMsgButtons::YesNoCancel);
}

bool TvlDesignerForm::SaveIfModified() {
  if (!GetModified()) return true;
  switch (AskSaveChangesAnswer()) {
    case TvlMsgResult::Yes: return Save();
    case TvlMsgResult::No: return true;
    default: return false;
  }
}

void TvlDesignerForm::AfterReportChanged() {
  UndoBuffers.Clear();
  Page = nullptr;
  if (Report.Pages.Count() == 0) Report.Pages.Add();
  SetModified(false);
  Report.ComponentModified = true;
  curPage_ = 0;
  RefreshTabCaptions();
  SetCurrentPage(0);
  UpdateCaption();
  SelectionChanged();
}

// ---- New and open ----

bool TvlDesignerForm::New() {
  if (!FirstInstance || vlRestricted(dsNoNewReport) || !SaveIfModified()) return false;
  ClearSelection();
  Page = nullptr;
  Report.Clear();
  TvlPage* page = Report.Pages.Add();
  page->Name = "Page1";
  DocumentName = vlLoadStr(str::kUntitled);
  AfterReportChanged();
  return true;
}

bool TvlDesignerForm::NewFromTemplate() {
  if (!FirstInstance || vlRestricted(dsNoNewReport)) return false;
  const std::string dir = vlDesignerComponent() ? vlDesignerComponent()->TemplateDir : std::string();
  std::string path;
  auto& choose = vlDesignerDialogs().NewReport;
  if (!choose || !choose(this, dir, path)) return false;
  ClearSelection();
  Page = nullptr;
  try {
    vlLoadDesignerTemplate(path, Report);
  } catch (const TvlError& e) {
    ShowError(e.what());
    SetCurrentPage(std::min(curPage_, Report.Pages.Count() - 1));
    return false;
  }
  DocumentName = vlLoadStr(str::kUntitled);
  AfterReportChanged();
  return true;
}

bool TvlDesignerForm::Open() {
  if (!FirstInstance || vlRestricted(dsNoOpenReport) || !SaveIfModified()) return false;
  TvlDesigner* host = vlDesignerComponent();
  if (host && host->OnLoadReport) {
    std::string name;
    bool opened = true;
    surface_->DrawingDisabled = true;
    ClearSelection();
    Page = nullptr;
    host->OnLoadReport(Report, name, opened);
    surface_->DrawingDisabled = false;
    if (opened) {
      DocumentName = name.empty() ? Report.FileName : name;
      AfterReportChanged();
    } else {
      SetCurrentPage(0);
    }
    return opened;
  }
  const std::vector<std::string> filters = {Filter(55213, "*.vlf"), Filter(55215, "*.vld")};
  std::string path;
  int filter = 1;
  auto& ask = vlDesignerDialogs().OpenFile;
  if (!ask || !ask(this, host ? host->OpenDir : std::string(), filters, path, filter)) return false;
  if (filter == 2 || QFileInfo(vlToQt(path)).suffix().compare(QStringLiteral("vld"), Qt::CaseInsensitive) == 0) {
    // A dictionary changes the report's dictionary only; a damaged one
    // leaves it as it was.
    TvlStreamWriter backup;
    Report.Dictionary.SaveToStream(backup);
    try {
      Report.Dictionary.LoadFromFile(path);
    } catch (const TvlError& e) {
      TvlStreamReader r(backup.Bytes());
      Report.Dictionary.LoadFromStream(r);
      ShowError(e.what());
    }
    return false;
  }
  return OpenFile(path);
}

bool TvlDesignerForm::OpenFile(const std::string& path) {
  // The template in hand is kept whole until the file has been read: a file
  // that cannot be read leaves it as it was (the engine showed its message).
  TvlStreamWriter backup;
  Report.SaveToStream(backup);
  const std::string previousName = Report.FileName;
  surface_->DrawingDisabled = true;
  ClearSelection();
  Page = nullptr;
  vlState().CurPage = nullptr;
  const bool exists = Report.LoadFromFile(path);
  surface_->DrawingDisabled = false;
  const TvlLoadStatus status = Report.LastLoadStatus;
  if (!exists || status == TvlLoadStatus::Unsupported || status == TvlLoadStatus::NewerVersion ||
      status == TvlLoadStatus::PasswordRefused || status == TvlLoadStatus::Empty) {
    if (!exists) ShowError(vlLoadStr(str::kUnsupportedFormat) + ": " + path);
    TvlStreamReader r(backup.Bytes());
    Report.LoadFromStream(r);
    Report.FileName = previousName;
    SetCurrentPage(0);
    return false;
  }
  DocumentName = path;
  AddRecent(path);
  AfterReportChanged();
  return true;
}

// ---- Saving ----

bool TvlDesignerForm::Save() {
  if (vlRestricted(dsNoSaveReport)) return false;
  if (DocumentName == vlLoadStr(str::kUntitled)) return SaveAs();
  if (TvlDesigner* host = vlDesignerComponent(); host && host->OnSaveReport) {
    bool saved = false;
    std::string name = DocumentName;
    host->OnSaveReport(Report, name, false, saved);
    if (saved) SetModified(false);
    return true;
  }
  try {
    Report.SaveToFile(DocumentName);
  } catch (const TvlError& e) {
    // The file on disk is as it was; the window stays open and modified.
    ShowError(e.what());
    return false;
  }
  SetModified(false);
  AddRecent(DocumentName);
  return true;
}

bool TvlDesignerForm::SaveAs() {
  if (vlRestricted(dsNoSaveReport)) return false;
  TvlDesigner* host = vlDesignerComponent();
  if (host && host->OnSaveReport) {
    bool saved = false;
    std::string name = DocumentName;
    host->OnSaveReport(Report, name, true, saved);
    if (!saved) return false;
    DocumentName = name;
    SetModified(false);
    UpdateCaption();
    return true;
  }
  const std::vector<std::string> filters = {Filter(55213, "*.vlf"), Filter(55214, "*.vlt"), Filter(55215, "*.vld")};
  std::string path = DocumentName == vlLoadStr(str::kUntitled) ? std::string() : DocumentName;
  int filter = 1;
  auto& ask = vlDesignerDialogs().SaveFile;
  if (!ask || !ask(this, host ? host->SaveDir : std::string(), filters, path, filter) || path.empty()) return false;
  try {
    if (filter == 1) {
      path = WithExtension(path, ".vlf");
      Report.SaveToFile(path);
      DocumentName = path;
      AddRecent(path);
    } else if (filter == 2) {
      path = WithExtension(path, ".vlt");
      if (host && !host->TemplateDir.empty()) path = host->TemplateDir + "/" + FilePart(path);
      TvlDesignerTemplateInfo info;
      auto& describe = vlDesignerDialogs().NewTemplate;
      if (!describe || !describe(this, info)) return false;
      vlSaveDesignerTemplate(path, Report, info);
    } else {
      Report.Dictionary.SaveToFile(WithExtension(path, ".vld"));
      return false;  // a dictionary is not the report
    }
  } catch (const TvlError& e) {
    ShowError(e.what());
    return false;
  }
  SetModified(false);
  UpdateCaption();
  return true;
}

// ---- Recent files ----

void TvlDesignerForm::AddRecent(const std::string& path) {
  const std::string full = vlFromQt(QFileInfo(vlToQt(path)).absoluteFilePath());
  recent_.erase(std::remove(recent_.begin(), recent_.end(), full), recent_.end());
  recent_.insert(recent_.begin(), full);
  if (recent_.size() > kRecentCount) recent_.resize(kRecentCount);
  RebuildRecentMenu();
}

void TvlDesignerForm::RebuildRecentMenu() {
  if (!recentMenu_) return;
  recentMenu_->clear();
  for (std::size_t i = 0; i < recent_.size(); ++i) {
    const std::string path = recent_[i];
    QAction* item = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(vlToQt(path)));
    connect(item, &QAction::triggered, this, [this, path] {
      if (FirstInstance && !vlRestricted(dsNoOpenReport) && SaveIfModified()) OpenFile(path);
    });
  }
  recentMenu_->setEnabled(!recent_.empty() && FirstInstance && !vlRestricted(dsNoOpenReport));
}

// ---- Settings ----

void TvlDesignerForm::LoadSettings() {
  TvlSettingsStore& store = *vlPlatform().Settings;
  const std::string key = vlDesignerFormKey();
  Options.Load(store, key);
  vlBandTitles() = Options.BandTitles;
  Command("Grid")->setChecked(Options.GridShow);
  Command("GridAlign")->setChecked(Options.GridAlign);
  for (const char* n : {"Grid", "GridAlign"})
    if (auto* b = dynamic_cast<TvlSpeedButton*>(ToolBar("Standard")->findChild<QWidget*>(QString::fromLatin1(n) + QStringLiteral("Button"))))
      b->SetDown(Command(n)->isChecked());
  for (auto& [name, bar] : toolbars_)
    for (QWidget* c : bar->Controls())
      if (auto* b = dynamic_cast<TvlSpeedButton*>(c)) b->SetGrayedInactive(Options.GrayButtons);
  recent_.clear();
  for (std::size_t i = 1; i <= kRecentCount; ++i) {
    const std::string path = store.ReadString(RecentKey(), "File" + std::to_string(i), "");
    if (!path.empty()) recent_.push_back(path);
  }
  RebuildRecentMenu();

  vlSetPlacementRoot(vlDesignerRegistryRoot());
  for (auto& [name, bar] : toolbars_)
    if (name != "Tools" || FirstInstance) RestoreToolbarPlacement(*bar);
  for (auto& [name, bar] : toolbars_)
    if (bar->Controls().size() < 2) bar->SetShown(false);
  TvlToolBar* tools = ToolBar("Tools");
  tools->resize(std::max(26, tools->width()), std::max(26, tools->height()));
  // The window opens maximised unless it was closed otherwise; the saved
  // rectangle is the one it returns to.
  if (store.ReadBool(key, "Maximized", true)) setWindowState(windowState() | Qt::WindowMaximized);
  if (store.ValueExists(key, "XPosition")) RestoreFormPlacement(*this, "TvlDesignerForm");
  for (TvlDock* d : vlDocksOf(this)) d->AdjustBounds();
}

void TvlDesignerForm::SaveSettings() {
  TvlSettingsStore& store = *vlPlatform().Settings;
  const std::string key = vlDesignerFormKey();
  Options.Save(store, key);
  vlSetPlacementRoot(vlDesignerRegistryRoot());
  for (auto& [name, bar] : toolbars_)
    if (name != "Tools" || FirstInstance) SaveToolbarPlacement(*bar);
  SaveFormPlacement(*this, "TvlDesignerForm");
  store.DeleteKey(RecentKey());
  for (std::size_t i = 0; i < recent_.size(); ++i) store.WriteString(RecentKey(), "File" + std::to_string(i + 1), recent_[i]);
}

// ---- Preview ----

void TvlDesignerForm::Preview() {
  if (!FirstInstance || vlRestricted(dsNoPreview)) return;
  const bool modal = Report.ModalPreview;
  Report.ModalPreview = true;
  ResetSelection();
  surface_->update();
  Page = nullptr;
  surface_->DrawingDisabled = true;
  try {
    Report.PrepareAndShow();
  } catch (const std::exception& e) {
    ShowError(e.what());
  }
  Report.Preview = nullptr;
  Report.ModalPreview = modal;
  surface_->DrawingDisabled = false;
  SetCurrentPage(std::min(curPage_, Report.Pages.Count() - 1));
  SelectionChanged();
  if (TvlDesigner* host = vlDesignerComponent(); host && host->OnShow) host->OnShow(this);
}

void TvlDesignerForm::EditDictionary() {
  if (!FirstInstance || vlRestricted(dsNoEditDictionary)) return;
  if (auto& edit = vlDesignerDialogs().DataDictionary; edit && edit(this, Report)) SetModified(true);
}

}  // namespace vl
