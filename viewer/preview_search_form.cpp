#include "viewer/preview_search_form.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "engine/core/string_table.h"
#include "platform/qt/qt_text.h"

namespace vl {

namespace {
QString Text(int id) { return vlToQt(vlLoadStr(id)); }
}  // namespace

TvlPreviewSearchForm::TvlPreviewSearchForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TvlPreviewSearchForm"));
  setWindowTitle(Text(str::kFindCaption));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(262, 158);

  label1_ = new QLabel(Text(str::kTextToFind), this);
  label1_->setGeometry(8, 10, 246, 16);
  edit1_ = new QLineEdit(this);
  edit1_->setGeometry(8, 28, 246, 22);
  label1_->setBuddy(edit1_);

  groupBox1_ = new QGroupBox(Text(str::kTextToFind + 1), this);
  groupBox1_->setGeometry(8, 56, 120, 60);
  cb1_ = new QCheckBox(Text(str::kTextToFind + 2), groupBox1_);
  cb1_->setGeometry(8, 24, 108, 20);

  groupBox2_ = new QGroupBox(Text(str::kTextToFind + 3), this);
  groupBox2_->setGeometry(134, 56, 120, 60);
  rb1_ = new QRadioButton(Text(str::kTextToFind + 4), groupBox2_);
  rb1_->setGeometry(8, 18, 108, 20);
  rb1_->setChecked(true);
  rb2_ = new QRadioButton(Text(str::kTextToFind + 5), groupBox2_);
  rb2_->setGeometry(8, 36, 108, 20);

  ok_ = new QPushButton(Text(str::kOk), this);
  ok_->setGeometry(98, 124, 75, 25);
  ok_->setDefault(true);
  cancel_ = new QPushButton(Text(str::kCancel), this);
  cancel_->setGeometry(179, 124, 75, 25);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  edit1_->setFocus();
}

}  // namespace vl
