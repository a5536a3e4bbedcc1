#include "designer/band_editor_forms.h"

#include <QDialogButtonBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "controls/combo_edit.h"
#include "designer/field_resolver_guard.h"
#include "designer/designer_text.h"
#include "designer/dict_glyphs.h"
#include "designer/ok_cancel_buttons.h"
#include "engine/core/text.h"
#include "engine/model/band_kinds.h"
#include "engine/model/band_view.h"
#include "engine/model/page.h"
#include "engine/model/report.h"

namespace vl {

namespace {

constexpr int kNoneText = 55076;     // "[None]"
constexpr int kVirtualText = 55333;  // "Virtual Dataset"

bool IsCount(const std::string& source) { return !source.empty() && source[0] >= '1' && source[0] <= '9'; }

}  // namespace

// ---- The dataset box ----

QHBoxLayout* TvlDataSourceBox::Attach(QWidget* owner, QComboBox* combo, QListWidget* list) {
  combo_ = combo;
  list_ = list;
  auto* row = new QHBoxLayout;
  countLabel_ = new QLabel(vlStr(53482), owner);
  count_ = new QLineEdit(owner);
  count_->setObjectName(QStringLiteral("Edit1"));
  count_->setFixedWidth(60);
  countLabel_->setBuddy(count_);
  row->addWidget(countLabel_);
  row->addWidget(count_);
  row->addStretch();
  const QIcon icon = vlDictIconSet(TvlDictIcon::BandSource);
  auto add = [this](const QIcon& i, const QString& text) {
    if (combo_) combo_->addItem(i, text);
    else new QListWidgetItem(i, text, list_);
  };
  add(QIcon(), vlStr(kNoneText));
  add(icon, vlStr(kVirtualText));
  TvlDesignFields fields(report_);
  for (const std::string& name : report_.Dictionary.GetBandDataSourceList()) add(icon, vlToQt(name));
  if (combo_) QObject::connect(combo_, &QComboBox::currentIndexChanged, combo_, [this] { UpdateCount(); });
  else QObject::connect(list_, &QListWidget::currentRowChanged, list_, [this] { UpdateCount(); });
  return row;
}

int TvlDataSourceBox::Current() const { return combo_ ? combo_->currentIndex() : list_->currentRow(); }

QString TvlDataSourceBox::Text(int index) const {
  return combo_ ? combo_->itemText(index) : list_->item(index)->text();
}

int TvlDataSourceBox::Count() const { return combo_ ? combo_->count() : list_->count(); }

void TvlDataSourceBox::Show(const std::string& source) {
  count_->clear();
  int index = 0;
  if (IsCount(source)) {
    index = 1;
    count_->setText(vlToQt(source));
  } else if (!source.empty()) {
    // The entry whose dataset is the source, under its display name.
    for (int i = 2; i < Count(); ++i)
      if (vlSameText(report_.Dictionary.RealBandDataSourceName(vlFromQt(Text(i))), source)) index = i;
  }
  if (combo_) combo_->setCurrentIndex(index);
  else list_->setCurrentRow(index);
  UpdateCount();
}

std::string TvlDataSourceBox::Value() const {
  const int index = Current();
  if (index == 1) return vlFromQt(count_->text().trimmed());
  if (index <= 0) return {};  // "[None]" is no dataset
  return report_.Dictionary.RealBandDataSourceName(vlFromQt(Text(index)));
}

void TvlDataSourceBox::UpdateCount() {
  const bool virtualSet = Current() == 1;
  countLabel_->setEnabled(virtualSet);
  count_->setEnabled(virtualSet);
}

// ---- Data band ----

TvlBandEditorForm::TvlBandEditorForm(TvlReport& report, const std::string& source, QWidget* parent)
    : QDialog(parent), box_(report) {
  setWindowTitle(vlStr(53480));
  auto* layout = new QVBoxLayout(this);
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("DatasetsLB"));
  list_->setFixedSize(240, 160);
  // A double click on a dataset confirms.
  connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  layout->addWidget(list_);
  layout->addLayout(box_.Attach(this, nullptr, list_));
  count_ = box_.CountEdit();
  layout->addWidget(vlOkCancelButtons(this));
  box_.Show(source);
  vlFixDialogSize(this);
}

// ---- Cross data band ----

std::string vlCrossBandValue(const std::string& source, const std::string& bandName) {
  const std::string text = vlUpperCase(source);
  const std::string key = vlUpperCase(bandName) + "=";
  // The name counts at the start of the text or of an entry.
  for (std::size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + 1)) {
    if (at != 0 && text[at - 1] != ';') continue;
    const std::size_t from = at + key.size();
    const std::size_t end = source.find(';', from);
    return source.substr(from, end == std::string::npos ? std::string::npos : end - from);
  }
  if (source.find(';') == std::string::npos) return source;
  return "0";
}

std::vector<std::string> TvlVBandEditorForm::BandNames(const TvlPage& page) {
  std::vector<std::string> names;
  for (const auto& v : page.Objects) {
    if (v->Typ != otBand) continue;
    if (vlBandKind(v->FrameTyp).TakesCrossDataset) names.push_back(v->Name);
  }
  return names;
}

TvlVBandEditorForm::TvlVBandEditorForm(TvlReport& report, const TvlPage& page, const std::string& source,
                                       QWidget* parent)
    : QDialog(parent), box_(report) {
  setWindowTitle(vlStr(53485));
  auto* layout = new QVBoxLayout(this);
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("BandsList"));
  list_->setFixedSize(260, 140);
  for (const auto& v : page.Objects) {
    if (v->Typ != otBand) continue;
    const std::vector<std::string> names = BandNames(page);
    if (std::find(names.begin(), names.end(), v->Name) == names.end()) continue;
    names_.push_back(v->Name);
    values_.push_back(vlCrossBandValue(source, v->Name));
    list_->addItem(vlToQt(v->Name + ": " + static_cast<const TvlBandView&>(*v).TypeName()));
  }
  combo_ = new QComboBox(this);
  combo_->setObjectName(QStringLiteral("DatasetsLB"));
  layout->addWidget(list_);
  layout->addWidget(combo_);
  layout->addLayout(box_.Attach(this, combo_, nullptr));
  count_ = box_.CountEdit();
  layout->addWidget(vlOkCancelButtons(this));
  // Leaving the combo box or the count stores the value of the band shown.
  connect(combo_, &QComboBox::activated, this, [this] { StoreRow(); });
  connect(count_, &QLineEdit::editingFinished, this, [this] { StoreRow(); });
  connect(list_, &QListWidget::currentRowChanged, this, [this](int current) {
    StoreRow();
    row_ = current;
    ShowRow();
  });
  list_->setCurrentRow(0);
  vlFixDialogSize(this);
}

void TvlVBandEditorForm::StoreRow() {
  if (row_ >= 0 && row_ < static_cast<int>(values_.size())) values_[static_cast<std::size_t>(row_)] = box_.Value();
}

void TvlVBandEditorForm::ShowRow() {
  if (row_ >= 0 && row_ < static_cast<int>(values_.size())) box_.Show(values_[static_cast<std::size_t>(row_)]);
}

std::string TvlVBandEditorForm::Source() {
  StoreRow();
  std::string text;
  for (std::size_t i = 0; i < names_.size(); ++i) text += names_[i] + "=" + values_[i] + ";";
  return text;
}

// ---- Group header ----

TvlGroupEditorForm::TvlGroupEditorForm(const std::string& condition, std::function<std::string()> insertField,
                                       QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(vlStr(53490));
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(vlStr(53491), this);
  edit_ = new TvlComboEdit(this);
  edit_->setObjectName(QStringLiteral("Edit1"));
  edit_->setFixedWidth(280);
  edit_->SetText(vlToQt(condition));
  edit_->SetGlyph(vlDictIconImage(TvlDictIcon::Ellipsis));
  edit_->SetButtonHint(vlStr(53492));
  label->setBuddy(edit_->Edit());
  edit_->OnButtonClick = [this, insertField] {
    const std::string text = insertField ? insertField() : std::string();
    if (!text.empty()) edit_->SetText(vlToQt(text));
  };
  layout->addWidget(label);
  layout->addWidget(edit_);
  layout->addWidget(vlOkCancelButtons(this));
  vlFixDialogSize(this);
}

std::string TvlGroupEditorForm::Condition() const { return vlFromQt(edit_->Text()); }

}  // namespace vl
