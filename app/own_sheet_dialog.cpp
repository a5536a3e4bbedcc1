#include "app/own_sheet_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include "engine/labels/sheet_catalogue.h"
#include "platform/platform.h"
#include "platform/qt/qt_language.h"
#include "platform/qt/qt_text.h"

namespace vl {
namespace {

QDoubleSpinBox* Millimetres(double value) {
  auto* box = new QDoubleSpinBox;
  box->setRange(0, 500);
  box->setDecimals(2);
  box->setSuffix(QStringLiteral(" mm"));
  box->setValue(value);
  return box;
}

QSpinBox* Count(int value) {
  auto* box = new QSpinBox;
  box->setRange(1, 60);
  box->setValue(value);
  return box;
}

}  // namespace

TOwnSheetDialog::TOwnSheetDialog(const TvlLabelSheet& start, QWidget* parent) : QDialog(parent) {
  setWindowTitle(vlQTr("Own label sheet"));
  auto* form = new QFormLayout;
  Name = new QLineEdit(vlToQt(start.Name));
  Name->setMaxLength(80);
  Paper = new QComboBox;
  Paper->addItems({QStringLiteral("A4"), QStringLiteral("Letter"), QStringLiteral("A5"), QStringLiteral("Legal")});
  Paper->setCurrentText(QString::fromStdString(start.Paper));
  form->addRow(vlQTr("Name:"), Name);
  form->addRow(vlQTr("Paper:"), Paper);
  form->addRow(vlQTr("Label width:"), LabelWidth = Millimetres(start.LabelWidth));
  form->addRow(vlQTr("Label height:"), LabelHeight = Millimetres(start.LabelHeight));
  form->addRow(vlQTr("Columns:"), Columns = Count(start.Columns));
  form->addRow(vlQTr("Rows:"), Rows = Count(start.Rows));
  form->addRow(vlQTr("Top margin:"), TopMargin = Millimetres(start.TopMargin));
  form->addRow(vlQTr("Left margin:"), LeftMargin = Millimetres(start.LeftMargin));
  form->addRow(vlQTr("Horizontal pitch:"), PitchX = Millimetres(start.PitchX));
  form->addRow(vlQTr("Vertical pitch:"), PitchY = Millimetres(start.PitchY));
  form->addRow(vlQTr("Corner radius:"), CornerRadius = Millimetres(start.CornerRadius));
  Problem = new QLabel;
  Problem->setWordWrap(true);
  Problem->setStyleSheet(QStringLiteral("color: #b00000"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] {
    if (Keep()) accept();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(Problem);
  layout->addWidget(buttons);
}

TvlLabelSheet TOwnSheetDialog::Sheet() const {
  TvlLabelSheet s;
  s.Name = vlFromQt(Name->text().trimmed());
  s.Paper = Paper->currentText().toStdString();
  s.LabelWidth = LabelWidth->value();
  s.LabelHeight = LabelHeight->value();
  s.Columns = Columns->value();
  s.Rows = Rows->value();
  s.TopMargin = TopMargin->value();
  s.LeftMargin = LeftMargin->value();
  s.PitchX = PitchX->value();
  s.PitchY = PitchY->value();
  s.CornerRadius = CornerRadius->value();
  return s;
}

bool TOwnSheetDialog::Keep() {
  const std::string problem = vlRememberUserSheet(*vlPlatform().Settings, Sheet());
  Problem->setText(vlToQt(problem));
  return problem.empty();
}

}  // namespace vl
