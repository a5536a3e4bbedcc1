#pragma once
// The designer's side of the object inspector: fills the inspector's rows
// from the selection (the properties all selected objects share) or from
// the current page, applies each committed row back to the objects with one
// undo step, keeps the inspector's visibility and name-column width in the
// designer's settings, and stacks the "DB fields" window next to it.

#include <QObject>
#include <QPointer>
#include <string>

#include "designer/inspector_window.h"
#include "engine/core/value.h"

namespace vl {

class TvlDesignerForm;
class TvlInspForm;

class TvlObjectInspector : public QObject {
 public:
  static constexpr std::size_t kMaxRows = 64;

  explicit TvlObjectInspector(TvlDesignerForm& designer);
  ~TvlObjectInspector() override;

  TvlInspForm* Form() const { return form_.data(); }
  // Rebuilds the rows from the selection or the page and refreshes the window.
  void Rebuild();
  // Applies a committed row to the page or the selected objects.
  void Apply(int row);
  // Places the DB fields window and the inspector one above the other when
  // both are shown side by side.
  void ArrangeFieldsWindow();

  void LoadSettings();
  void SaveSettings();

 private:
  void ApplyToPage(const std::string& name, std::uint16_t kind, TvlValue value);
  void ApplyToObjects(const std::string& name, std::uint16_t kind, const TvlValue& value);
  bool NameTaken(const std::string& name) const;
  // Pixels in the designer's unit as shown, and back (report pages only).
  bool UnitsApply() const;
  std::string SizeText(const TvlValue& pixels) const;
  TvlValue ToPixels(const TvlValue& value, std::uint16_t kind) const;

  TvlDesignerForm& designer_;
  QPointer<TvlInspForm> form_;
  bool settingsLoaded_ = false;
  bool keepRows_ = false;  // while a page property re-enters the page
};

// Attaches an inspector to every new designer window and installs the
// "ToolBar.Inspector" command (F11).
void vlInstallObjectInspector();
// The inspector of a designer window, or none.
TvlObjectInspector* vlObjectInspector(TvlDesignerForm& designer);

}  // namespace vl
