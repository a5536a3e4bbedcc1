#include "designer/object_inspector.h"

#include <QEvent>
#include <QMenu>
#include <QScreen>
#include <QScrollArea>
#include <algorithm>

#include "controls/placement.h"
#include "designer/design_surface.h"
#include "designer/designer_dialogs.h"
#include "designer/designer_form.h"
#include "designer/designer_options.h"
#include "designer/designer_restrictions.h"
#include "designer/designer_text.h"
#include "designer/db_fields_window.h"
#include "designer/inspector_window.h"
#include "engine/core/string_table.h"
#include "engine/core/text.h"
#include "engine/core/units.h"
#include "engine/core/value_convert.h"
#include "engine/model/object_factory.h"
#include "engine/model/report.h"
#include "engine/model/views.h"
#include "platform/platform.h"
#include "platform/settings_store.h"

namespace vl {

namespace {

constexpr char kClassName[] = "TvlInspForm";
constexpr double kPixelsPerMM = 18.0 / 5.0;

// The designer's Hide event comes before its tool windows would go: the
// settings are written then and the inspector leaves with the designer.
// While the designer's preview runs (a modal window over a designer that
// has let its page go) the inspector is emptied.
class TvlDesignerWatcher : public QObject {
 public:
  TvlDesignerWatcher(TvlObjectInspector& inspector, TvlDesignerForm& designer)
      : QObject(&designer), inspector_(inspector), designer_(designer) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != &designer_) return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::Hide) {
      inspector_.SaveSettings();
      if (TvlInspForm* form = inspector_.Form()) form->hide();
    } else if (event->type() == QEvent::WindowBlocked && !designer_.Page) {
      inspector_.Rebuild();
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  TvlObjectInspector& inspector_;
  TvlDesignerForm& designer_;
};

}  // namespace

TvlObjectInspector::TvlObjectInspector(TvlDesignerForm& designer) : QObject(&designer), designer_(designer) {
  setObjectName(QStringLiteral("ObjectInspector"));
  auto* form = new TvlInspForm(&designer);
  form_ = form;
  form->OnModify = [this](int row) { Apply(row); };
  form->OnSelectObject = [this](const std::string& name) { designer_.SelectObject(name); };
  form->OnGetObjectNames = [this](std::vector<std::string>& names) {
    if (designer_.Page)
      for (const auto& v : designer_.Page->Objects) names.push_back(v->Name);
    for (int i = 1; i <= designer_.Report.Pages.Count(); ++i) names.push_back("Page" + std::to_string(i));
  };
  form->OnCollapse = [this] { ArrangeFieldsWindow(); };
  designer.installEventFilter(new TvlDesignerWatcher(*this, designer));
}

TvlObjectInspector::~TvlObjectInspector() = default;

// ---- Building the rows ----

bool TvlObjectInspector::UnitsApply() const {
  return designer_.Options.Units != unPixels && designer_.Page && designer_.Page->PageType == ptReport;
}

std::string TvlObjectInspector::SizeText(const TvlValue& pixels) const {
  if (!UnitsApply()) return vlValueToText(pixels);
  double v = 0;
  try {
    v = vlValueToFloat(pixels) / kPixelsPerMM;
  } catch (const std::exception&) {
    return vlValueToText(pixels);
  }
  if (designer_.Options.Units == unInches) v /= 25.4;
  return vlInspectorFloatText(v);
}

namespace {
// The largest position or size the inspector stores, in pixels.
constexpr int kMaxCoordinate = 32767;
}  // namespace

TvlValue TvlObjectInspector::ToPixels(const TvlValue& value, std::uint16_t kind) const {
  if (!UnitsApply()) return value;
  double v = vlValueToFloat(value) * kPixelsPerMM;
  if (designer_.Options.Units == unInches) v *= 25.4;
  if (kind & ptFloat) return TvlValue(v);
  return TvlValue(vlRound(v));
}

void TvlObjectInspector::Rebuild() {
  TvlInspForm* form = form_.data();
  if (!form || keepRows_) return;
  form->ClearRows();
  form->LocalizedNames = designer_.Options.LocalizedPropNames;
  TvlPage* page = designer_.Page;
  form->HideProperties = page == nullptr;
  form->CurrentObject = nullptr;
  form->ObjectName.clear();
  form->ClassName.clear();
  if (!page) {
    form->Refresh();
    return;
  }
  const std::vector<TvlView*> selected = designer_.Selection();
  std::vector<TvlObject*> objects;
  if (selected.empty())
    objects.push_back(page);
  else
    objects.assign(selected.begin(), selected.end());
  for (TvlObject* o : objects) o->DeclareProperties();

  // The names every object lists; one-object properties only for one object.
  std::vector<std::string> names;
  for (const auto& p : objects.front()->Properties())
    if (p->Kind != 0 && !(objects.size() > 1 && (p->Kind & ptOneObject))) names.push_back(p->Name);
  for (std::size_t i = 1; i < objects.size(); ++i)
    std::erase_if(names, [&](const std::string& n) {
      const TvlPropRec* p = objects[i]->FindProperty(n);
      return !p || p->Kind == 0;
    });
  std::stable_sort(names.begin(), names.end(),
                   [](const std::string& a, const std::string& b) { return vlUpperCase(a) < vlUpperCase(b); });
  if (names.size() > kMaxRows) names.resize(kMaxRows);

  TvlObject* top = objects.back();
  TvlView* single = selected.size() == 1 ? selected.front() : nullptr;
  for (const std::string& name : names) {
    const TvlPropRec* rec = top->FindProperty(name);
    if (!rec) continue;
    std::uint16_t kind = rec->Kind;
    std::string value = "-";
    if (!(kind & ptHasEditor) || (kind & ptString)) {
      for (TvlObject* o : objects) {
        const TvlPropRec* own = o->FindProperty(name);
        const TvlValue v = o->GetProperty(name);
        const std::string text = own && (own->Kind & ptSize) ? SizeText(v) : vlValueToText(v);
        if (value == "-")
          value = text;
        else if (value != text)
          value.clear();
      }
    } else {
      value = "(" + name + ")";
    }
    if (kind == ptSize) kind = UnitsApply() ? ptFloat : ptInteger;
    std::function<void()> editor;
    if (kind & ptHasEditor)
      editor = [this, name, single] {
        auto& editors = vlDesignerDialogs().PropertyEditors;
        bool changed = false;
        if (auto it = editors.find(name); it != editors.end() && it->second) {
          changed = it->second(designer_, single);
        } else if (TvlObject* owner = single ? static_cast<TvlObject*>(single) : designer_.Page) {
          if (TvlPropRec* own = owner->FindProperty(name); own && own->Editor) {
            own->Editor(own->EditorOwner ? own->EditorOwner : owner);
            changed = true;
          }
        }
        if (changed) designer_.SetModified(true);
        designer_.RedrawPage();
        designer_.SelectionChanged();
      };
    form->AddRow(name, value, std::move(editor), rec->EnumValues, rec->EnumNames, kind);
  }
  if (selected.empty()) {
    form->CurrentObject = page;
    form->ObjectName = "Page" + std::to_string(designer_.CurPage() + 1);
    form->ClassName = "TvlPage";
  } else if (single) {
    form->CurrentObject = single;
    form->ObjectName = single->Name;
    form->ClassName = vlViewClassName(*single);
  }
  form->Refresh();
}

// ---- Applying a row ----

bool TvlObjectInspector::NameTaken(const std::string& name) const {
  for (int p = 0; p < designer_.Report.Pages.Count(); ++p)
    if (designer_.Report.Pages[p]->FindObject(name)) return true;
  return false;
}

void TvlObjectInspector::Apply(int row) {
  TvlInspForm* form = form_.data();
  if (!form || !designer_.Page || row < 0 || row >= form->RowCount()) return;
  const std::string name = form->RowName(row);
  TvlValue value;
  bool read = true;
  try {
    value = form->GetRowValue(row);
  } catch (const std::exception& e) {
    // The objects keep their values; the row shows them again below.
    vlShowMessage(e.what(), vlLoadStr(str::kError), TvlMsgIcon::Error);
    read = false;
  }
  keepRows_ = true;
  if (read) {
    const std::vector<TvlView*> selected = designer_.Selection();
    TvlObject* top = selected.empty() ? static_cast<TvlObject*>(designer_.Page) : selected.back();
    const TvlPropRec* rec = top->FindProperty(name);
    const std::uint16_t kind = rec ? rec->Kind : 0;
    if (selected.empty())
      ApplyToPage(name, kind, value);
    else
      ApplyToObjects(name, kind, value);
  }
  keepRows_ = false;
  if (TvlInsFieldsForm* fields = TvlInsFieldsForm::Instance()) fields->Refresh();
  designer_.SelectionChanged();  // the rows again, the status bar
}

void TvlObjectInspector::ApplyToPage(const std::string& name, std::uint16_t kind, TvlValue value) {
  if (vlRestricted(dsNoEditPage)) return;
  TvlPage& page = *designer_.Page;
  if (kind & ptSize) value = ToPixels(value, kind);
  const bool type = vlSameText(name, "Type");
  if (type) {
    // Only a real change of the type clears the page.
    if (vlValueToInteger(value) == page.PageType) return;
    if (!page.Objects.empty()) {
      if (vlPlatform().MessageBox->Show(vlLoadStr(55436), vlLoadStr(55437), TvlMsgIcon::Warning,
                                        TvlMsgButtons::YesNo) != TvlMsgResult::Yes)
        return;
      designer_.ClearSelection();
      page.Objects.clear();
    }
  }
  page.SetProperty(name, value);
  designer_.SetModified(true);
  page.ApplyPaper();
  keepRows_ = !type;
  designer_.SetCurrentPage(designer_.CurPage());
  keepRows_ = true;
}

void TvlObjectInspector::ApplyToObjects(const std::string& name, std::uint16_t kind, const TvlValue& value) {
  if (vlRestricted(dsNoModifyObject)) return;
  const TvlValue pixels = (kind & ptSize) ? ToPixels(value, kind) : value;
  const bool moves = vlSameText(name, "Left") || vlSameText(name, "Top");
  const bool sizes = vlSameText(name, "Width") || vlSameText(name, "Height");
  // An object drawn upside down or beyond any page is refused, not stored.
  if (moves || sizes) {
    const double v = vlValueToFloat(pixels);
    const double low = sizes ? 0 : -kMaxCoordinate;
    if (!(v >= low && v <= kMaxCoordinate)) {
      vlShowMessage(name + " must lie between " + std::to_string(static_cast<int>(low)) + " and " +
                        std::to_string(kMaxCoordinate) + " pixels",
                    vlLoadStr(str::kError), TvlMsgIcon::Error);
      return;
    }
  }
  designer_.RecordUndo(ukEdit);
  for (TvlView* view : designer_.Selection()) {
    if (vlSameText(name, "Name")) {
      const std::string newName = vlValueToText(value);
      if (newName.empty() || NameTaken(newName) || (view->Restrictions & rsDontModify)) continue;
      const std::string old = view->Name;
      view->SetProperty(name, value);
      // Bands that continue with this object as their child band follow it.
      for (const auto& o : designer_.Page->Objects)
        if (o->Typ == otBand) {
          auto& band = static_cast<TvlBandView&>(*o);
          if (!old.empty() && vlSameText(band.ChildBand, old)) band.ChildBand = view->Name;
        }
      continue;
    }
    if (moves && (vlRestricted(dsNoMoveObject) || (view->Restrictions & rsDontMove))) continue;
    if (sizes && (vlRestricted(dsNoSizeObject) || (view->Restrictions & rsDontSize))) continue;
    view->SetProperty(name, pixels);
  }
  designer_.Surface()->ComputeGroupBounds();
  designer_.RedrawPage();
  designer_.RefreshTabCaptions();
}

// ---- The DB fields window beside the inspector ----

void TvlObjectInspector::ArrangeFieldsWindow() {
  TvlInspForm* insp = form_.data();
  TvlInsFieldsForm* fields = TvlInsFieldsForm::Instance();
  if (!insp || !fields) return;
  // The window may outlive this designer (a nested one for a prepared page).
  fields->OnCollapse = [self = QPointer<TvlObjectInspector>(this)] {
    if (self) self->ArrangeFieldsWindow();
  };
  if (!insp->isVisible() || !fields->isVisible()) return;
  const QRect f = fields->frameGeometry();
  const QRect i = insp->frameGeometry();
  const auto within = [&](int x) { return x >= f.left() && x <= f.right(); };
  if (!within(i.left()) && !within(i.right())) return;
  QScrollArea* scroll = designer_.ScrollArea();
  const int top = scroll->mapToGlobal(QPoint(0, 0)).y() - 1;
  const int span = scroll->height() - 2;
  const int fieldsHeight = std::min(fields->height(), span);
  const int captionOnly = 2 * TvlInspForm::kBorder + TvlInspForm::kCaptionHeight;
  if (i.top() < f.top()) {
    fields->move(f.left(), top + span - fieldsHeight);
    const int h = insp->Collapsed() ? captionOnly : std::max(captionOnly, span - fieldsHeight);
    insp->setGeometry(i.left(), top, insp->width(), h);
  } else {
    fields->move(f.left(), top);
    const int h = insp->Collapsed() ? captionOnly : std::max(captionOnly, span - fieldsHeight);
    insp->setGeometry(i.left(), top + fieldsHeight, insp->width(), h);
  }
}

// ---- Settings ----

void TvlObjectInspector::LoadSettings() {
  TvlInspForm* form = form_.data();
  if (!form || settingsLoaded_) return;
  settingsLoaded_ = true;
  TvlSettingsStore* store = vlPlatform().Settings;
  const std::string key = vlInspectorFormKey();
  const bool visible = store ? store->ReadBool(key, "isVisible", true) : true;
  form->SetSplitPos(std::max(20, store ? store->ReadInteger(key, "SplitPos", 75) : 75));
  if (store && store->ValueExists(key, "XPosition")) {
    RestoreFormPlacement(*form, kClassName);
  } else {
    // First run: along the right edge of the design area.
    QScrollArea* scroll = designer_.ScrollArea();
    const QPoint corner = scroll->mapToGlobal(QPoint(scroll->width(), 0));
    form->setGeometry(corner.x() - 220, corner.y(), 200, std::max(200, scroll->height() - 20));
  }
  if (!form->Collapsed()) form->ExpandedHeight = form->height();
  if (visible) form->ShowInspector();
}

void TvlObjectInspector::SaveSettings() {
  TvlInspForm* form = form_.data();
  TvlSettingsStore* store = vlPlatform().Settings;
  if (!form || !store || !settingsLoaded_) return;
  settingsLoaded_ = false;
  const std::string key = vlInspectorFormKey();
  store->WriteBool(key, "isVisible", form->isVisible());
  store->WriteInteger(key, "SplitPos", form->SplitPos());
  SaveFormPlacement(*form, kClassName);
}

// ---- Installing ----

TvlObjectInspector* vlObjectInspector(TvlDesignerForm& designer) {
  return designer.findChild<TvlObjectInspector*>(QStringLiteral("ObjectInspector"), Qt::FindDirectChildrenOnly);
}

void vlInstallObjectInspector() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  TvlDesignerForm::Extensions().push_back([](TvlDesignerForm& designer) {
    auto* inspector = new TvlObjectInspector(designer);
    TvlDesignerForm* owner = &designer;
    designer.SelectionChangedListeners.push_back([inspector] { inspector->Rebuild(); });
    designer.PageChangedListeners.push_back([inspector, owner] {
      // The first page shown comes after the designer read its settings.
      if (owner->isVisible()) inspector->LoadSettings();
      inspector->Rebuild();
    });
    // F11 shows the inspector (never hides it); the menu item toggles it.
    designer.KeyListeners.push_back([inspector](int key, Qt::KeyboardModifiers mods) {
      if (key == Qt::Key_F11 && mods == Qt::NoModifier) {
        if (TvlInspForm* form = inspector->Form()) form->ShowInspector();
        inspector->ArrangeFieldsWindow();
        return true;
      }
      return false;
    });
    if (QAction* toggle = designer.Command("ToolBar.Inspector")) {
      toggle->setShortcut(QKeySequence());
      toggle->setText(vlStr(57055) + QStringLiteral("\tF11"));
      // The item's check mark is set when the menu opens: the window's own
      // visibility decides what a click does.
      QObject::connect(toggle, &QAction::triggered, inspector, [inspector, toggle] {
        TvlInspForm* form = inspector->Form();
        if (!form) return;
        if (form->isVisible())
          form->hide();
        else
          form->ShowInspector();
        toggle->setChecked(form->isVisible());
      });
      if (QMenu* menu = designer.Menu("Toolbars"))
        QObject::connect(menu, &QMenu::aboutToShow, toggle, [toggle, inspector] {
          toggle->setChecked(inspector->Form() && inspector->Form()->isVisible());
        });
    }
    // The DB fields window (its menu item and the Insert key) joins the stacking.
    if (QAction* fields = designer.Command("ToolBar.Fields"))
      QObject::connect(fields, &QAction::triggered, inspector, [inspector] { inspector->ArrangeFieldsWindow(); });
  });
}

}  // namespace vl
