#include "designer/dialogs_install.h"

#include <optional>

#include "designer/band_editor_forms.h"
#include "designer/band_types_form.h"
#include "designer/design_surface.h"
#include "designer/designer_component.h"
#include "designer/designer_dialogs.h"
#include "designer/designer_form.h"
#include "designer/designer_restrictions.h"
#include "designer/designer_text.h"
#include "designer/format_dialog.h"
#include "designer/object_attr_forms.h"
#include "designer/page_options_dialog.h"
#include "designer/picture_editor_form.h"
#include "designer/template_dialogs.h"
#include "engine/model/band_kinds.h"
#include "engine/model/memo_view.h"
#include "engine/model/page.h"
#include "engine/model/picture_view.h"
#include "engine/model/report.h"
#include "platform/qt/passw_form.h"

namespace vl {

namespace {

// The topmost selected object, or the topmost object when none is selected.
TvlView* Topmost(TvlDesignerForm& designer) {
  const std::vector<TvlView*> selected = designer.Selection();
  if (!selected.empty()) return selected.back();
  return designer.Page && !designer.Page->Objects.empty() ? designer.Page->Objects.back().get() : nullptr;
}

// The editors' common check: objects may be edited, and the topmost
// selected one has its contents open to editing.
bool MayEdit(TvlDesignerForm& designer) {
  if (vlRestricted(dsNoEditObject)) return false;
  const TvlView* top = Topmost(designer);
  return !top || !(top->Restrictions & rsDontEditContents);
}

// Hides the selection marks while an object's dialog is open.
class THiddenHandles {
 public:
  explicit THiddenHandles(TvlDesignerForm& designer) : surface_(designer.Surface()) {
    surface_->HandlesHidden = true;
    surface_->update(surface_->SelectionRect());
  }
  ~THiddenHandles() {
    surface_->HandlesHidden = false;
    surface_->update(surface_->SelectionRect());
  }
  THiddenHandles(const THiddenHandles&) = delete;
  THiddenHandles& operator=(const THiddenHandles&) = delete;

 private:
  TvlDesignerPage* surface_;
};

void Repaint(TvlDesignerForm& designer, TvlView* view) {
  designer.Surface()->update(view ? TvlDesignerPage::ExtendedRect(*view) : QRect());
  designer.RedrawPage();
  designer.SelectionChanged();
}

TvlDesignerForm* Designer(QWidget* owner) {
  if (auto* form = dynamic_cast<TvlDesignerForm*>(owner)) return form;
  return dynamic_cast<TvlDesignerForm*>(vlCurrentDesigner());
}

bool EditPageOptions(QWidget* owner, TvlPage& page) {
  TvlDesignerForm* designer = Designer(owner);
  TvlPgoptForm form(page, designer && designer->Options.UnlimitedHeight, owner);
  if (form.exec() != QDialog::Accepted) return false;
  if (designer) designer->Options.UnlimitedHeight = form.UnlimitedHeight();
  return true;
}

bool ChooseBandType(QWidget* owner, bool subReportTarget, int& bandType) {
  const TvlReportDesigner* designer = vlCurrentDesigner();
  TvlBandTypesForm form(designer ? designer->Page : nullptr, subReportTarget, owner);
  if (form.exec() != QDialog::Accepted || form.BandType() < 0) return false;
  bandType = form.BandType();
  return true;
}

bool EditBand(QWidget* owner, TvlView& band) {
  TvlReportDesigner* designer = vlCurrentDesigner();
  if (!designer || band.Typ != otBand) return false;
  std::string value;
  switch (vlBandKind(band.FrameTyp).Editor) {
    case TvlBandEditor::DataSource: {
      TvlBandEditorForm form(designer->Report, band.FormatText, owner);
      if (form.exec() != QDialog::Accepted) return false;
      value = form.Source();
      break;
    }
    case TvlBandEditor::CrossDataSource: {
      // Nothing to choose for when no band takes a cross data source.
      if (!designer->Page || TvlVBandEditorForm::BandNames(*designer->Page).empty()) return false;
      TvlVBandEditorForm form(designer->Report, *designer->Page, band.FormatText, owner);
      if (form.exec() != QDialog::Accepted) return false;
      value = form.Source();
      break;
    }
    case TvlBandEditor::GroupCondition: {
      TvlGroupEditorForm form(band.FormatText, [designer] { return designer->InsertExpression(); }, owner);
      if (form.exec() != QDialog::Accepted) return false;
      value = form.Condition();
      break;
    }
    case TvlBandEditor::None:
      return false;
  }
  designer->BeforeChange();
  band.FormatText = value;
  return true;
}

bool EditPicture(QWidget* owner, TvlView& view) {
  TvlReportDesigner* designer = vlCurrentDesigner();
  if (view.Typ != otPicture) return false;
  auto& picture = static_cast<TvlPictureView&>(view);
  TvlGEditorForm form(picture.Picture, owner);
  if (form.exec() != QDialog::Accepted) return false;
  if (designer) designer->BeforeChange();
  picture.Picture = form.Picture();
  return true;
}

// The display format of a text view; on OK it goes to the targets.
bool EditFormat(TvlDesignerForm& designer, const TvlView& source, const std::vector<TvlView*>& targets) {
  TvlFmtForm form(source.Format, source.FormatText, &designer);
  if (form.exec() != QDialog::Accepted) return false;
  designer.RecordUndo(ukEdit);
  for (TvlView* v : targets)
    if (v->Typ == otMemo && !(v->Restrictions & rsDontModify)) {
      v->Format = form.Code();
      v->FormatText = form.FormatText();
    }
  designer.RedrawPage();
  return true;
}

bool EditTag(TvlDesignerForm& designer, TvlView* view) {
  TvlView* target = view ? view : Topmost(designer);
  if (!target || !MayEdit(designer)) return false;
  auto& build = vlDesignerDialogs().BuildExpression;
  const THiddenHandles hidden(designer);
  TvlAttrEditorForm form(
      target->Tag, [&designer, &build](std::string& e) { return build && build(&designer, e); }, &designer);
  if (form.exec() != QDialog::Accepted) return false;
  designer.BeforeChange();
  target->Tag = form.Tag();
  Repaint(designer, Topmost(designer));
  return true;
}

// Restrictions open whatever the restrictions are, so that one set here can
// be taken back here; they record no undo step.
bool EditRestrictions(TvlDesignerForm& designer, TvlView* view) {
  TvlView* source = view ? view : Topmost(designer);
  if (!source) return false;
  TvlRestrictionsForm form(source->Restrictions, &designer);
  if (form.exec() != QDialog::Accepted) return false;
  // The editor check only decides whether the marks are hidden meanwhile.
  std::optional<THiddenHandles> hidden;
  if (MayEdit(designer)) hidden.emplace(designer);
  std::vector<TvlView*> targets = designer.Selection();
  if (targets.empty()) targets.push_back(source);
  for (TvlView* v : targets) v->Restrictions = form.Restrictions();
  Repaint(designer, Topmost(designer));
  return true;
}

// The view an inspector button works on: the given one, else the topmost
// selected object.
TvlView* Target(TvlDesignerForm& designer, TvlView* view) {
  if (view) return view;
  const std::vector<TvlView*> selected = designer.Selection();
  return selected.empty() ? nullptr : selected.back();
}

}  // namespace

void vlInstallDesignerDialogs() {
  TvlDesignerDialogs& d = vlDesignerDialogs();
  d.PageOptions = EditPageOptions;
  d.ChooseBandType = ChooseBandType;
  d.BandEditor = EditBand;
  d.TypeEditors[otPicture] = EditPicture;
  d.PropertyEditors["DataSource"] = [](TvlDesignerForm& designer, TvlView* view) {
    TvlView* band = Target(designer, view);
    if (!band || band->Typ != otBand || !MayEdit(designer)) return false;
    const THiddenHandles hidden(designer);
    const bool changed = EditBand(&designer, *band);
    if (changed) Repaint(designer, band);
    return changed;
  };
  d.PropertyEditors["Picture"] = [](TvlDesignerForm& designer, TvlView* view) {
    TvlView* picture = Target(designer, view);
    if (!picture || !MayEdit(designer)) return false;
    const THiddenHandles hidden(designer);
    const bool changed = EditPicture(&designer, *picture);
    if (changed) Repaint(designer, picture);
    return changed;
  };
  d.PropertyEditors["DisplayFormat"] = [](TvlDesignerForm& designer, TvlView* view) {
    TvlView* source = Target(designer, view);
    if (!source || source->Typ != otMemo || !MayEdit(designer)) return false;
    const THiddenHandles hidden(designer);
    return EditFormat(designer, *source, view ? std::vector<TvlView*>{view} : designer.Selection());
  };
  d.PropertyEditors["Tag"] = EditTag;
  d.EditObjectTag = [](TvlDesignerForm& designer, TvlView* view) { EditTag(designer, view); };
  d.PropertyEditors["Restrictions"] = EditRestrictions;
  d.PopupEntry = [](QWidget* owner, TvlView& view, const TvlPopupEntry& entry) {
    TvlDesignerForm* designer = Designer(owner);
    if (!designer || view.Typ != otMemo || entry.Action != TvlPopupAction::Custom) return false;
    if (entry.Tag == mmVariableFormat) {
      EditFormat(*designer, view, designer->Selection());
      return true;  // cancelled or not, the entry is done
    }
    if (entry.Tag == mmFont) {
      auto font = vlDesignerDialogs().PropertyEditors.find("Font");
      return font != vlDesignerDialogs().PropertyEditors.end() && font->second && font->second(*designer, &view);
    }
    return false;
  };
  d.NewReport = [](QWidget* owner, const std::string& templateDir, std::string& path) {
    if (vlDesignerComponent()) vlTemplateFolder() = templateDir;
    TvlTemplForm form(vlTemplateFolder(), owner);
    if (form.exec() != QDialog::Accepted || form.Result().empty()) return false;
    path = form.Result();
    return true;
  };
  d.NewTemplate = [](QWidget* owner, TvlDesignerTemplateInfo& info) {
    TvlTemplNewForm form(owner);
    if (form.exec() != QDialog::Accepted) return false;
    info = form.Info();
    return true;
  };
  TvlPasswForm::Texts() = {vlStr(str::kOk), vlStr(str::kCancel), vlStr(55655)};
}

}  // namespace vl
