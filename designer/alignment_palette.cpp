#include "designer/alignment_palette.h"

#include <algorithm>
#include <string>

#include "controls/dock.h"
#include "controls/tool_bar.h"
#include "designer/design_surface.h"
#include "designer/designer_form.h"
#include "designer/designer_text.h"
#include "designer/format_glyphs.h"
#include "designer/form_page_edits.h"

namespace vl {

void vlRunAlignCommand(TvlDesignerForm& form, int command) {
  if (!form.Page) return;
  TvlDesignerPage& surface = *form.Surface();
  if (!vlPageEdits(form).Align(command, surface.AnchorObject, surface.width(), surface.height())) return;
  vlPageEdited(form);
  surface.ComputeGroupBounds();
  surface.update();
  form.SelectionChanged();
}

void vlAddAlignmentPalette(TvlDesignerForm& form) {
  TvlToolBar* bar = form.ToolBar("Alignment");
  if (!bar) return;
  for (int command = acLeftEdges; command <= acBottoms; ++command) {
    const std::string name = "Align" + std::to_string(command);
    const QString hint = vlStr(57229 + command);
    const auto glyph = static_cast<TvlFormatGlyph>(static_cast<int>(TvlFormatGlyph::LeftEdges) + command - 1);
    TvlDesignerForm* owner = &form;
    form.AddCommand(name, hint, hint, vlFormatGlyph(glyph), [owner, command] { vlRunAlignCommand(*owner, command); });
    form.AddButton(bar, name, command);
  }
  // Built empty, the toolbar turned its short side along the flow.
  if (TvlDock* dock = bar->Dock()) bar->resize(dock->RowSize, std::max(bar->width(), bar->height()));
  bar->AdjustSize();
  bar->SetShown(true);
  for (TvlDock* d : vlDocksOf(&form)) d->AdjustBounds();
}

}  // namespace vl
