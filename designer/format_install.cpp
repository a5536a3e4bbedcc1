#include "designer/format_install.h"

#include "designer/alignment_palette.h"
#include "designer/designer_dialogs.h"
#include "designer/designer_form.h"
#include "designer/insert_fields_layout.h"
#include "designer/font_command.h"
#include "designer/format_toolbars.h"
#include "designer/highlight_dialog.h"

namespace vl {

void vlInstallFormatting() {
  TvlDesignerDialogs& dialogs = vlDesignerDialogs();
  dialogs.PropertyEditors["Highlight"] = vlEditHighlight;
  dialogs.PropertyEditors["Font"] = vlEditFont;
  dialogs.InsertFields = vlInsertFields;

  static bool extended = false;
  if (extended) return;
  extended = true;
  TvlDesignerForm::Extensions().push_back([](TvlDesignerForm& form) {
    new TvlFormatToolbars(form);
    vlAddAlignmentPalette(form);
  });
}

}  // namespace vl
