#pragma once
// The small dialog that sets a printer's feed calibration: the shift right
// and down in millimetres and the half turn, with a test page printed with
// the values being set. OK stores them under the printer's name; Cancel
// leaves the stored calibration as it was. Reached from the print dialog's
// printer group (context menu).

#include <QDialog>
#include <string>

#include "engine/output/feed_calibration.h"

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;

namespace vl {

class TvlFeedCalibrationForm : public QDialog {
 public:
  // For the printer model's selected printer.
  explicit TvlFeedCalibrationForm(QWidget* parent = nullptr);

  TvlFeedCalibration Calibration() const;
  void accept() override;

  QDoubleSpinBox* ShiftRight() const { return right_; }
  QDoubleSpinBox* ShiftDown() const { return down_; }
  QCheckBox* Turned() const { return turned_; }
  QPushButton* TestPageButton() const { return testPage_; }

 private:
  std::string printer_;
  QDoubleSpinBox* right_;
  QDoubleSpinBox* down_;
  QCheckBox* turned_;
  QPushButton* testPage_;
};

// Shows the dialog for the selected printer; true when it was stored.
bool vlFeedCalibrationDialog(QWidget* parent);

}  // namespace vl
