#pragma once
// The highlight dialog ("Conditional highlightning"): the condition of a text
// object's highlight, the font colour and style and the background while it
// holds; and the designer command that applies it to the selected memos.

#include <QDialog>
#include <functional>
#include <string>

#include "platform/graphics_types.h"

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace vl {

class TvlComboEdit;
class TvlDesignerForm;
class TvlReport;
class TvlView;

class TvlHilightForm : public QDialog {
 public:
  // The condition's button opens the expression builder on the report.
  explicit TvlHilightForm(TvlReport& report, QWidget* parent = nullptr);

  // What the caller sets before showing and reads after OK.
  std::string Condition() const;
  void SetCondition(const std::string& text);
  TvlColor FontColor = clBlack;
  TvlColor FillColor = clNone;  // none: transparent

  TvlComboEdit* ConditionEdit;
  QPushButton* FontColorBtn;
  QPushButton* FillColorBtn;
  QCheckBox* BoldCB;
  QCheckBox* ItalicCB;
  QCheckBox* UnderlineCB;
  QRadioButton* TransparentRB;
  QRadioButton* OtherRB;

  // The colour dialog; tests answer it. False when cancelled.
  std::function<bool(QWidget* owner, TvlColor& color)> ChooseColor;

  // The background colour button is usable only with "Other"; "Transparent"
  // makes the background none.
  void RadioRule();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void UpdateSwatches();
};

// The highlight command: the dialog on the topmost selected memo (or the
// given one); on OK every selected memo takes the condition, colours and
// style, in one undo step. True when something changed.
bool vlEditHighlight(TvlDesignerForm& form, TvlView* view);

}  // namespace vl
