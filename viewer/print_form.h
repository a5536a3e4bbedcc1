#pragma once
// The print dialog: printer, page range, copies with collation, and odd or
// even pages. Choosing a printer selects it in the printer model at once;
// leaving without OK selects the printer that was current when the dialog
// opened again. OK is refused with a message while the range text cannot be
// read, so the dialog never hands on a wrong page list.

#include <QDialog>

#include "engine/output/print_request.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace vl {

class TvlPrintForm : public QDialog {
 public:
  explicit TvlPrintForm(QWidget* parent = nullptr);

  // The dialog's controls start from request (copies, collation, range, odd/even).
  void SetRequest(const TvlPrintRequest& request);
  TvlPrintRequest Request() const;

  // Leaving without OK restores the printer.
  void done(int result) override;
  void accept() override;

  // The controls, named as the dialog's description names them.
  QGroupBox* GroupBox1() const { return groupBox1_; }
  QLabel* Label4() const { return label4_; }
  QComboBox* CB1() const { return cb1_; }
  QPushButton* PropButton() const { return propButton_; }
  QGroupBox* GroupBox2() const { return groupBox2_; }
  QRadioButton* RB1() const { return rb1_; }
  QRadioButton* RB2() const { return rb2_; }
  QRadioButton* RB3() const { return rb3_; }
  QLineEdit* E2() const { return e2_; }
  QLabel* Label2() const { return label2_; }
  QGroupBox* GroupBox3() const { return groupBox3_; }
  QLabel* Label1() const { return label1_; }
  QSpinBox* E1() const { return e1_; }
  QCheckBox* CollateCB() const { return collateCB_; }
  QLabel* Label3() const { return label3_; }
  QWidget* PB1() const { return pb1_; }
  QLabel* Label5() const { return label5_; }
  QComboBox* CB2() const { return cb2_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }
  // The printer group's context menu entry that opens the feed calibration.
  QAction* FeedCalibrationAction() const { return feedAction_; }

 private:
  void FillPrinters();
  void RestorePrinter();

  QGroupBox* groupBox1_;
  QLabel* label4_;
  QComboBox* cb1_;
  QPushButton* propButton_;
  QGroupBox* groupBox2_;
  QRadioButton* rb1_;
  QRadioButton* rb2_;
  QRadioButton* rb3_;
  QLineEdit* e2_;
  QLabel* label2_;
  QGroupBox* groupBox3_;
  QLabel* label1_;
  QSpinBox* e1_;
  QCheckBox* collateCB_;
  QLabel* label3_;
  QWidget* pb1_;
  QLabel* label5_;
  QComboBox* cb2_;
  QPushButton* ok_;
  QPushButton* cancel_;
  QAction* feedAction_;

  int oldModelIndex_ = -1;     // the printer model's selection on opening
  int oldPlatformIndex_ = -1;  // the platform's current printer on opening
};

}  // namespace vl
