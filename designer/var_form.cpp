#include "designer/var_form.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "designer/chooser_list.h"
#include "designer/designer_text.h"
#include "designer/ok_cancel_buttons.h"
#include "engine/model/report.h"

namespace vl {
namespace {
constexpr int kSystemVariables = 55075;
}

std::string& vlRememberedVarCategory() {
  static std::string remembered;
  return remembered;
}

std::vector<std::string> vlSystemVariableDisplayNames() {
  std::vector<std::string> out;
  for (int id : {55110, 55112, 55113, 55114, 55115, 55116, 55117, 55118}) out.push_back(vlLoadStr(id));
  return out;
}

TvlVarForm::TvlVarForm(TvlReport& report, QWidget* parent) : QDialog(parent), report_(report) {
  setWindowTitle(vlStr(53440));
  CategoryLB = new TvlChooserList(TvlDictIcon::Group, this);
  CategoryLB->setObjectName("CategoryLB");
  VarLB = new TvlChooserList(TvlDictIcon::Item, this);
  VarLB->setObjectName("VarLB");
  auto* lists = new QHBoxLayout;
  lists->addWidget(CategoryLB);
  lists->addWidget(VarLB);
  QDialogButtonBox* buttons = vlOkCancelButtons(this);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(lists);
  layout->addWidget(buttons);
  resize(360, 280);

  connect(CategoryLB, &QListWidget::itemSelectionChanged, this, [this] { CategoryChosen(); });
  connect(VarLB, &QListWidget::itemDoubleClicked, this, [this] { accept(); });
}

void TvlVarForm::showEvent(QShowEvent* event) {
  std::vector<std::string> categories = report_.Dictionary.GetCategoryList();
  categories.push_back(vlLoadStr(kSystemVariables));
  CategoryLB->SetItems(categories);
  if (!CategoryLB->SelectText(vlRememberedVarCategory())) CategoryLB->SelectRow(0);
  CategoryChosen();
  QDialog::showEvent(event);
}

void TvlVarForm::CategoryChosen() {
  const std::string category = CategoryLB->CurrentText();
  if (category == vlLoadStr(kSystemVariables))
    VarLB->SetItems(vlSystemVariableDisplayNames());
  else
    VarLB->SetItems(report_.Dictionary.GetVariablesList(category));
}

void TvlVarForm::done(int result) {
  const std::string category = CategoryLB->CurrentText();
  if (result == QDialog::Accepted) {
    const int row = VarLB->currentItem() && VarLB->currentItem()->isSelected() ? VarLB->currentRow() : -1;
    if (category == vlLoadStr(kSystemVariables))
      // Display rows 1 to 7 stand for table entries 2 to 8 (entry 1 is the
      // expression marker of stored dictionaries).
      Result = row <= 0 ? vlSystemVariableName(0) : vlSystemVariableName(row + 1);
    else
      Result = VarLB->CurrentText();
  }
  vlRememberedVarCategory() = category;
  QDialog::done(result);
}

}  // namespace vl
