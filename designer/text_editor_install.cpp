// The text editor takes its places among the designer's dialogs: the memo
// editor (Ctrl+double click, Ctrl+Enter), the editor of text objects (double
// click) and the inspector's "Memo" and "Script" buttons.

#include "designer/designer_dialogs.h"
#include "designer/designer_form.h"
#include "designer/designer_restrictions.h"
#include "designer/text_editor_form.h"

namespace vl {

namespace {

bool EditInDesigner(TvlDesignerForm& designer, TvlView& view) {
  return vlTextEditorOf(designer).EditObject(view) == TvlObjEditorForm::mrOk;
}

bool EditFromDialogs(QWidget* owner, TvlView& view) {
  auto* designer = dynamic_cast<TvlDesignerForm*>(owner);
  return designer && EditInDesigner(*designer, view);
}

// The inspector's button: its object, or the topmost selected one.
bool EditFromInspector(TvlDesignerForm& designer, TvlView* view) {
  if (!view) {
    const std::vector<TvlView*> selected = designer.Selection();
    if (selected.empty()) return false;
    view = selected.back();
  }
  if (vlRestricted(dsNoEditObject) || (view->Restrictions & rsDontEditContents)) return false;
  return EditInDesigner(designer, *view);
}

}  // namespace

void vlInstallTextEditor() {
  TvlDesignerDialogs& dialogs = vlDesignerDialogs();
  dialogs.MemoEditor = EditFromDialogs;
  dialogs.TypeEditors[otMemo] = EditFromDialogs;
  dialogs.PropertyEditors["Memo"] = EditFromInspector;
  dialogs.PropertyEditors["Script"] = EditFromInspector;
}

}  // namespace vl
