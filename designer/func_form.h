#pragma once
// The function chooser: a tree of the described functions' categories under
// "All functions", the names of the chosen category, and the chosen name's
// syntax (bold) and explanation. All from the function description registry.

#include <QDialog>
#include <string>

class QLabel;
class QTreeWidget;

namespace vl {

class TvlChooserList;

class TvlFuncForm : public QDialog {
 public:
  explicit TvlFuncForm(QWidget* parent = nullptr);

  QTreeWidget* Tree1;
  TvlChooserList* FuncLB;
  QLabel* FuncLabel;   // the syntax
  QLabel* DescrLabel;  // the explanation

  // The name selected in FuncLB (empty when none), and the labels' texts.
  std::string SelectedName() const;
  std::string Syntax() const;
  std::string Explanation() const;

  // Fills FuncLB for the selected tree node and shows the first name.
  void NodeChosen();
  void ShowDescription();
};

// Makes FuncLabel and DescrLabel of a function dialog look as they should:
// one bold line, and a word-wrapped text on the information colour.
void vlStyleFunctionLabels(QLabel* funcLabel, QLabel* descrLabel);

}  // namespace vl
