#include "designer/variables_text_editor.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "designer/designer_text.h"
#include "designer/ok_cancel_buttons.h"
#include "engine/core/variables.h"

namespace vl {

std::vector<std::string> vlVariableListLines(const TvlVariables& variables) {
  std::vector<std::string> lines;
  for (const TvlVariables::Entry& e : variables.Entries()) {
    // A category's name begins with its blank; a variable gets one.
    if (!e.Name.empty() && e.Name[0] == ' ')
      lines.push_back(e.Name.substr(1));
    else
      lines.push_back(" " + e.Name);
  }
  return lines;
}

void vlReadVariableListLines(const std::vector<std::string>& lines, TvlVariables& variables) {
  TvlVariables result;
  for (const std::string& line : lines) {
    if (line.find_first_not_of(' ') == std::string::npos) continue;
    const std::string name = line[0] == ' ' ? line.substr(1, 255) : " " + line;
    const TvlValue* old = variables.Find(name);
    result.Set(name, old ? *old : TvlValue(std::string()));
  }
  variables.Assign(result);
}

TvlVaredForm::TvlVaredForm(TvlVariables& variables, QWidget* parent) : QDialog(parent), variables_(variables) {
  setWindowTitle(vlStr(53360));
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName("Memo1");
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  auto* label = new QLabel(vlStr(53361), this);
  label->setBuddy(Memo1);
  QDialogButtonBox* buttons = vlOkCancelButtons(this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(Memo1, 1);
  layout->addWidget(buttons);
  resize(320, 360);

  QStringList text;
  for (const std::string& line : vlVariableListLines(variables_)) text << vlToQt(line);
  Memo1->setPlainText(text.join('\n'));
}

void TvlVaredForm::done(int result) {
  if (result == QDialog::Accepted) {
    std::vector<std::string> lines;
    for (const QString& line : Memo1->toPlainText().split('\n')) lines.push_back(vlFromQt(line));
    vlReadVariableListLines(lines, variables_);
  }
  QDialog::done(result);
}

}  // namespace vl
