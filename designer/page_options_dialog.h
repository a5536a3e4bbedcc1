#pragma once
// The page options dialog: paper (from the printer model's list, a custom
// size in millimetres, orientation), margins, columns and the page flags,
// and the paper source. Values in millimetres convert at 18 design pixels
// to 5 mm.

#include <QDialog>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTabWidget;

namespace vl {

class TvlPage;

// Design pixels as millimetres for the dialog's boxes (4 significant digits).
QString vlMmText(double pixels);
// A number typed with a comma or a point; false when it is none.
bool vlReadMm(const QString& text, double& value);

class TvlPgoptForm : public QDialog {
 public:
  // unlimitedHeight: the designer's option, shown on the "Other" tab and
  // given back by UnlimitedHeight().
  TvlPgoptForm(TvlPage& page, bool unlimitedHeight, QWidget* parent = nullptr);

  // Writes the dialog's values to the page and re-applies its paper.
  // False (nothing stored, the error shown) when the column count is no
  // integer.
  bool Apply();
  bool UnlimitedHeight() const;

  QTabWidget* Tabs() const { return tabs_; }
  QComboBox* PaperList() const { return paper_; }
  QComboBox* BinList() const { return bin_; }

 protected:
  void done(int result) override;

 private:
  void PaperChanged();
  void OrientationChanged();

  TvlPage& page_;
  QTabWidget* tabs_;
  QComboBox* paper_;
  QComboBox* bin_;
  QLabel* widthLabel_;
  QLabel* heightLabel_;
  QLineEdit* width_;
  QLineEdit* height_;
  QRadioButton* portrait_;
  QRadioButton* landscape_;
  QLabel* orientationPicture_;
  QLineEdit* margins_[4];
  QLineEdit* gap_;
  QLineEdit* columns_;
  QCheckBox* stretch_;
  QCheckBox* previous_;
  QCheckBox* unlimited_;
};

}  // namespace vl
