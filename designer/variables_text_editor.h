#pragma once
// The plain-text editor of the dictionary's variable list: one line per
// entry, categories at the left margin, variables indented by one blank.
// After OK the lines replace the list given (values kept by name).

#include <QDialog>
#include <string>
#include <vector>

class QPlainTextEdit;

namespace vl {

class TvlVariables;

class TvlVaredForm : public QDialog {
 public:
  TvlVaredForm(TvlVariables& variables, QWidget* parent = nullptr);

  QPlainTextEdit* Memo1;

  void done(int result) override;

 private:
  TvlVariables& variables_;
};

// The list as lines, and lines read back into the list (the editor's two
// directions, kept apart so that they can be tested as text).
std::vector<std::string> vlVariableListLines(const TvlVariables& variables);
void vlReadVariableListLines(const std::vector<std::string>& lines, TvlVariables& variables);

}  // namespace vl
