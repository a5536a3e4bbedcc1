#include "designer/template_dialogs.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "designer/designer_dialogs.h"
#include "designer/designer_text.h"
#include "designer/ok_cancel_buttons.h"
#include "engine/model/stream_writer.h"
#include "platform/picture.h"
#include "platform/platform.h"
#include "platform/qt/qt_canvas.h"
#include "engine/core/project_texts.h"

namespace vl {

namespace {

// The large icon of a template in the list (28 x 32: a page with a folded corner).
QIcon TemplateIcon() {
  QImage image(28, 32, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setPen(Qt::black);
  p.setBrush(Qt::white);
  p.drawPolygon(QPolygon({{2, 0}, {19, 0}, {26, 7}, {26, 31}, {2, 31}}));
  p.drawPolyline(QPolygon({{19, 0}, {19, 7}, {26, 7}}));
  p.setPen(QColor(0, 0, 128));
  for (int y = 12; y < 28; y += 4) p.drawLine(6, y, 22, y);
  p.end();
  return QIcon(QPixmap::fromImage(image));
}

}  // namespace

std::string& vlTemplateFolder() {
  static std::string folder;
  return folder;
}

QImage vlBitmapImage(const std::string& bytes) {
  const TvlPicture picture(TvlPictureKind::Bitmap, bytes);
  const TvlRaster* raster = picture.Raster();
  return raster ? vlQtImage(*raster) : QImage();
}

TvlTemplForm::TvlTemplForm(const std::string& folder, QWidget* parent) : QDialog(parent) {
  setWindowTitle(vlStr(53318));
  auto* layout = new QVBoxLayout(this);
  auto* row = new QHBoxLayout;
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("LB1"));
  list_->setViewMode(QListView::IconMode);
  list_->setIconSize(QSize(28, 32));
  list_->setMovement(QListView::Static);
  list_->setFixedSize(260, 220);
  auto* description = new QGroupBox(vlStr(53319), this);
  auto* column = new QVBoxLayout(description);
  picture_ = new QLabel(description);
  picture_->setFixedSize(100, 100);
  picture_->setAlignment(Qt::AlignCenter);
  comment_ = new QLabel(description);
  comment_->setWordWrap(true);
  comment_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  comment_->setFixedWidth(140);
  column->addWidget(picture_, 0, Qt::AlignHCenter);
  column->addWidget(comment_, 1);
  row->addWidget(list_, 1);
  row->addWidget(description);
  layout->addLayout(row);
  QDialogButtonBox* buttons = vlOkCancelButtons(this);
  ok_ = buttons->findChild<QPushButton*>(QStringLiteral("OkBtn"));
  layout->addWidget(buttons);

  folder_ = folder.empty() ? vlFromQt(QCoreApplication::applicationDirPath()) : folder;
  if (!folder_.empty() && folder_.back() != '/') folder_ += '/';
  const QDir dir(vlToQt(folder_));
  const QIcon icon = TemplateIcon();
  // Files only: a folder named like a template is no template.
  for (const QFileInfo& f : dir.entryInfoList({QStringLiteral("*.vlt")}, QDir::Files, QDir::Name))
    list_->addItem(new QListWidgetItem(icon, f.completeBaseName()));
  list_->sortItems();
  ok_->setEnabled(false);
  connect(list_, &QListWidget::itemClicked, this, [this] { ShowItem(); });
  connect(list_, &QListWidget::currentRowChanged, this, [this] { ShowItem(); });
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] {
    if (ok_->isEnabled()) accept();
  });
  vlFixDialogSize(this);
}

void TvlTemplForm::ShowItem() {
  QListWidgetItem* item = list_->currentItem();
  ok_->setEnabled(item && item->isSelected());
  comment_->clear();
  picture_->clear();
  if (!ok_->isEnabled()) return;
  try {
    const TvlDesignerTemplateInfo info = vlReadDesignerTemplateInfo(folder_ + vlFromQt(item->text()) + ".vlt");
    QStringList lines;
    for (const std::string& l : info.Description) lines << vlToQt(l);
    comment_->setText(lines.join(QLatin1Char('\n')));
    const QImage image = vlBitmapImage(info.Picture);
    if (!image.isNull()) picture_->setPixmap(QPixmap::fromImage(image.scaled(100, 100, Qt::KeepAspectRatio)));
  } catch (const std::exception&) {
    // A damaged template shows no description.
  }
}

std::string TvlTemplForm::Result() const {
  QListWidgetItem* item = list_->currentItem();
  return item ? folder_ + vlFromQt(item->text()) + ".vlt" : std::string();
}

TvlTemplNewForm::TvlTemplNewForm(QWidget* parent) : QDialog(parent) {
  setWindowTitle(vlStr(53320));
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(vlStr(53321), this);
  layout->addWidget(label);
  comment_ = new QPlainTextEdit(this);
  comment_->setObjectName(QStringLiteral("Memo1"));
  comment_->setFixedSize(300, 90);
  label->setBuddy(comment_);
  layout->addWidget(comment_);
  auto* icon = new QGroupBox(vlStr(53322), this);
  auto* row = new QHBoxLayout(icon);
  picture_ = new QLabel(icon);
  picture_->setFixedSize(86, 87);
  picture_->setAlignment(Qt::AlignCenter);
  picture_->setFrameShape(QFrame::Panel);
  picture_->setFrameShadow(QFrame::Sunken);
  auto* file = new QPushButton(vlStr(53323), icon);
  file->setObjectName(QStringLiteral("FileBtn"));
  row->addWidget(picture_);
  row->addWidget(file, 0, Qt::AlignTop);
  row->addStretch();
  layout->addWidget(icon);
  layout->addWidget(vlOkCancelButtons(this));
  connect(file, &QPushButton::clicked, this, [this] {
    auto& open = vlDesignerDialogs().OpenFile;
    std::string path;
    int filter = 1;
    if (open && open(this, {}, {vlLoadStr(55217) + " (*.bmp)|*.bmp"}, path, filter)) LoadIcon(path);
  });
  vlFixDialogSize(this);
  comment_->setFocus();
}

bool TvlTemplNewForm::LoadIcon(const std::string& path) {
  std::string bytes;
  if (!vlReadFile(path, bytes)) {
    vlShowMessage(vlTr("Cannot open file %1", {path}), vlLoadStr(str::kError), TvlMsgIcon::Error);
    return false;
  }
  const QImage image = vlBitmapImage(bytes);
  if (image.isNull()) {
    vlShowMessage(vlTr("Bitmap image is not valid"), vlLoadStr(str::kError), TvlMsgIcon::Error);
    return false;
  }
  bitmap_ = std::move(bytes);
  picture_->setPixmap(QPixmap::fromImage(image.scaled(86, 87, Qt::KeepAspectRatio)));
  return true;
}

TvlDesignerTemplateInfo TvlTemplNewForm::Info() const {
  TvlDesignerTemplateInfo info;
  for (const QString& line : comment_->toPlainText().split(QLatin1Char('\n'))) info.Description.push_back(vlFromQt(line));
  info.Picture = bitmap_;
  return info;
}

}  // namespace vl
