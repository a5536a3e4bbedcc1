#include "designer/object_attr_forms.h"

#include <QDialogButtonBox>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "controls/combo_edit.h"
#include "designer/designer_text.h"
#include "designer/dict_glyphs.h"
#include "designer/ok_cancel_buttons.h"

namespace vl {

TvlAttrEditorForm::TvlAttrEditorForm(const std::string& tag, std::function<bool(std::string&)> buildExpression,
                                     QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(vlStr(53740));
  auto* layout = new QVBoxLayout(this);
  edit_ = new TvlComboEdit(this);
  edit_->setObjectName(QStringLiteral("Edit1"));
  edit_->setFixedWidth(300);
  edit_->SetGlyph(vlDictIconImage(TvlDictIcon::Ellipsis));
  edit_->SetButtonHint(vlStr(53575));
  edit_->SetText(vlToQt(tag));
  // The builder starts empty; its result goes in at the caret.
  edit_->OnButtonClick = [this, buildExpression] {
    std::string expression;
    if (buildExpression && buildExpression(expression)) edit_->Edit()->insert(vlToQt(expression));
  };
  layout->addWidget(edit_);
  layout->addWidget(vlOkCancelButtons(this));
  vlFixDialogSize(this);
}

std::string TvlAttrEditorForm::Tag() const { return vlFromQt(edit_->Text()); }

TvlRestrictionsForm::TvlRestrictionsForm(std::uint8_t restrictions, QWidget* parent) : QDialog(parent) {
  setWindowTitle(vlStr(53260));
  auto* layout = new QVBoxLayout(this);
  auto* group = new QGroupBox(this);
  auto* column = new QVBoxLayout(group);
  for (int i = 0; i < 7; ++i) {
    boxes_[i] = new QCheckBox(vlStr(53261 + i), group);
    boxes_[i]->setObjectName(i == 2 ? QStringLiteral("Cb3") : QStringLiteral("CB%1").arg(i + 1));
    boxes_[i]->setChecked(restrictions & (1u << i));
    column->addWidget(boxes_[i]);
  }
  layout->addWidget(group);
  layout->addWidget(vlOkCancelButtons(this));
  vlFixDialogSize(this);
}

std::uint8_t TvlRestrictionsForm::Restrictions() const {
  std::uint8_t bits = 0;
  for (int i = 0; i < 7; ++i)
    if (boxes_[i]->isChecked()) bits = static_cast<std::uint8_t>(bits | (1u << i));
  return bits;
}

}  // namespace vl
