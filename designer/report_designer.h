#pragma once
// The designer window as the engine and the other designer parts see it:
// the page being edited and the operations by which editors, the inspector
// and the dialogs reach the running designer.

#include <QDialog>
#include <functional>
#include <memory>
#include <string>

namespace vl {

class TvlPage;
class TvlReport;

class TvlReportDesigner : public QDialog {
 public:
  TvlReportDesigner(TvlReport& report, bool firstInstance, QWidget* parent = nullptr);
  ~TvlReportDesigner() override;

  TvlReport& Report;
  TvlPage* Page = nullptr;  // the page being edited
  // True when opened on a template; false when it edits one prepared page.
  bool FirstInstance = true;

  // The report's modified flag.
  virtual bool GetModified() = 0;
  // Sets the flag (and, on a template, the report's component-changed flag);
  // Save is available exactly when the flag is set and saving is allowed.
  virtual void SetModified(bool value) = 0;
  // Records an undo step of kind edit for the selection, before a change.
  virtual void BeforeChange() = 0;
  // Repaints the selection and refreshes the inspector, after a change.
  virtual void AfterChange() = 0;
  virtual void RedrawPage() = 0;
  // Selects the object of that name on the current page; "PageN" makes page
  // N current.
  virtual void SelectObject(const std::string& name) = 0;
  // "[" + the chosen field + "]", or empty.
  virtual std::string InsertDBField() = 0;
  // The expression built, bracketed unless it is one bracketed part; empty
  // when nothing was built.
  virtual std::string InsertExpression() = 0;

 private:
  TvlReportDesigner* previous_ = nullptr;  // the designer running before this one
};

// The running designer, or none.
TvlReportDesigner* vlCurrentDesigner();

// Makes the designer window (the registered designer class).
using TvlDesignerClass = std::function<std::unique_ptr<TvlReportDesigner>(TvlReport& report, bool firstInstance)>;
TvlDesignerClass& vlDesignerClass();

// An expression as InsertExpression returns it: wrapped in "[" and "]"
// unless it already is one bracketed part ("[a]" stays, "[a] + [b]" is wrapped).
std::string vlBracketExpression(const std::string& expression);

}  // namespace vl
