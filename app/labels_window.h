#pragma once
// The launcher's "Address labels…" window: the sheet (drawn small), the
// layout, the label to start at, and what the labels print: the address
// list in force, or the remembered sender for return-address labels.
// "Preview" ends it with the choice, which is remembered for next time.

#include <QDialog>
#include <vector>

#include "engine/labels/label_sheet.h"
#include "engine/labels/label_template.h"

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace vl {

class TSheetPicture;

struct TLabelChoice {
  std::string Sheet;  // the sheet's name
  TvlLabelLayout Layout = TvlLabelLayout::Recipient;
  int Start = 1;
};

// The choice last confirmed, under "Software\Vellora\Labels".
TLabelChoice vlLoadLabelChoice();
void vlRememberLabelChoice(const TLabelChoice& choice);

class TLabelsWindow : public QDialog {
 public:
  // list: the address list in force as the launcher's caption names it
  // (empty for none); sender: the remembered sender's address (empty for none).
  TLabelsWindow(std::vector<TvlLabelSheet> sheets, const TLabelChoice& start, const QString& list,
                const QString& sender, QWidget* parent = nullptr);

  TLabelChoice Choice() const;
  const TvlLabelSheet* Sheet() const;

  QComboBox* SheetBox = nullptr;
  QPushButton* OwnSheetButton = nullptr;
  TSheetPicture* Picture = nullptr;
  QComboBox* LayoutBox = nullptr;
  QSpinBox* StartBox = nullptr;
  QLabel* SourceText = nullptr;
  QPushButton* PreviewButton = nullptr;

 private:
  void Update();
  void AddOwnSheet();

  std::vector<TvlLabelSheet> sheets_;
  QString list_, sender_;
};

}  // namespace vl
