#pragma once
// The dialogs the designer window opens, as replaceable entry points: the
// file dialogs, and the dialogs that other designer parts provide (band
// type, page options, new report and new template, dictionary, field and
// expression choosers, editors, help). Tests put their own answers here;
// the parts that build a dialog install it. An unset entry is skipped as
// described with it.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "designer/designer_template_file.h"

class QMimeData;
class QWidget;

namespace vl {

class TvlDesignerForm;
class TvlPage;
class TvlReport;
class TvlView;
struct TvlPopupEntry;

struct TvlDesignerDialogs {
  // Filters are "Caption (*.ext)|*.ext" pairs; filter is 1-based, in and out.
  // False when cancelled.
  std::function<bool(QWidget* owner, const std::string& dir, const std::vector<std::string>& filters,
                     std::string& path, int& filter)>
      OpenFile;
  std::function<bool(QWidget* owner, const std::string& dir, const std::vector<std::string>& filters,
                     std::string& path, int& filter)>
      SaveFile;
  // The band type of a new band; subReportTarget tells whether the page is
  // the target of a sub-report.
  std::function<bool(QWidget* owner, bool subReportTarget, int& bandType)> ChooseBandType;
  // Page options of a page; unset: accepted without a dialog.
  std::function<bool(QWidget* owner, TvlPage& page)> PageOptions;
  // A designer template (.vlt) chosen from the folder.
  std::function<bool(QWidget* owner, const std::string& templateDir, std::string& path)> NewReport;
  // Description and picture of a new designer template.
  std::function<bool(QWidget* owner, TvlDesignerTemplateInfo& info)> NewTemplate;
  // The data dictionary editor; unset: the command does nothing.
  std::function<bool(QWidget* owner, TvlReport& report)> DataDictionary;
  // The field chooser and the expression builder; unset: nothing chosen.
  std::function<bool(QWidget* owner, std::string& field)> ChooseField;
  std::function<bool(QWidget* owner, std::string& expression)> BuildExpression;
  // An object's editor (unset: the view's own ShowEditor) and the text
  // editor (unset: nothing); true when the object was changed.
  std::function<bool(QWidget* owner, TvlView& view)> ObjectEditor;
  std::function<bool(QWidget* owner, TvlView& view)> MemoEditor;
  // Editors of one object type (keyed by the view's Typ: the text editor of
  // text objects, the picture editor); tried before ObjectEditor.
  std::map<int, std::function<bool(QWidget* owner, TvlView& view)>> TypeEditors;
  // The inspector's editor buttons by property name ("Memo", "Script",
  // "Font", "DisplayFormat", "Highlight", "Picture", "Tag", "Restrictions",
  // "DataSource", ...). view is the inspector's current object, none when
  // several objects are selected (the editor then works on the topmost
  // selected object or on the selection). True when something changed.
  std::map<std::string, std::function<bool(TvlDesignerForm& designer, TvlView* view)>> PropertyEditors;
  // The additional attributes (Tag) of the object, or of the topmost
  // selected object when none is given: the inspector's "Tag" button and
  // the text editor's "Object tag" button.
  std::function<void(TvlDesignerForm& designer, TvlView* view)> EditObjectTag;
  // The band editors: data source of data and cross-data bands, group
  // condition of group headers; unset: nothing.
  std::function<bool(QWidget* owner, TvlView& band)> BandEditor;
  // A view's context-menu entry that needs a dialog (a text view's
  // "Variable format..." and "Font..."); true when it was handled. Unset or
  // false: the entry's own action runs.
  std::function<bool(QWidget* owner, TvlView& view, const TvlPopupEntry& entry)> PopupEntry;
  // Whether a drag over the surface carries a field from the field list of
  // the "DB fields" window, and the field reference (as the list gives it);
  // unset: no drag is accepted.
  std::function<bool(const QMimeData* data, std::string& reference)> DraggedField;
  // The "Insert DB fields" tool: chooses a dataset's fields and lays them
  // out on the current page; unset: the tool is not offered.
  std::function<void(TvlDesignerForm& designer)> InsertFields;
  // Help at a context (0: contents).
  std::function<void(int context)> ShowHelp;
};

// The entry points in force; the defaults are the Qt file dialogs and the
// help window. The designer's own dialogs install themselves
// (vlInstallDesignerDialogs, called by vlInstallDesigner).
TvlDesignerDialogs& vlDesignerDialogs();

}  // namespace vl
