#include "designer/page_options_dialog.h"

#include <QDialogButtonBox>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "designer/designer_restrictions.h"
#include "designer/designer_text.h"
#include "designer/ok_cancel_buttons.h"
#include "engine/model/page.h"
#include "engine/printer/paper_table.h"
#include "engine/printer/printer.h"
#include "platform/platform.h"
#include "engine/core/project_texts.h"

namespace vl {

namespace {

constexpr double kPixelsPerMm = 18.0 / 5.0;

// A sheet with a letter on it, upright or on its side.
QPixmap OrientationPicture(bool landscape) {
  QImage image(44, 44, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  const QRect sheet = landscape ? QRect(2, 9, 39, 27) : QRect(9, 2, 27, 39);
  p.setPen(Qt::black);
  p.setBrush(Qt::white);
  p.drawRect(sheet);
  QFont font = p.font();
  font.setPixelSize(20);
  font.setBold(true);
  p.setFont(font);
  p.setPen(QColor(0, 0, 128));
  p.drawText(sheet, Qt::AlignCenter, QStringLiteral("A"));
  p.end();
  return QPixmap::fromImage(image);
}

int RoundPixels(double mm) { return static_cast<int>(std::lround(mm * kPixelsPerMm)); }

}  // namespace

QString vlMmText(double pixels) {
  const double mm = pixels / kPixelsPerMm;
  return QString::number(std::round(mm * 100) / 100, 'g', 4);
}

bool vlReadMm(const QString& text, double& value) {
  QString t = text.trimmed();
  t.replace(QLatin1Char(','), QLatin1Char('.'));
  bool ok = false;
  value = t.toDouble(&ok);
  return ok && std::isfinite(value);
}

TvlPgoptForm::TvlPgoptForm(TvlPage& page, bool unlimitedHeight, QWidget* parent) : QDialog(parent), page_(page) {
  setWindowTitle(vlStr(53390));
  auto* layout = new QVBoxLayout(this);
  tabs_ = new QTabWidget(this);
  layout->addWidget(tabs_);
  layout->addWidget(vlOkCancelButtons(this));
  TvlPrinter& printer = vlPrinter();

  // Paper: the size and the orientation.
  auto* paperTab = new QWidget;
  auto* paperLayout = new QVBoxLayout(paperTab);
  auto* sizeBox = new QGroupBox(vlStr(57301), paperTab);
  auto* sizeGrid = new QGridLayout(sizeBox);
  paper_ = new QComboBox(sizeBox);
  paper_->setObjectName(QStringLiteral("ComB1"));
  for (const std::string& name : printer.PaperNameList) paper_->addItem(vlToQt(name));
  paper_->setMinimumWidth(200);
  paper_->view()->setMinimumWidth(200);
  widthLabel_ = new QLabel(vlStr(53396), sizeBox);
  heightLabel_ = new QLabel(vlStr(53397), sizeBox);
  width_ = new QLineEdit(sizeBox);
  width_->setObjectName(QStringLiteral("E1"));
  height_ = new QLineEdit(sizeBox);
  height_->setObjectName(QStringLiteral("E2"));
  widthLabel_->setBuddy(width_);
  heightLabel_->setBuddy(height_);
  sizeGrid->addWidget(paper_, 0, 0, 1, 2);
  sizeGrid->addWidget(widthLabel_, 1, 0);
  sizeGrid->addWidget(width_, 1, 1);
  sizeGrid->addWidget(heightLabel_, 2, 0);
  sizeGrid->addWidget(height_, 2, 1);
  auto* orientationBox = new QGroupBox(vlStr(57300), paperTab);
  auto* orientationGrid = new QGridLayout(orientationBox);
  portrait_ = new QRadioButton(vlStr(53393), orientationBox);
  portrait_->setObjectName(QStringLiteral("RB1"));
  landscape_ = new QRadioButton(vlStr(53394), orientationBox);
  landscape_->setObjectName(QStringLiteral("RB2"));
  orientationPicture_ = new QLabel(orientationBox);
  orientationPicture_->setFixedSize(44, 44);
  orientationGrid->addWidget(portrait_, 0, 0);
  orientationGrid->addWidget(landscape_, 1, 0);
  orientationGrid->addWidget(orientationPicture_, 0, 1, 2, 1);
  paperLayout->addWidget(sizeBox);
  paperLayout->addWidget(orientationBox);
  paperLayout->addStretch();
  tabs_->addTab(paperTab, vlStr(53391));

  // Margins and the stretch to the printable area.
  auto* marginsTab = new QWidget;
  auto* marginsLayout = new QVBoxLayout(marginsTab);
  auto* marginsBox = new QGroupBox(vlStr(53398), marginsTab);
  auto* marginsForm = new QFormLayout(marginsBox);
  const int marginValues[4] = {page.Margins.Left, page.Margins.Top, page.Margins.Right, page.Margins.Bottom};
  for (int i = 0; i < 4; ++i) {
    margins_[i] = new QLineEdit(vlMmText(marginValues[i]), marginsBox);
    margins_[i]->setObjectName(QStringLiteral("Margin%1").arg(i));
    marginsForm->addRow(vlStr(53400 + i), margins_[i]);
  }
  stretch_ = new QCheckBox(vlStr(53404), marginsTab);
  stretch_->setObjectName(QStringLiteral("CB5"));
  stretch_->setChecked(!page.UseMargins);
  marginsLayout->addWidget(marginsBox);
  marginsLayout->addWidget(stretch_);
  marginsLayout->addStretch();
  tabs_->addTab(marginsTab, vlStr(53398));

  // Other: columns and the page flags.
  auto* otherTab = new QWidget;
  auto* otherLayout = new QVBoxLayout(otherTab);
  auto* columnsBox = new QGroupBox(vlStr(57302), otherTab);
  auto* columnsGrid = new QGridLayout(columnsBox);
  columns_ = new QLineEdit(QString::number(page.Columns), columnsBox);
  columns_->setObjectName(QStringLiteral("E7"));
  auto* up = new QToolButton(columnsBox);
  up->setObjectName(QStringLiteral("ColumnsUp"));
  up->setArrowType(Qt::UpArrow);
  auto* down = new QToolButton(columnsBox);
  down->setObjectName(QStringLiteral("ColumnsDown"));
  down->setArrowType(Qt::DownArrow);
  // The spin buttons step the typed number; never below 0.
  auto step = [this](int by) {
    bool ok = false;
    const int n = columns_->text().trimmed().toInt(&ok);
    columns_->setText(QString::number(std::max(0, (ok ? n : 0) + by)));
  };
  connect(up, &QToolButton::clicked, this, [step] { step(1); });
  connect(down, &QToolButton::clicked, this, [step] { step(-1); });
  gap_ = new QLineEdit(vlMmText(page.ColumnGap), columnsBox);
  gap_->setObjectName(QStringLiteral("E8"));
  columnsGrid->addWidget(new QLabel(vlStr(53409), columnsBox), 0, 0);
  columnsGrid->addWidget(columns_, 0, 1);
  columnsGrid->addWidget(up, 0, 2);
  columnsGrid->addWidget(down, 0, 3);
  columnsGrid->addWidget(new QLabel(vlStr(53410), columnsBox), 1, 0);
  columnsGrid->addWidget(gap_, 1, 1);
  auto* optionsBox = new QGroupBox(vlStr(57303), otherTab);
  auto* optionsLayout = new QVBoxLayout(optionsBox);
  previous_ = new QCheckBox(vlStr(53407), optionsBox);
  previous_->setObjectName(QStringLiteral("CB1"));
  previous_->setChecked(page.PrintToPrevPage);
  unlimited_ = new QCheckBox(vlStr(53413), optionsBox);
  unlimited_->setObjectName(QStringLiteral("CB2"));
  unlimited_->setChecked(unlimitedHeight);
  optionsLayout->addWidget(previous_);
  optionsLayout->addWidget(unlimited_);
  otherLayout->addWidget(columnsBox);
  otherLayout->addWidget(optionsBox);
  otherLayout->addStretch();
  tabs_->addTab(otherTab, vlStr(53405));

  // Source: the paper bin.
  auto* sourceTab = new QWidget;
  auto* sourceLayout = new QVBoxLayout(sourceTab);
  sourceLayout->addWidget(new QLabel(vlStr(53412), sourceTab));
  bin_ = new QComboBox(sourceTab);
  bin_->setObjectName(QStringLiteral("ComB2"));
  for (const std::string& name : printer.BinNameList) bin_->addItem(vlToQt(name));
  bin_->setCurrentIndex(printer.BinIndex(page.Bin == 0xFFFF ? -1 : page.Bin));
  sourceLayout->addWidget(bin_);
  sourceLayout->addStretch();
  tabs_->addTab(sourceTab, vlStr(53411));

  paper_->setCurrentIndex(printer.PaperIndex(page.PaperSize));
  if (page.PaperSize == kCustomPaper) {
    width_->setText(QString::number(page.PaperWidth / 10.0, 'g', 6));
    height_->setText(QString::number(page.PaperHeight / 10.0, 'g', 6));
  }
  (page.Orientation ? landscape_ : portrait_)->setChecked(true);
  connect(paper_, &QComboBox::currentIndexChanged, this, [this] { PaperChanged(); });
  connect(portrait_, &QRadioButton::toggled, this, [this] { OrientationChanged(); });
  PaperChanged();
  OrientationChanged();
  vlFixDialogSize(this);
}

void TvlPgoptForm::PaperChanged() {
  const auto& codes = vlPrinter().PaperCodes;
  const int i = paper_->currentIndex();
  const bool custom = i >= 0 && i < static_cast<int>(codes.size()) && codes[static_cast<std::size_t>(i)] == kCustomPaper;
  for (QWidget* w : {static_cast<QWidget*>(widthLabel_), static_cast<QWidget*>(heightLabel_),
                     static_cast<QWidget*>(width_), static_cast<QWidget*>(height_)})
    w->setEnabled(custom);
}

void TvlPgoptForm::OrientationChanged() { orientationPicture_->setPixmap(OrientationPicture(landscape_->isChecked())); }

bool TvlPgoptForm::UnlimitedHeight() const { return unlimited_->isChecked(); }

bool TvlPgoptForm::Apply() {
  // The column count is checked first, so that a bad one stores nothing.
  bool columnsOk = false;
  const int columns = columns_->text().trimmed().toInt(&columnsOk);
  if (!columnsOk) {
    vlShowMessage(vlTr("'%1' is not a valid integer value", {vlFromQt(columns_->text())}), vlLoadStr(str::kError),
                  TvlMsgIcon::Error);
    return false;
  }
  // Margins and the gap are checked before anything is stored: a bad box is
  // named and gets the focus, and the dialog stays open.
  double mm[5];
  QLineEdit* boxes[5] = {margins_[0], margins_[1], margins_[2], margins_[3], gap_};
  for (int i = 0; i < 5; ++i) {
    if (vlReadMm(boxes[i]->text(), mm[i]) && std::abs(mm[i]) < 1e6) continue;
    const std::string label = vlLoadStr(i < 4 ? 53400 + i : 53410);
    vlShowMessage(label + ": '" + vlFromQt(boxes[i]->text()) + "' is not a valid number", vlLoadStr(str::kError),
                  TvlMsgIcon::Error);
    for (QWidget* w = boxes[i]->parentWidget(); w; w = w->parentWidget())
      if (const int tab = tabs_->indexOf(w); tab >= 0) tabs_->setCurrentIndex(tab);
    boxes[i]->setFocus();
    boxes[i]->selectAll();
    return false;
  }
  const TvlPrinter& printer = vlPrinter();
  page_.PrintToPrevPage = previous_->isChecked();
  page_.UseMargins = !stretch_->isChecked();
  page_.Orientation = landscape_->isChecked() ? 1 : 0;
  const int paper = paper_->currentIndex();
  page_.PaperSize = paper >= 0 && paper < static_cast<int>(printer.PaperCodes.size())
                        ? printer.PaperCodes[static_cast<std::size_t>(paper)]
                        : 9;
  if (page_.PaperSize == kCustomPaper) {
    double w = 0, h = 0;
    if (vlReadMm(width_->text(), w) && vlReadMm(height_->text(), h) && std::abs(w) < 1e6 && std::abs(h) < 1e6) {
      page_.PaperWidth = static_cast<std::int32_t>(std::lround(w * 10));
      page_.PaperHeight = static_cast<std::int32_t>(std::lround(h * 10));
    } else {
      page_.PaperSize = 9;  // A4
      page_.PaperWidth = 0;
      page_.PaperHeight = 0;
    }
  }
  page_.Margins = TvlRect{RoundPixels(mm[0]), RoundPixels(mm[1]), RoundPixels(mm[2]), RoundPixels(mm[3])};
  page_.ColumnGap = RoundPixels(mm[4]);
  page_.Columns = columns;
  const int bin = bin_->currentIndex();
  page_.Bin = bin >= 0 && bin < static_cast<int>(printer.BinCodes.size()) ? printer.BinCodes[static_cast<std::size_t>(bin)]
                                                                           : -1;
  page_.ApplyPaper();
  return true;
}

void TvlPgoptForm::done(int result) {
  if (result == QDialog::Accepted) {
    // A restricted page keeps its options; the command is not confirmed.
    if (vlRestricted(dsNoEditPage)) result = QDialog::Rejected;
    else if (!Apply()) return;
  }
  QDialog::done(result);
}

}  // namespace vl
