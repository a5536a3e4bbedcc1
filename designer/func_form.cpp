#include "designer/func_form.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "designer/chooser_list.h"
#include "designer/designer_text.h"
#include "designer/ok_cancel_buttons.h"
#include "engine/script/installed_functions.h"

namespace vl {

void vlStyleFunctionLabels(QLabel* funcLabel, QLabel* descrLabel) {
  QFont bold = funcLabel->font();
  bold.setBold(true);
  funcLabel->setFont(bold);
  funcLabel->setTextFormat(Qt::PlainText);
  descrLabel->setTextFormat(Qt::PlainText);
  descrLabel->setWordWrap(true);
  descrLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  descrLabel->setAutoFillBackground(true);
  descrLabel->setBackgroundRole(QPalette::ToolTipBase);
  descrLabel->setForegroundRole(QPalette::ToolTipText);
  descrLabel->setMargin(4);
  descrLabel->setMinimumHeight(52);
}

TvlFuncForm::TvlFuncForm(QWidget* parent) : QDialog(parent) {
  setWindowTitle(vlStr(53720));
  Tree1 = new QTreeWidget(this);
  Tree1->setObjectName("Tree1");
  Tree1->header()->hide();
  FuncLB = new TvlChooserList(TvlDictIcon::Item, this);
  FuncLB->setObjectName("FuncLB");
  FuncLabel = new QLabel(this);
  FuncLabel->setObjectName("FuncLabel");
  DescrLabel = new QLabel(this);
  DescrLabel->setObjectName("DescrLabel");
  vlStyleFunctionLabels(FuncLabel, DescrLabel);

  auto* lists = new QHBoxLayout;
  lists->addWidget(Tree1, 1);
  lists->addWidget(FuncLB, 1);
  QDialogButtonBox* buttons = vlOkCancelButtons(this);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(lists, 1);
  layout->addWidget(FuncLabel);
  layout->addWidget(DescrLabel);
  layout->addWidget(buttons);
  resize(460, 360);

  // Root "All functions" (icon 0) and one node per category (icon 1).
  auto* root = new QTreeWidgetItem(Tree1, QStringList(vlStr(str::kAllFunctions)));
  root->setIcon(0, vlDictIconSet(TvlDictIcon::FunctionRoot));
  for (const std::string& category : vlInstalledFunctions().Categories()) {
    auto* node = new QTreeWidgetItem(root, QStringList(vlToQt(category)));
    node->setIcon(0, vlDictIconSet(TvlDictIcon::Group));
  }
  Tree1->expandAll();

  connect(Tree1, &QTreeWidget::currentItemChanged, this, [this] { NodeChosen(); });
  connect(FuncLB, &QListWidget::itemSelectionChanged, this, [this] { ShowDescription(); });
  connect(FuncLB, &QListWidget::itemDoubleClicked, this, [this] { accept(); });
  Tree1->setCurrentItem(root);
}

std::string TvlFuncForm::SelectedName() const { return FuncLB->CurrentText(); }
std::string TvlFuncForm::Syntax() const { return vlFromQt(FuncLabel->text()); }
std::string TvlFuncForm::Explanation() const { return vlFromQt(DescrLabel->text()); }

void TvlFuncForm::NodeChosen() {
  const QTreeWidgetItem* node = Tree1->currentItem();
  FuncLB->SetItems(node ? vlInstalledFunctions().NamesOf(vlFromQt(node->text(0))) : std::vector<std::string>{});
  FuncLB->SelectRow(0);
  ShowDescription();
}

void TvlFuncForm::ShowDescription() {
  const TvlFunctionHelp help = vlSplitFunctionDescription(vlInstalledFunctions().DescriptionOf(SelectedName()));
  FuncLabel->setText(vlToQt(help.Syntax));
  DescrLabel->setText(vlToQt(help.Explanation));
}

}  // namespace vl
