#pragma once
// The expression builder: a text box and the buttons that insert data
// fields, variables, functions (through the function chooser and its
// argument dialog) and operators at the caret. It only produces text;
// nothing is parsed or checked.

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

class QPlainTextEdit;
class QPushButton;

namespace vl {

class TvlComboEdit;
class TvlReport;
class TvlSpeedButton;

class TvlExprForm : public QDialog {
 public:
  explicit TvlExprForm(TvlReport& report, QWidget* parent = nullptr);

  QPlainTextEdit* ExprMemo;
  QPushButton* InsDBBtn;
  QPushButton* InsVarBtn;
  QPushButton* InsFuncBtn;
  // "+", "-", "*", "/", "=", "<>", ">", "<", ">=", "<=", "And", "Or", "Not".
  std::vector<TvlSpeedButton*> OperatorButtons;

  std::string Expression() const;
  void SetExpression(const std::string& text);
  // Puts text at the caret, replacing the selected text.
  void Insert(const std::string& text);

  // The Insert buttons' actions.
  void InsertDataField();
  void InsertVariable();
  void InsertFunction();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TvlReport& report_;
};

// A chosen name as it goes into an expression: as it is when, upper-cased,
// it holds only A-Z, digits, "." and "_"; otherwise in square brackets.
std::string vlWrapInsertedName(const std::string& name);

// Makes box an expression box: its button opens the builder on the report
// (preset with the box's text when preset is true, else empty); after OK the
// builder's text replaces the box's and changed runs.
void vlMakeExpressionBox(TvlComboEdit* box, TvlReport& report, bool preset, std::function<void()> changed = {});

// The builder on the report, preset with expression; after OK expression
// holds the builder's text and the answer is true.
bool vlEditExpression(QWidget* parent, TvlReport& report, std::string& expression);

}  // namespace vl
