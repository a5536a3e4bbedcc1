#pragma once
// The designer options dialog (tabs "Designer" and "Editor") and the report
// options dialog. Both are built in code; tests reach their controls by
// object name.

#include <QDialog>

#include "designer/designer_options.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace vl {

class TvlReport;

class TvlDesignerOptionsForm : public QDialog {
 public:
  TvlDesignerOptionsForm(const TvlDesignerOptions& options, QWidget* parent);
  // The options as the dialog shows them (what OK applies). A grid size the
  // dialog does not offer is saved as 18.
  TvlDesignerOptions Result() const;

 private:
  TvlDesignerOptions options_;
  QCheckBox *showGrid_, *alignGrid_, *contents_, *colored_, *editAfter_, *bandTitles_, *localized_, *disableUndo_,
      *syntax_;
  QRadioButton *units_[3], *grid_[3], *position_[3], *objectFont_, *fixedFont_;
  QComboBox *textFont_, *textSize_, *scriptFont_, *scriptSize_;
};

class TvlReportOptionsForm : public QDialog {
 public:
  TvlReportOptionsForm(TvlReport& report, QWidget* parent);
  // Writes the values back into the report.
  void Apply();

 private:
  void PasswordToggled(bool on);
  TvlReport& report_;
  QCheckBox *select_, *twoPass_, *password_;
  QLineEdit *comment_, *name_, *author_, *major_, *minor_, *release_, *build_;
  QComboBox* printer_;
  std::string newPassword_;
  bool passwordSet_ = false;
};

}  // namespace vl
