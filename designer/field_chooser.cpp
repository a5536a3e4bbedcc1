#include "designer/field_chooser.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "designer/chooser_list.h"
#include "designer/field_resolver_guard.h"
#include "designer/designer_text.h"
#include "designer/ok_cancel_buttons.h"
#include "engine/model/report.h"

namespace vl {

std::string& vlRememberedFieldsDataset() {
  static std::string remembered;
  return remembered;
}

std::string vlFieldReference(const std::string& dataSet, const std::string& field) {
  return dataSet + ".\"" + field + "\"";
}

TvlFieldsForm::TvlFieldsForm(TvlReport& report, QWidget* parent) : QDialog(parent), report_(report) {
  setWindowTitle(vlStr(53450));
  DatasetsLB = new TvlChooserList(TvlDictIcon::Group, this);
  DatasetsLB->setObjectName("DatasetsLB");
  FieldsLB = new TvlChooserList(TvlDictIcon::Item, this);
  FieldsLB->setObjectName("FieldsLB");
  QDialogButtonBox* buttons = vlOkCancelButtons(this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(DatasetsLB, 1);
  layout->addWidget(FieldsLB, 2);
  layout->addWidget(buttons);
  resize(240, 360);

  connect(DatasetsLB, &QListWidget::itemSelectionChanged, this, [this] { DatasetChosen(); });
  connect(FieldsLB, &QListWidget::itemDoubleClicked, this, [this] { accept(); });
}

void TvlFieldsForm::showEvent(QShowEvent* event) {
  TvlDesignFields fields(report_);
  DatasetsLB->SetItems(report_.Dictionary.GetDataSetList());
  if (DatasetsLB->count() > 0) {
    if (!DatasetsLB->SelectText(vlRememberedFieldsDataset())) DatasetsLB->SelectRow(0);
    DatasetChosen();
  }
  QDialog::showEvent(event);
}

void TvlFieldsForm::DatasetChosen() {
  TvlDesignFields fields(report_);
  const std::string dataSet = DatasetsLB->CurrentText();
  FieldsLB->SetItems(dataSet.empty() ? std::vector<std::string>{} : report_.Dictionary.GetFieldList(dataSet));
}

void TvlFieldsForm::done(int result) {
  if (DatasetsLB->count() > 0) vlRememberedFieldsDataset() = DatasetsLB->CurrentText();
  const std::string field = FieldsLB->CurrentText();
  if (!field.empty()) Result = vlFieldReference(vlRememberedFieldsDataset(), field);
  QDialog::done(result);
}

bool vlChooseDataField(QWidget* parent, TvlReport& report, std::string& field) {
  TvlFieldsForm chooser(report, parent);
  if (chooser.exec() != QDialog::Accepted || chooser.Result.empty()) return false;
  field = chooser.Result;
  return true;
}

}  // namespace vl
