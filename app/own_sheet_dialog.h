#pragma once
// A label sheet of the user's own, from the numbers on its packet: the
// sheet is checked when OK is pressed (labels that overflow the paper are
// refused, the message naming what overflows, and the dialog stays open)
// and kept in the settings store with the user's other sheets.

#include <QDialog>

#include "engine/labels/label_sheet.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace vl {

class TOwnSheetDialog : public QDialog {
 public:
  // start: the numbers the fields begin with (a catalogued sheet, say).
  explicit TOwnSheetDialog(const TvlLabelSheet& start, QWidget* parent = nullptr);
  // The sheet as the fields give it.
  TvlLabelSheet Sheet() const;
  // Checks and keeps the sheet; false, with the reason shown, when it
  // cannot print. OK calls it.
  bool Keep();

  QLineEdit* Name = nullptr;
  QComboBox* Paper = nullptr;
  QDoubleSpinBox *LabelWidth = nullptr, *LabelHeight = nullptr, *TopMargin = nullptr, *LeftMargin = nullptr,
                 *PitchX = nullptr, *PitchY = nullptr, *CornerRadius = nullptr;
  QSpinBox *Columns = nullptr, *Rows = nullptr;
  QLabel* Problem = nullptr;
};

}  // namespace vl
