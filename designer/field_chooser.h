#pragma once
// The data field chooser: the dictionary's datasets and the fields of the
// chosen one, aliases applied. Whenever it closes, Result becomes the field
// reference of the selected field (dataset, ".", the field in double quotes,
// both as listed), or stays empty without a field; the opener reads it after
// OK. The dataset last chosen is remembered for the whole program run.

#include <QDialog>
#include <string>

namespace vl {

class TvlChooserList;
class TvlReport;

class TvlFieldsForm : public QDialog {
 public:
  explicit TvlFieldsForm(TvlReport& report, QWidget* parent = nullptr);

  TvlChooserList* DatasetsLB;
  TvlChooserList* FieldsLB;
  std::string Result;

  void DatasetChosen();
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  TvlReport& report_;
};

// The dataset chosen last in the data field chooser (empty at program start).
std::string& vlRememberedFieldsDataset();
// A field reference as the dialogs build it: dataset + "." + "\"" + field + "\"".
std::string vlFieldReference(const std::string& dataSet, const std::string& field);

// The chooser on the report; true after OK with a field chosen, field then
// holding its reference (without brackets).
bool vlChooseDataField(QWidget* parent, TvlReport& report, std::string& field);

}  // namespace vl
