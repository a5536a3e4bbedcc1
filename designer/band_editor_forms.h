#pragma once
// The band editors: the data source of a data band (a dataset of the
// report, a virtual dataset of a number of records, or none), the data
// sources of a cross data band (one per horizontal band of the page) and
// the condition of a group header.

#include <QDialog>
#include <QString>
#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;

namespace vl {

class TvlReport;
class TvlPage;
class TvlComboEdit;

// The dataset combo box and record count shared by both data-source
// dialogs: "[None]", "Virtual Dataset" and the dictionary's band data
// sources under their display names.
class TvlDataSourceBox {
 public:
  explicit TvlDataSourceBox(TvlReport& report) : report_(report) {}
  // Fills the combo box; the count field is enabled for "Virtual Dataset" only.
  // The entries go to the combo box, or to the list when there is none;
  // returns the row of the record count (label and box) to lay out.
  QHBoxLayout* Attach(QWidget* owner, QComboBox* combo, QListWidget* list);
  QLineEdit* CountEdit() const { return count_; }
  // Shows a data source text: a leading digit 1-9 is a record count.
  void Show(const std::string& source);
  // The data source text the boxes give.
  std::string Value() const;
  void UpdateCount();

 private:
  int Current() const;
  QString Text(int index) const;
  int Count() const;

  TvlReport& report_;
  QComboBox* combo_ = nullptr;
  QListWidget* list_ = nullptr;
  QLabel* countLabel_ = nullptr;
  QLineEdit* count_ = nullptr;
};

class TvlBandEditorForm : public QDialog {
 public:
  TvlBandEditorForm(TvlReport& report, const std::string& source, QWidget* parent = nullptr);
  std::string Source() const { return box_.Value(); }
  QListWidget* List() const { return list_; }
  QLineEdit* Count() const { return count_; }

 private:
  QListWidget* list_;
  QLineEdit* count_;
  TvlDataSourceBox box_;
};

// A cross data band's source text for one band: the value after "Name="
// up to ";", the whole text when it holds no ";", else "0".
std::string vlCrossBandValue(const std::string& source, const std::string& bandName);

class TvlVBandEditorForm : public QDialog {
 public:
  // The page's bands that take a cross data source; none: do not show.
  static std::vector<std::string> BandNames(const TvlPage& page);
  TvlVBandEditorForm(TvlReport& report, const TvlPage& page, const std::string& source,
                     QWidget* parent = nullptr);
  // Name=value; for every listed band, the current row stored first.
  std::string Source();
  QListWidget* Bands() const { return list_; }
  QComboBox* Combo() const { return combo_; }
  QLineEdit* Count() const { return count_; }

 private:
  void StoreRow();
  void ShowRow();

  std::vector<std::string> names_;
  std::vector<std::string> values_;
  int row_ = -1;
  QListWidget* list_;
  QComboBox* combo_;
  QLineEdit* count_;
  TvlDataSourceBox box_;
};

class TvlGroupEditorForm : public QDialog {
 public:
  // insertField: the designer's expression insertion (empty: nothing).
  TvlGroupEditorForm(const std::string& condition, std::function<std::string()> insertField,
                     QWidget* parent = nullptr);
  std::string Condition() const;
  TvlComboEdit* Edit() const { return edit_; }

 private:
  TvlComboEdit* edit_;
};

}  // namespace vl
