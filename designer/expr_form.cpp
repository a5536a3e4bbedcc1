#include "designer/expr_form.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "controls/combo_edit.h"
#include "controls/speed_button.h"
#include "designer/designer_text.h"
#include "designer/dict_glyphs.h"
#include "designer/field_chooser.h"
#include "designer/func_arg_form.h"
#include "designer/func_form.h"
#include "designer/ok_cancel_buttons.h"
#include "designer/var_form.h"

namespace vl {

std::string vlWrapInsertedName(const std::string& name) {
  for (unsigned char c : name) {
    const unsigned char u = c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 32) : c;
    if (!((u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '.' || u == '_')) return "[" + name + "]";
  }
  return name;
}

TvlExprForm::TvlExprForm(TvlReport& report, QWidget* parent) : QDialog(parent), report_(report) {
  setWindowTitle(vlStr(53700));

  auto* exprGroup = new QGroupBox(vlStr(53701), this);
  ExprMemo = new QPlainTextEdit(exprGroup);
  ExprMemo->setObjectName("ExprMemo");
  ExprMemo->installEventFilter(this);
  auto* exprLayout = new QVBoxLayout(exprGroup);
  exprLayout->addWidget(ExprMemo);

  auto* insertGroup = new QGroupBox(vlStr(53702), this);
  InsDBBtn = new QPushButton(vlStr(53703), insertGroup);
  InsDBBtn->setObjectName("InsDBBtn");
  InsVarBtn = new QPushButton(vlStr(53704), insertGroup);
  InsVarBtn->setObjectName("InsVarBtn");
  InsFuncBtn = new QPushButton(vlStr(53705), insertGroup);
  InsFuncBtn->setObjectName("InsFuncBtn");
  for (QPushButton* b : {InsDBBtn, InsVarBtn, InsFuncBtn}) b->setAutoDefault(false);
  auto* chooserRow = new QHBoxLayout;
  chooserRow->addWidget(InsDBBtn);
  chooserRow->addWidget(InsVarBtn);
  chooserRow->addWidget(InsFuncBtn);
  chooserRow->addStretch(1);
  auto* operatorRow = new QHBoxLayout;
  operatorRow->setSpacing(1);
  for (const char* op : {"+", "-", "*", "/", "=", "<>", ">", "<", ">=", "<=", "And", "Or", "Not"}) {
    auto* b = new TvlSpeedButton(insertGroup);
    b->SetCaption(op);
    b->setObjectName(QString("Op") + op);
    b->setFixedSize(std::string(op).size() > 2 ? 32 : 24, 22);
    const std::string text = std::string(op) + " ";
    b->OnClick = [this, text] { Insert(text); };
    OperatorButtons.push_back(b);
    operatorRow->addWidget(b);
  }
  operatorRow->addStretch(1);
  auto* insertLayout = new QVBoxLayout(insertGroup);
  insertLayout->addLayout(chooserRow);
  insertLayout->addLayout(operatorRow);

  QDialogButtonBox* buttons = vlOkCancelButtons(this, false);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(exprGroup, 1);
  layout->addWidget(insertGroup);
  layout->addWidget(buttons);
  resize(470, 300);

  connect(InsDBBtn, &QPushButton::clicked, this, [this] { InsertDataField(); });
  connect(InsVarBtn, &QPushButton::clicked, this, [this] { InsertVariable(); });
  connect(InsFuncBtn, &QPushButton::clicked, this, [this] { InsertFunction(); });
  ExprMemo->setFocus();
}

std::string TvlExprForm::Expression() const { return vlFromQt(ExprMemo->toPlainText()); }

void TvlExprForm::SetExpression(const std::string& text) { ExprMemo->setPlainText(vlToQt(text)); }

void TvlExprForm::Insert(const std::string& text) {
  ExprMemo->textCursor().insertText(vlToQt(text));
  ExprMemo->setFocus();
}

void TvlExprForm::InsertDataField() {
  TvlFieldsForm chooser(report_, this);
  if (chooser.exec() == QDialog::Accepted && !chooser.Result.empty()) Insert(vlWrapInsertedName(chooser.Result));
}

void TvlExprForm::InsertVariable() {
  TvlVarForm chooser(report_, this);
  if (chooser.exec() == QDialog::Accepted && !chooser.Result.empty()) Insert(vlWrapInsertedName(chooser.Result));
}

void TvlExprForm::InsertFunction() {
  std::string name, syntax, explanation;
  {
    TvlFuncForm chooser(this);
    if (chooser.exec() != QDialog::Accepted) return;
    name = chooser.SelectedName();
    syntax = chooser.Syntax();
    explanation = chooser.Explanation();
  }
  if (syntax.find('(') == std::string::npos) {
    if (!name.empty()) Insert(vlWrapInsertedName(name));
    return;
  }
  TvlFuncArgForm arguments(report_, this);
  arguments.FuncLabel->setText(vlToQt(syntax));
  arguments.DescrLabel->setText(vlToQt(explanation));
  arguments.Result = name;
  if (arguments.exec() == QDialog::Accepted) Insert(arguments.Result);
}

bool TvlExprForm::eventFilter(QObject* watched, QEvent* event) {
  // The box is multi-line, yet Esc in it cancels the builder.
  if (watched == ExprMemo && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    reject();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void vlMakeExpressionBox(TvlComboEdit* box, TvlReport& report, bool preset, std::function<void()> changed) {
  box->SetButtonHint(vlStr(53575));
  box->SetGlyph(vlDictIconImage(TvlDictIcon::Ellipsis));
  // The box has no size of its own to give a layout.
  box->setFixedHeight(std::max(21, box->Edit()->sizeHint().height() + 4));
  box->OnButtonClick = [box, &report, preset, changed] {
    std::string text = preset ? vlFromQt(box->Text()) : std::string();
    if (!vlEditExpression(box->window(), report, text)) return;
    box->SetText(vlToQt(text));
    if (changed) changed();
  };
}

bool vlEditExpression(QWidget* parent, TvlReport& report, std::string& expression) {
  TvlExprForm builder(report, parent);
  builder.SetExpression(expression);
  if (builder.exec() != QDialog::Accepted) return false;
  expression = builder.Expression();
  return true;
}

}  // namespace vl
