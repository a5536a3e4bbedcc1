#include "viewer/feed_calibration_form.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "engine/core/string_table.h"
#include "engine/output/feed_test_page.h"
#include "engine/printer/printer.h"
#include "platform/qt/qt_text.h"

namespace vl {
namespace {

QString Text(int id) { return vlToQt(vlLoadStr(id)); }

QDoubleSpinBox* MillimetreBox(QWidget* parent, std::int32_t tenths) {
  auto* box = new QDoubleSpinBox(parent);
  const double limit = TvlFeedCalibration::kMaxShiftTenths / 10.0;
  box->setRange(-limit, limit);
  box->setDecimals(1);
  box->setSingleStep(0.5);
  box->setValue(tenths / 10.0);
  return box;
}

std::int32_t Tenths(const QDoubleSpinBox* box) { return static_cast<std::int32_t>(std::lround(box->value() * 10)); }

}  // namespace

TvlFeedCalibrationForm::TvlFeedCalibrationForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      printer_(vlPrinter().SelectedName()) {
  setWindowTitle(Text(str::kFeedCalibration) + QStringLiteral(" - ") + vlToQt(printer_));
  const TvlFeedCalibration stored = vlReadFeedCalibration(printer_);

  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  right_ = MillimetreBox(this, stored.ShiftXTenths);
  down_ = MillimetreBox(this, stored.ShiftYTenths);
  form->addRow(Text(str::kFeedShiftRight), right_);
  form->addRow(Text(str::kFeedShiftDown), down_);
  layout->addLayout(form);
  turned_ = new QCheckBox(Text(str::kFeedTurned), this);
  turned_->setChecked(stored.Turned);
  layout->addWidget(turned_);
  auto* hint = new QLabel(Text(str::kFeedHint), this);
  hint->setWordWrap(true);
  hint->setMinimumWidth(340);
  layout->addWidget(hint);

  auto* buttons = new QDialogButtonBox(this);
  testPage_ = buttons->addButton(Text(str::kFeedPrintTestPage), QDialogButtonBox::ActionRole);
  buttons->addButton(Text(str::kOk), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(Text(str::kCancel), QDialogButtonBox::RejectRole);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &TvlFeedCalibrationForm::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TvlFeedCalibrationForm::reject);
  connect(testPage_, &QPushButton::clicked, this, [this] { vlPrintFeedTestPage(Calibration()); });
  testPage_->setEnabled(!vlPrinter().IsVirtual());
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

TvlFeedCalibration TvlFeedCalibrationForm::Calibration() const {
  return {Tenths(right_), Tenths(down_), turned_->isChecked()};
}

void TvlFeedCalibrationForm::accept() {
  vlWriteFeedCalibration(printer_, Calibration());
  QDialog::accept();
}

bool vlFeedCalibrationDialog(QWidget* parent) {
  if (vlPrinter().IsVirtual()) return false;
  TvlFeedCalibrationForm form(parent);
  return form.exec() == QDialog::Accepted;
}

}  // namespace vl
