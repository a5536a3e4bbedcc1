#include "designer/insert_fields_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "controls/flat_combo_box.h"
#include "designer/chooser_list.h"
#include "designer/field_resolver_guard.h"
#include "designer/designer_text.h"
#include "designer/ok_cancel_buttons.h"
#include "engine/core/error.h"
#include "engine/core/text.h"
#include "engine/data/data_source.h"
#include "engine/data/dataset_names.h"
#include "engine/data/db_dataset.h"
#include "engine/data/named_list.h"
#include "engine/model/report.h"

namespace vl {

TvlInsertFieldsForm::TvlInsertFieldsForm(TvlReport& report, QWidget* parent)
    : QDialog(parent), report_(report), fields_(std::make_unique<TvlDesignFields>(report)) {
  setWindowTitle(vlStr(53630));
  DatasetCB = new TvlComboBox(this);
  DatasetCB->setObjectName("DatasetCB");
  DatasetCB->SetStyle(TvlComboStyle::csDropDownList);
  auto* datasetLabel = new QLabel(vlStr(53631), this);
  datasetLabel->setBuddy(DatasetCB);
  FieldsL = new TvlChooserList(TvlDictIcon::Item, this);
  FieldsL->setObjectName("FieldsL");
  FieldsL->setSelectionMode(QAbstractItemView::ExtendedSelection);

  auto* placement = new QGroupBox(vlStr(53632), this);
  HorzRB = new QRadioButton(vlStr(53633), placement);
  HorzRB->setObjectName("HorzRB");
  HorzRB->setChecked(true);
  VertRB = new QRadioButton(vlStr(53634), placement);
  VertRB->setObjectName("VertRB");
  auto* placementLayout = new QVBoxLayout(placement);
  placementLayout->addWidget(HorzRB);
  placementLayout->addWidget(VertRB);
  HeaderCB = new QCheckBox(vlStr(53635), this);
  HeaderCB->setObjectName("HeaderCB");
  HeaderCB->setChecked(true);
  BandCB = new QCheckBox(vlStr(53636), this);
  BandCB->setObjectName("BandCB");
  BandCB->setChecked(true);

  QDialogButtonBox* buttons = vlOkCancelButtons(this);
  auto* options = new QVBoxLayout;
  options->addWidget(placement);
  options->addWidget(HeaderCB);
  options->addWidget(BandCB);
  options->addStretch(1);
  auto* middle = new QHBoxLayout;
  middle->addWidget(FieldsL, 1);
  middle->addLayout(options);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(datasetLabel);
  layout->addWidget(DatasetCB);
  layout->addLayout(middle, 1);
  layout->addWidget(buttons);
  resize(380, 320);
  connect(DatasetCB, &QComboBox::currentIndexChanged, this, [this] { DatasetChanged(); });
}

TvlInsertFieldsForm::~TvlInsertFieldsForm() = default;

void TvlInsertFieldsForm::showEvent(QShowEvent* event) {
  DataSet = nullptr;
  std::vector<std::string> names = report_.Dictionary.GetDataSetList();
  std::stable_sort(names.begin(), names.end(),
                   [](const std::string& a, const std::string& b) { return vlCompareText(a, b) < 0; });
  DatasetCB->blockSignals(true);
  DatasetCB->clear();
  for (const std::string& name : names) DatasetCB->addItem(vlToQt(name));
  DatasetCB->setCurrentIndex(names.empty() ? -1 : 0);
  DatasetCB->blockSignals(false);
  DatasetChanged();
  QDialog::showEvent(event);
}

void TvlInsertFieldsForm::DatasetChanged() {
  DataSet = nullptr;
  const std::string alias = vlFromQt(DatasetCB->currentText());
  if (alias.empty()) {
    FieldsL->clear();
    return;
  }
  try {
    DataSet = vlSourceOf(vlFindComponentPath(report_.Dictionary.RealDataSetName(alias), report_.Owner));
  } catch (const TvlError&) {
    DataSet = nullptr;  // no component of that name
  }
  FieldsL->SetItems(report_.Dictionary.GetFieldList(alias));
}

TvlInsertFieldsChoice TvlInsertFieldsForm::Choice() const {
  TvlInsertFieldsChoice c;
  c.DataSet = DataSet;
  c.DataSetText = vlFromQt(DatasetCB->currentText());
  for (int k = 0; k < FieldsL->count(); ++k) {
    c.Fields.push_back(vlFromQt(FieldsL->item(k)->text()));
    c.Selected.push_back(FieldsL->item(k)->isSelected());
  }
  c.Horizontal = HorzRB->isChecked();
  c.Headers = HeaderCB->isChecked();
  c.Bands = BandCB->isChecked();
  return c;
}

bool vlChooseInsertFields(QWidget* parent, TvlReport& report, TvlInsertFieldsChoice& choice) {
  TvlInsertFieldsForm form(report, parent);
  if (form.exec() != QDialog::Accepted) return false;
  choice = form.Choice();
  return true;
}

}  // namespace vl
