#pragma once
// The variable chooser: the dictionary's categories followed by "System
// variables", and the variables of the chosen category. After OK, Result
// holds the chosen variable's name, or the system variable's name
// ("PAGE#", "DATE", ...). The category last chosen is remembered for the
// whole program run and chosen again when a later list holds it.

#include <QDialog>
#include <string>
#include <vector>

namespace vl {

class TvlChooserList;
class TvlReport;

class TvlVarForm : public QDialog {
 public:
  explicit TvlVarForm(TvlReport& report, QWidget* parent = nullptr);

  TvlChooserList* CategoryLB;
  TvlChooserList* VarLB;
  std::string Result;

  // Fills the variables of the category chosen.
  void CategoryChosen();
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  TvlReport& report_;
};

// The category chosen last (a text; empty at program start).
std::string& vlRememberedVarCategory();
// The eight display names of the system variables, as the choosers list them.
std::vector<std::string> vlSystemVariableDisplayNames();

}  // namespace vl
