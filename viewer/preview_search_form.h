#pragma once
// The preview's search dialog: the text, case sensitivity, and whether the
// search starts on the first page or the current one.

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vl {

class TvlPreviewSearchForm : public QDialog {
 public:
  explicit TvlPreviewSearchForm(QWidget* parent = nullptr);

  QLabel* Label1() const { return label1_; }
  QLineEdit* Edit1() const { return edit1_; }
  QGroupBox* GroupBox1() const { return groupBox1_; }
  QCheckBox* CB1() const { return cb1_; }
  QGroupBox* GroupBox2() const { return groupBox2_; }
  QRadioButton* RB1() const { return rb1_; }
  QRadioButton* RB2() const { return rb2_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

 private:
  QLabel* label1_;
  QLineEdit* edit1_;
  QGroupBox* groupBox1_;
  QCheckBox* cb1_;
  QGroupBox* groupBox2_;
  QRadioButton* rb1_;
  QRadioButton* rb2_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

}  // namespace vl
