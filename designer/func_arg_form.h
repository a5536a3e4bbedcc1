#pragma once
// The argument dialog of a function chosen in the expression builder: the
// function's syntax and explanation, and up to three argument boxes (the
// syntax's commas decide how many are enabled), each with a button that
// opens a new expression builder. When it closes, Result becomes the
// preset name with the arguments in parentheses, empty boxes after the
// first left out.

#include <QDialog>
#include <string>

class QLabel;

namespace vl {

class TvlComboEdit;
class TvlReport;

class TvlFuncArgForm : public QDialog {
 public:
  explicit TvlFuncArgForm(TvlReport& report, QWidget* parent = nullptr);

  QLabel* FuncLabel;
  QLabel* DescrLabel;
  TvlComboEdit* ArgEdit[3];
  QLabel* ArgLabel[3];
  // Preset by the opener to the function's name; the call after closing.
  std::string Result;

  std::string Argument(int index) const;  // 0..2
  void SetArgument(int index, const std::string& text);
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  TvlReport& report_;
  bool resultMade_ = false;
};

}  // namespace vl
