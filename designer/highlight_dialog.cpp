#include "designer/highlight_dialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "controls/combo_edit.h"
#include "designer/design_surface.h"
#include "designer/designer_form.h"
#include "designer/designer_text.h"
#include "designer/expr_form.h"
#include "designer/format_commands.h"
#include "designer/format_glyphs.h"
#include "designer/ok_cancel_buttons.h"
#include "engine/model/memo_view.h"
#include "engine/model/views.h"
#include "platform/qt/qt_canvas.h"

namespace vl {

TvlHilightForm::TvlHilightForm(TvlReport& report, QWidget* parent) : QDialog(parent) {
  setWindowTitle(vlStr(53520));
  auto* condition = new QGroupBox(vlStr(53521), this);
  ConditionEdit = new TvlComboEdit(condition);
  ConditionEdit->setObjectName(QStringLiteral("ConditionEdit"));
  vlMakeExpressionBox(ConditionEdit, report, true);
  (new QVBoxLayout(condition))->addWidget(ConditionEdit);

  auto* font = new QGroupBox(vlStr(53522), this);
  FontColorBtn = new QPushButton(vlStr(53523), font);
  FontColorBtn->setObjectName(QStringLiteral("FontColorBtn"));
  BoldCB = new QCheckBox(vlStr(53524), font);
  BoldCB->setObjectName(QStringLiteral("BoldCB"));
  ItalicCB = new QCheckBox(vlStr(53525), font);
  ItalicCB->setObjectName(QStringLiteral("ItalicCB"));
  UnderlineCB = new QCheckBox(vlStr(53526), font);
  UnderlineCB->setObjectName(QStringLiteral("UnderlineCB"));
  auto* fontLayout = new QVBoxLayout(font);
  fontLayout->addWidget(FontColorBtn);
  fontLayout->addWidget(BoldCB);
  fontLayout->addWidget(ItalicCB);
  fontLayout->addWidget(UnderlineCB);

  auto* background = new QGroupBox(vlStr(53527), this);
  FillColorBtn = new QPushButton(vlStr(53528), background);
  FillColorBtn->setObjectName(QStringLiteral("FillColorBtn"));
  TransparentRB = new QRadioButton(vlStr(53529), background);
  TransparentRB->setObjectName(QStringLiteral("TransparentRB"));
  OtherRB = new QRadioButton(vlStr(53530), background);
  OtherRB->setObjectName(QStringLiteral("OtherRB"));
  auto* backgroundLayout = new QVBoxLayout(background);
  backgroundLayout->addWidget(FillColorBtn);
  backgroundLayout->addWidget(TransparentRB);
  backgroundLayout->addWidget(OtherRB);
  backgroundLayout->addStretch(1);

  ChooseColor = [](QWidget* owner, TvlColor& color) {
    QColorDialog dialog(vlQtColor(color == clNone ? clWhite : color), owner);
    if (dialog.exec() != QDialog::Accepted) return false;
    const QColor c = dialog.selectedColor();
    color = vlRGB(static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
                  static_cast<std::uint8_t>(c.blue()));
    return true;
  };
  connect(FontColorBtn, &QPushButton::clicked, this, [this] {
    if (ChooseColor(this, FontColor)) UpdateSwatches();
  });
  connect(FillColorBtn, &QPushButton::clicked, this, [this] {
    if (ChooseColor(this, FillColor)) UpdateSwatches();
  });
  connect(TransparentRB, &QRadioButton::clicked, this, [this] { RadioRule(); });
  connect(OtherRB, &QRadioButton::clicked, this, [this] { RadioRule(); });

  auto* groups = new QHBoxLayout;
  groups->addWidget(font);
  groups->addWidget(background);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(condition);
  layout->addLayout(groups);
  layout->addWidget(vlOkCancelButtons(this));
  setFixedSize(340, 270);
}

std::string TvlHilightForm::Condition() const { return vlFromQt(ConditionEdit->Text()); }
void TvlHilightForm::SetCondition(const std::string& text) { ConditionEdit->SetText(vlToQt(text)); }

void TvlHilightForm::UpdateSwatches() {
  FontColorBtn->setIcon(QIcon(QPixmap::fromImage(vlSwatchGlyph(vlFormatGlyph(TvlFormatGlyph::FontColor), FontColor))));
  FillColorBtn->setIcon(QIcon(QPixmap::fromImage(vlSwatchGlyph(vlFormatGlyph(TvlFormatGlyph::FillColor), FillColor))));
}

void TvlHilightForm::RadioRule() {
  FillColorBtn->setEnabled(OtherRB->isChecked());
  if (TransparentRB->isChecked()) FillColor = clNone;
  UpdateSwatches();
}

void TvlHilightForm::showEvent(QShowEvent* event) {
  UpdateSwatches();
  (FillColor == clNone ? TransparentRB : OtherRB)->setChecked(true);
  RadioRule();
  QDialog::showEvent(event);
}

bool vlEditHighlight(TvlDesignerForm& form, TvlView* view) {
  TvlMemoView* source = vlEditedMemo(form, view);
  if (!source) return false;
  TvlHilightForm dialog(form.Report, &form);
  dialog.SetCondition(source->HighlightCondition);
  dialog.FontColor = source->HighlightFontColor;
  dialog.FillColor = source->HighlightFillColor;
  dialog.BoldCB->setChecked(source->HighlightStyle & fsBold);
  dialog.ItalicCB->setChecked(source->HighlightStyle & fsItalic);
  dialog.UnderlineCB->setChecked(source->HighlightStyle & fsUnderline);
  if (dialog.exec() != QDialog::Accepted) return false;
  form.RecordUndo(ukEdit);
  const std::int32_t style = (dialog.BoldCB->isChecked() ? fsBold : 0) | (dialog.ItalicCB->isChecked() ? fsItalic : 0) |
                             (dialog.UnderlineCB->isChecked() ? fsUnderline : 0);
  for (TvlView* v : form.Selection()) {
    if (v->Typ != otMemo || (v->Restrictions & rsDontModify)) continue;
    auto& memo = static_cast<TvlMemoView&>(*v);
    memo.HighlightCondition = dialog.Condition();
    memo.HighlightFontColor = dialog.FontColor;
    memo.HighlightFillColor = dialog.FillColor;
    memo.HighlightStyle = style;
  }
  form.RedrawPage();
  form.SelectionChanged();
  return true;
}

}  // namespace vl
