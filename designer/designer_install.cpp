#include "designer/designer_install.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QMenu>

#include "designer/designer_dialogs.h"
#include "designer/designer_data_sources.h"
#include "designer/designer_form.h"
#include "designer/designer_options.h"
#include "designer/dialogs_install.h"
#include "designer/dict_form.h"
#include "designer/expr_form.h"
#include "designer/field_chooser.h"
#include "designer/format_install.h"
#include "designer/db_fields_window.h"
#include "designer/object_inspector.h"
#include "designer/report_designer.h"
#include "designer/text_editor_form.h"
#include "engine/core/engine_state.h"
#include "engine/core/string_table.h"
#include "engine/formation/report_windows.h"
#include "engine/model/report.h"
#include "engine/model/stream_reader.h"
#include "viewer/preview_form.h"
#include "platform/platform.h"

namespace vl {

namespace {

// A designer on a template opens the DB fields window when it was open as the
// last one closed (and the first time), and closes it as it closes itself,
// so that the window saves its placement.
class TvlFieldsWindowKeeper : public QObject {
 public:
  explicit TvlFieldsWindowKeeper(TvlDesignerForm& designer) : QObject(&designer), designer_(designer) {
    designer.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != &designer_ || !designer_.FirstInstance || event->spontaneous())
      return QObject::eventFilter(watched, event);
    TvlSettingsStore& store = *vlPlatform().Settings;
    if (event->type() == QEvent::Show) {
      // After the designer has read its settings and chosen its page.
      QMetaObject::invokeMethod(this, [this] {
        if (designer_.isVisible() && vlPlatform().Settings->ReadBool(vlFieldsFormKey(), "isVisible", true))
          TvlInsFieldsForm::Open(&designer_, designer_.Report);
      }, Qt::QueuedConnection);
    } else if (event->type() == QEvent::Hide) {
      TvlInsFieldsForm* window = TvlInsFieldsForm::Instance();
      store.WriteBool(vlFieldsFormKey(), "isVisible", window != nullptr);
      if (window) window->close();
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  TvlDesignerForm& designer_;
};

int DesignTemplate(TvlReport& report) {
  auto& make = vlDesignerClass();
  if (!make) return 2;
  std::unique_ptr<TvlReportDesigner> designer = make(report, true);
  return designer->exec();
}

// The prepared page becomes the report's only template page while the
// designer edits it; the template comes back from memory afterwards.
bool EditPreparedPage(TvlReport& report, int index) {
  auto& make = vlDesignerClass();
  if (!make || index < 0 || index >= report.EMFPages.Count()) return false;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  TvlStreamWriter saved;
  report.SaveToStream(saved);
  const bool modified = report.Modified;
  const std::string fileName = report.FileName;
  TvlPage* expanded = nullptr;
  try {
    expanded = report.EMFPages.Expand(index);
  } catch (const std::exception& e) {
    QApplication::restoreOverrideCursor();
    vlShowMessage(e.what(), vlLoadStr(str::kError), TvlMsgIcon::Error);
    return false;
  }
  TvlPreparedPage& prepared = report.EMFPages[index];
  report.Pages.Clear();
  report.Pages.Adopt(std::move(prepared.Page));
  QApplication::restoreOverrideCursor();
  bool written = false;
  {
    std::unique_ptr<TvlReportDesigner> designer = make(report, false);
    designer->exec();
    if (designer->GetModified() &&
        vlPlatform().MessageBox->Show(vlLoadStr(55306) + "?", vlLoadStr(55006), TvlMsgIcon::Question,
                                      TvlMsgButtons::YesNo) == TvlMsgResult::Yes) {
      written = true;
    }
    designer.reset();
  }
  prepared.Page = report.Pages.Release(0);
  if (written) report.EMFPages.WriteBack(index);
  (void)expanded;
  TvlStreamReader r(saved.Bytes());
  report.LoadFromStream(r);
  report.Modified = modified;
  report.FileName = fileName;
  vlState().CurPage = report.Pages.Count() > 0 ? report.Pages[0] : nullptr;
  return written;
}

// The report of the designer window in front; the dialogs below choose from
// its dictionary.
TvlReport* DesignedReport() {
  TvlReportDesigner* designer = vlCurrentDesigner();
  return designer ? &designer->Report : nullptr;
}

// The dictionary editor, the field chooser, the expression builder and the
// "DB fields" window serve the designer's commands.
void InstallDictionaryWindows() {
  TvlDesignerDialogs& dialogs = vlDesignerDialogs();
  dialogs.DataDictionary = vlShowDictionaryEditor;
  dialogs.ChooseField = [](QWidget* owner, std::string& field) {
    TvlReport* report = DesignedReport();
    return report && vlChooseDataField(owner, *report, field);
  };
  dialogs.BuildExpression = [](QWidget* owner, std::string& expression) {
    TvlReport* report = DesignedReport();
    return report && vlEditExpression(owner, *report, expression);
  };
  dialogs.DraggedField = vlDraggedFieldReference;

  static bool extended = false;
  if (extended) return;
  extended = true;
  TvlDesignerForm::Extensions().push_back([](TvlDesignerForm& form) {
    QAction* fields = form.Command("ToolBar.Fields");
    if (!fields) return;
    TvlDesignerForm* owner = &form;
    new TvlFieldsWindowKeeper(form);
    QObject::connect(fields, &QAction::triggered, owner, [owner](bool on) {
      if (on) {
        TvlInsFieldsForm::Open(owner, owner->Report);
      } else if (TvlInsFieldsForm* window = TvlInsFieldsForm::Instance()) {
        window->close();
      }
    });
    // The menu item shows whether the window is open, however it was closed.
    if (QMenu* menu = form.Menu("Toolbars"))
      QObject::connect(menu, &QMenu::aboutToShow, fields,
                       [fields] { fields->setChecked(TvlInsFieldsForm::Instance() != nullptr); });
  });
}

}  // namespace

void vlInstallDesigner() {
  InstallDictionaryWindows();
  vlInstallDataSources();
  vlInstallFormatting();
  vlInstallDesignerDialogs();
  vlInstallObjectInspector();
  vlInstallTextEditor();
  vlDesignerClass() = [](TvlReport& report, bool firstInstance) -> std::unique_ptr<TvlReportDesigner> {
    return std::make_unique<TvlDesignerForm>(report, firstInstance);
  };
  vlReportWindows().DesignReport = DesignTemplate;
  vlReportWindows().EditPage = EditPreparedPage;
}

}  // namespace vl
