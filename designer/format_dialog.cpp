#include "designer/format_dialog.h"

#include <QDialogButtonBox>
#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "designer/designer_text.h"
#include "designer/ok_cancel_buttons.h"
#include "engine/core/display_format.h"

namespace vl {

namespace {

constexpr int kFirstCategoryName = 55130;  // "Text" ... "Boolean"
constexpr int kFirstKindName = 55150;      // five per category: samples of its kinds

int CurrentKind(const QListWidget* list) {
  const QListWidgetItem* item = list->currentItem();
  return item ? item->data(Qt::UserRole).toInt() : 0;
}

}  // namespace

TvlFmtForm::TvlFmtForm(std::int32_t code, const std::string& formatText, QWidget* parent)
    : QDialog(parent), code_(code), text_(formatText) {
  setWindowTitle(vlStr(53420));
  auto* layout = new QVBoxLayout(this);
  auto* box = new QGroupBox(this);
  auto* grid = new QGridLayout(box);
  cat_ = new QListWidget(box);
  cat_->setObjectName(QStringLiteral("CatLB"));
  type_ = new QListWidget(box);
  type_->setObjectName(QStringLiteral("TypeLB"));
  for (QListWidget* list : {cat_, type_}) list->setFixedSize(140, 96);
  grid->addWidget(new QLabel(vlStr(57304), box), 0, 0);
  grid->addWidget(new QLabel(vlStr(57305), box), 0, 1);
  grid->addWidget(cat_, 1, 0);
  grid->addWidget(type_, 1, 1);
  decLabel_ = new QLabel(vlStr(53422), box);
  splLabel_ = new QLabel(vlStr(53423), box);
  formatLabel_ = new QLabel(vlStr(53424), box);
  dec_ = new QLineEdit(box);
  dec_->setObjectName(QStringLiteral("DecEdit"));
  dec_->setMaxLength(3);
  spl_ = new QLineEdit(box);
  spl_->setObjectName(QStringLiteral("SplEdit"));
  spl_->setMaxLength(1);
  format_ = new QLineEdit(box);
  format_->setObjectName(QStringLiteral("FormatEdit"));
  decLabel_->setBuddy(dec_);
  splLabel_->setBuddy(spl_);
  formatLabel_->setBuddy(format_);
  auto* numbers = new QGridLayout;
  numbers->addWidget(decLabel_, 0, 0);
  numbers->addWidget(dec_, 0, 1);
  numbers->addWidget(splLabel_, 0, 2);
  numbers->addWidget(spl_, 0, 3);
  dec_->setFixedWidth(40);
  spl_->setFixedWidth(24);
  grid->addLayout(numbers, 2, 0, 1, 2);
  grid->addWidget(formatLabel_, 3, 0, 1, 2);
  grid->addWidget(format_, 4, 0, 1, 2);
  layout->addWidget(box);
  layout->addWidget(vlOkCancelButtons(this));

  // Entering the separator box selects its one character, so typing replaces it.
  // (The box, not the dialog, is captured: focus moves while the dialog is
  // being destroyed.)
  QLineEdit* separator = spl_;
  QObject::connect(qApp, &QApplication::focusChanged, separator, [separator](QWidget*, QWidget* now) {
    if (now == separator) QTimer::singleShot(0, separator, [separator] { separator->selectAll(); });
  });

  // Disabled until the first update fills what the format enables.
  for (QWidget* w : {static_cast<QWidget*>(dec_), static_cast<QWidget*>(spl_), static_cast<QWidget*>(format_)})
    w->setEnabled(false);
  for (int c = 0; c <= fcBoolean; ++c) cat_->addItem(vlStr(kFirstCategoryName + c));
  cat_->setCurrentRow(std::clamp(vlFormatCategoryOf(code), 0, static_cast<int>(fcBoolean)));
  FillKinds();
  const int kind = vlFormatKindOf(code);
  for (int row = 0; row < type_->count(); ++row)
    if (type_->item(row)->data(Qt::UserRole).toInt() == kind) type_->setCurrentRow(row);
  UpdateControls();
  connect(cat_, &QListWidget::currentRowChanged, this, [this] {
    FillKinds();
    UpdateControls();
  });
  connect(type_, &QListWidget::currentRowChanged, this, [this] { UpdateControls(); });
  vlFixDialogSize(this);
}

void TvlFmtForm::FillKinds() {
  const QSignalBlocker block(type_);
  type_->clear();
  const int category = cat_->currentRow();
  for (int i = 0; i < 5; ++i) {
    const int id = kFirstKindName + 5 * category + i;
    if (!vlHasStr(id)) continue;
    auto* item = new QListWidgetItem(vlStr(id), type_);
    item->setData(Qt::UserRole, i);
  }
  type_->setCurrentRow(0);
}

void TvlFmtForm::UpdateControls() {
  const bool number = cat_->currentRow() == fcNumber;
  // Typed digits and separators stay while the boxes stay enabled.
  if (number && !dec_->isEnabled()) {
    dec_->setText(QString::number(vlFormatDecimalsOf(code_)));
    const char separator = vlFormatSeparatorOf(code_);
    spl_->setText(separator ? vlToQt(std::string(1, separator)) : QString());
  } else if (!number) {
    dec_->clear();
    spl_->clear();
  }
  for (QWidget* w : {static_cast<QWidget*>(decLabel_), static_cast<QWidget*>(dec_), static_cast<QWidget*>(splLabel_),
                     static_cast<QWidget*>(spl_)})
    w->setEnabled(number);
  const bool custom = CurrentKind(type_) == kFormatKindText;
  if (custom && !format_->isEnabled())
    format_->setText(vlToQt(text_));
  else if (!custom)
    format_->clear();
  formatLabel_->setEnabled(custom);
  format_->setEnabled(custom);
}

std::int32_t TvlFmtForm::Code() const {
  bool ok = false;
  const int decimals = std::clamp(dec_->text().trimmed().toInt(&ok), 0, 255);
  const std::string separator = vlFromQt(spl_->text());
  return vlMakeFormat(std::max(0, cat_->currentRow()), CurrentKind(type_), ok ? decimals : 0,
                      separator.empty() ? ',' : separator[0]);
}

std::string TvlFmtForm::FormatText() const { return format_->isEnabled() ? vlFromQt(format_->text()) : text_; }

}  // namespace vl
