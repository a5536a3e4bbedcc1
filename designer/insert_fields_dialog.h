#pragma once
// The dialog behind "Insert DB fields": a dataset of the dictionary (aliases
// applied), its fields to choose several of, and how to lay them out.

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QRadioButton;

namespace vl {

class TvlChooserList;
class TvlComboBox;
class TvlDataSource;
class TvlDesignFields;
class TvlReport;

// What the dialog hands to the layout after OK.
struct TvlInsertFieldsChoice {
  TvlDataSource* DataSet = nullptr;   // the chosen dataset component, or none
  std::string DataSetText;            // as listed (its alias when it has one)
  std::vector<std::string> Fields;    // every field listed, as listed
  std::vector<bool> Selected;         // which of them are chosen
  bool Horizontal = true;
  bool Headers = true;
  bool Bands = true;
};

class TvlInsertFieldsForm : public QDialog {
 public:
  explicit TvlInsertFieldsForm(TvlReport& report, QWidget* parent = nullptr);
  ~TvlInsertFieldsForm() override;

  TvlComboBox* DatasetCB;
  TvlChooserList* FieldsL;
  QRadioButton* HorzRB;
  QRadioButton* VertRB;
  QCheckBox* HeaderCB;
  QCheckBox* BandCB;
  TvlDataSource* DataSet = nullptr;

  void DatasetChanged();
  TvlInsertFieldsChoice Choice() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  TvlReport& report_;
  std::unique_ptr<TvlDesignFields> fields_;
};

// Shows the dialog; true after OK with the choice filled.
bool vlChooseInsertFields(QWidget* parent, TvlReport& report, TvlInsertFieldsChoice& choice);

}  // namespace vl
