#include "viewer/print_form.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <functional>

#include "engine/core/error.h"
#include "engine/core/string_table.h"
#include "engine/output/page_range.h"
#include "viewer/feed_calibration_form.h"
#include "viewer/print_pictures.h"
#include "engine/printer/printer.h"
#include "platform/platform.h"
#include "platform/qt/qt_text.h"

namespace vl {
namespace {

QString Text(int id) { return vlToQt(vlLoadStr(id)); }

// The printer list draws a small printer before each name, the name 24
// pixels from the left.
class TPrinterItemDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString name = opt.text;
    opt.text.clear();
    opt.icon = QIcon();
    QStyle* style = opt.widget ? opt.widget->style() : nullptr;
    if (style) style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
    static const QPixmap picture = vlPrinterPicture();
    const QRect r = option.rect;
    painter->drawPixmap(r.left() + 2, r.top() + (r.height() - picture.height()) / 2, picture);
    painter->setPen(opt.palette.color(option.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                           : QPalette::Text));
    painter->drawText(r.adjusted(24, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, name);
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(std::max(size.height(), 18));
    return size;
  }
};

// The Collate label toggles the check box on click and on double click.
class TToggleLabel : public QLabel {
 public:
  TToggleLabel(const QString& text, QWidget* parent, std::function<void()> toggle)
      : QLabel(text, parent), toggle_(std::move(toggle)) {}

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton) toggle_();
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton) toggle_();
  }

 private:
  std::function<void()> toggle_;
};

// Shows the collated or the uncollated stacks as the check box says.
class TCollatePicture : public QWidget {
 public:
  TCollatePicture(QWidget* parent, const QCheckBox* collate) : QWidget(parent), collate_(collate) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    static const QPixmap collated = vlCollatedPicture();
    static const QPixmap uncollated = vlUncollatedPicture();
    QPainter p(this);
    if (collate_->isChecked())
      p.drawPixmap(8, 0, collated);
    else
      p.drawPixmap(0, 8, uncollated);
  }

 private:
  const QCheckBox* collate_;
};

}  // namespace

TvlPrintForm::TvlPrintForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
  setWindowTitle(Text(str::kPrintCaption));
  setFixedSize(485, 226);

  groupBox1_ = new QGroupBox(Text(str::kPrinterGroup), this);
  groupBox1_->setGeometry(8, 4, 469, 54);
  label4_ = new QLabel(Text(str::kPrinterName), groupBox1_);
  label4_->setGeometry(12, 24, 50, 18);
  cb1_ = new QComboBox(groupBox1_);
  cb1_->setGeometry(66, 21, 292, 24);
  cb1_->setItemDelegate(new TPrinterItemDelegate(cb1_));
  cb1_->setIconSize(QSize(18, 16));
  label4_->setBuddy(cb1_);
  propButton_ = new QPushButton(Text(str::kPrinterProperties), groupBox1_);
  propButton_->setGeometry(370, 20, 88, 26);

  groupBox2_ = new QGroupBox(Text(str::kPageRangeGroup), this);
  groupBox2_->setGeometry(8, 62, 245, 124);
  rb1_ = new QRadioButton(Text(str::kRangeAll), groupBox2_);
  rb1_->setGeometry(12, 19, 220, 19);
  rb2_ = new QRadioButton(Text(str::kRangeCurrentPage), groupBox2_);
  rb2_->setGeometry(12, 37, 220, 19);
  rb3_ = new QRadioButton(Text(str::kRangePages), groupBox2_);
  rb3_->setGeometry(12, 57, 72, 19);
  e2_ = new QLineEdit(groupBox2_);
  e2_->setGeometry(88, 55, 145, 23);
  label2_ = new QLabel(Text(str::kRangeHint), groupBox2_);
  QFont hintFont = label2_->font();
  hintFont.setPointSizeF(hintFont.pointSizeF() * 0.9);
  label2_->setFont(hintFont);
  label2_->setGeometry(12, 80, 225, 42);
  label2_->setWordWrap(true);
  label2_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  rb1_->setChecked(true);

  groupBox3_ = new QGroupBox(Text(str::kCopiesGroup), this);
  groupBox3_->setGeometry(261, 62, 216, 124);
  label1_ = new QLabel(Text(str::kNumberOfCopies), groupBox3_);
  label1_->setGeometry(12, 24, 126, 18);
  e1_ = new QSpinBox(groupBox3_);
  e1_->setGeometry(140, 21, 64, 23);
  e1_->setRange(1, 9999);
  e1_->setValue(1);
  label1_->setBuddy(e1_);
  pb1_ = nullptr;
  collateCB_ = new QCheckBox(groupBox3_);
  collateCB_->setGeometry(118, 78, 18, 18);
  collateCB_->setChecked(true);
  label3_ = new TToggleLabel(Text(str::kCollate), groupBox3_, [this] { collateCB_->toggle(); });
  label3_->setGeometry(138, 78, 70, 18);
  label3_->setBuddy(collateCB_);
  pb1_ = new TCollatePicture(groupBox3_, collateCB_);
  pb1_->setGeometry(12, 56, 92, 61);

  label5_ = new QLabel(Text(str::kPrintWhich), this);
  label5_->adjustSize();
  label5_->move(10, 197);
  cb2_ = new QComboBox(this);
  for (int id = str::kAllPages; id <= str::kAllPages + 2; ++id) cb2_->addItem(Text(id));
  cb2_->setGeometry(label5_->geometry().right() + 1 + 11, 193, 124, 24);
  cb2_->setCurrentIndex(0);
  label5_->setBuddy(cb2_);

  ok_ = new QPushButton(Text(str::kOk), this);
  ok_->setGeometry(318, 192, 75, 26);
  ok_->setDefault(true);
  cancel_ = new QPushButton(Text(str::kCancel), this);
  cancel_->setGeometry(402, 192, 75, 26);

  FillPrinters();

  connect(cb1_, &QComboBox::currentIndexChanged, this, [](int index) {
    if (index >= 0) vlPrinter().SelectPrinter(index);
  });
  connect(propButton_, &QPushButton::clicked, this, [] { vlPrinter().PropertiesDialog(); });
  // The printer's feed calibration sits in the printer group's context menu,
  // which leaves the dialog's layout as it is.
  feedAction_ = new QAction(Text(str::kFeedCalibrationMenu), this);
  groupBox1_->setContextMenuPolicy(Qt::ActionsContextMenu);
  groupBox1_->addAction(feedAction_);
  cb1_->setContextMenuPolicy(Qt::ActionsContextMenu);
  cb1_->addAction(feedAction_);
  groupBox1_->setToolTip(Text(str::kFeedCalibrationTip));
  connect(feedAction_, &QAction::triggered, this, [this] { vlFeedCalibrationDialog(this); });
  connect(rb3_, &QRadioButton::clicked, this, [this] { e2_->setFocus(); });
  connect(e2_, &QLineEdit::textEdited, this, [this] { rb3_->setChecked(true); });
  connect(collateCB_, &QCheckBox::toggled, pb1_, qOverload<>(&QWidget::update));
  connect(ok_, &QPushButton::clicked, this, &TvlPrintForm::accept);
  connect(cancel_, &QPushButton::clicked, this, &TvlPrintForm::reject);

  if (QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

void TvlPrintForm::FillPrinters() {
  TvlPrinter& printer = vlPrinter();
  oldModelIndex_ = printer.SelectedIndex;
  oldPlatformIndex_ = vlPlatform().Printer ? vlPlatform().Printer->CurrentIndex() : -1;
  static const QIcon picture(vlPrinterPicture());
  // The platform's printers in the model's order; the virtual printer is not one of them.
  for (int k = 0; k < printer.VirtualIndex; ++k)
    cb1_->addItem(picture, vlToQt(printer.PrinterList[static_cast<std::size_t>(k)]));
  int current = oldPlatformIndex_;
  if (current < 0 || current >= printer.VirtualIndex) current = printer.IsVirtual() ? 0 : printer.SelectedIndex;
  cb1_->setCurrentIndex(cb1_->count() > 0 ? current : -1);
  propButton_->setEnabled(cb1_->count() > 0);
}

void TvlPrintForm::SetRequest(const TvlPrintRequest& request) {
  e1_->setValue(request.Copies < 1 ? 1 : request.Copies);
  collateCB_->setChecked(request.Collate);
  cb2_->setCurrentIndex(request.PrintPages >= 0 && request.PrintPages <= 2 ? request.PrintPages : 0);
  e2_->setText(vlToQt(request.PagesText));
  (request.Range == rcPages ? rb3_ : request.Range == rcCurrentPage ? rb2_ : rb1_)->setChecked(true);
}

TvlPrintRequest TvlPrintForm::Request() const {
  TvlPrintRequest request;
  request.Range = rb3_->isChecked() ? rcPages : rb2_->isChecked() ? rcCurrentPage : rcAll;
  request.PagesText = vlFromQt(e2_->text());
  request.Copies = e1_->value();
  request.Collate = collateCB_->isChecked();
  request.PrintPages = cb2_->currentIndex() < 0 ? 0 : cb2_->currentIndex();
  return request;
}

void TvlPrintForm::accept() {
  if (rb3_->isChecked()) {
    try {
      TvlPageList::Parse(vlFromQt(e2_->text()), 0);
    } catch (const TvlError& e) {
      vlShowMessage(e.what(), vlLoadStr(str::kError), TvlMsgIcon::Error);
      e2_->setFocus();
      return;
    }
  }
  QDialog::accept();
}

void TvlPrintForm::done(int result) {
  if (result != QDialog::Accepted) RestorePrinter();
  QDialog::done(result);
}

void TvlPrintForm::RestorePrinter() {
  TvlPrinter& printer = vlPrinter();
  TvlPlatformPrinter* platform = vlPlatform().Printer;
  // The platform's current printer first (the next print starts from it),
  // then the model's own selection, which may be the virtual printer.
  if (platform && oldPlatformIndex_ >= 0 && platform->CurrentIndex() != oldPlatformIndex_)
    printer.SelectPrinter(oldPlatformIndex_);
  if (printer.SelectedIndex != oldModelIndex_) printer.SelectPrinter(oldModelIndex_);
}

}  // namespace vl
