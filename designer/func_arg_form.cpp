#include "designer/func_arg_form.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls/combo_edit.h"
#include "designer/designer_text.h"
#include "designer/expr_form.h"
#include "designer/func_form.h"
#include "designer/ok_cancel_buttons.h"

namespace vl {

TvlFuncArgForm::TvlFuncArgForm(TvlReport& report, QWidget* parent) : QDialog(parent), report_(report) {
  setWindowTitle(vlStr(53730));
  FuncLabel = new QLabel(this);
  FuncLabel->setObjectName("FuncLabel");
  DescrLabel = new QLabel(this);
  DescrLabel->setObjectName("DescrLabel");
  vlStyleFunctionLabels(FuncLabel, DescrLabel);

  auto* grid = new QGridLayout;
  for (int k = 0; k < 3; ++k) {
    ArgEdit[k] = new TvlComboEdit(this);
    ArgEdit[k]->setObjectName(QString("ArgEdit%1").arg(k + 1));
    vlMakeExpressionBox(ArgEdit[k], report_, false);
    ArgLabel[k] = new QLabel(vlStr(53731) + QString(" &%1").arg(k + 1), this);
    ArgLabel[k]->setBuddy(ArgEdit[k]->Edit());
    grid->addWidget(ArgLabel[k], k, 0);
    grid->addWidget(ArgEdit[k], k, 1);
  }
  grid->setColumnStretch(1, 1);
  QDialogButtonBox* buttons = vlOkCancelButtons(this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(FuncLabel);
  layout->addWidget(DescrLabel);
  layout->addLayout(grid);
  layout->addWidget(buttons);
  resize(420, 240);
}

std::string TvlFuncArgForm::Argument(int index) const { return vlFromQt(ArgEdit[index]->Text()); }
void TvlFuncArgForm::SetArgument(int index, const std::string& text) { ArgEdit[index]->SetText(vlToQt(text)); }

void TvlFuncArgForm::showEvent(QShowEvent* event) {
  // Row 1 always; each comma of the syntax enables one more row, up to three.
  const QString syntax = FuncLabel->text();
  const int rows = 1 + std::min<int>(2, static_cast<int>(syntax.count(',')));
  for (int k = 0; k < 3; ++k) {
    ArgLabel[k]->setEnabled(k < rows);
    ArgEdit[k]->setEnabled(k < rows);
  }
  QDialog::showEvent(event);
  ArgEdit[0]->Edit()->setFocus();
}

void TvlFuncArgForm::done(int result) {
  if (!resultMade_) {
    std::string call = Result + "(" + Argument(0);
    for (int k = 1; k < 3; ++k)
      if (!Argument(k).empty()) call += ", " + Argument(k);
    Result = call + ")";
    resultMade_ = true;
  }
  QDialog::done(result);
}

}  // namespace vl
