#include "designer/picture_editor_form.h"

#include <QDialogButtonBox>
#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "designer/designer_dialogs.h"
#include "designer/designer_text.h"
#include "designer/ok_cancel_buttons.h"
#include "engine/model/picture_view.h"
#include "platform/bitmap_codec.h"
#include "platform/picture.h"
#include "platform/platform.h"
#include "platform/qt/qt_canvas.h"
#include "platform/raster.h"
#include "engine/core/project_texts.h"

namespace vl {

namespace {

// The preview: "[None]" for no picture; a picture larger than the area is
// stretched to it, a smaller one drawn in the middle.
class TPicturePreview : public QWidget {
 public:
  TPicturePreview(const TvlGraphic& picture, QWidget* parent) : QWidget(parent), picture_(picture) {
    setFixedSize(320, 220);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(Qt::gray);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    std::string bytes(picture_.Data.begin(), picture_.Data.end());
    const TvlPictureKind kind = vlDetectPictureKind(bytes);
    const TvlPicture image(kind, std::move(bytes));
    const int w = picture_.Empty() ? 0 : image.Width(), h = picture_.Empty() ? 0 : image.Height();
    if (w <= 0 || h <= 0) {
      p.setPen(Qt::black);
      const QString none = vlStr(55076);
      p.drawText((width() - p.fontMetrics().horizontalAdvance(none)) / 2, 100, none);
      return;
    }
    TvlRect dest{1, 1, width() - 1, height() - 1};
    if (w <= dest.Width() && h <= dest.Height()) {
      const int x = (width() - w) / 2, y = (height() - h) / 2;
      dest = TvlRect{x, y, x + w, y + h};
    }
    TvlQtCanvas canvas(p, TvlSize{width(), height()}, 96, 96);
    canvas.StretchDraw(dest, image);
  }

 private:
  const TvlGraphic& picture_;
};

}  // namespace

TvlGEditorForm::TvlGEditorForm(const TvlGraphic& picture, QWidget* parent) : QDialog(parent), picture_(picture) {
  setWindowTitle(vlStr(53460));
  auto* layout = new QVBoxLayout(this);
  auto* row = new QHBoxLayout;
  preview_ = new TPicturePreview(picture_, this);
  preview_->setObjectName(QStringLiteral("Image1"));
  auto* column = new QVBoxLayout;
  auto* load = new QPushButton(vlStr(53462), this);
  load->setObjectName(QStringLiteral("LoadBtn"));
  auto* clear = new QPushButton(vlStr(53463), this);
  clear->setObjectName(QStringLiteral("ClearBtn"));
  for (QPushButton* b : {load, clear}) b->setAutoDefault(false);
  column->addWidget(load);
  column->addWidget(clear);
  column->addStretch();
  row->addWidget(preview_);
  row->addLayout(column);
  layout->addLayout(row);
  layout->addWidget(vlOkCancelButtons(this));
  connect(load, &QPushButton::clicked, this, [this] {
    auto& open = vlDesignerDialogs().OpenFile;
    std::string path;
    int filter = 1;
    const std::vector<std::string> filters = {
        vlLoadStr(55216) + " (*.bmp *.jpg *.ico *.wmf *.emf)|*.bmp;*.jpg;*.ico;*.wmf;*.emf",
        vlLoadStr(55221) + "|*.*"};
    if (open && open(this, {}, filters, path, filter)) LoadFile(path);
  });
  connect(clear, &QPushButton::clicked, this, [this] { Clear(); });
  vlFixDialogSize(this);
}

bool TvlGEditorForm::LoadFile(const std::string& path) {
  TvlPictureView scratch;
  try {
    scratch.LoadFromFile(path);
  } catch (const std::exception& e) {
    vlShowMessage(e.what(), vlLoadStr(str::kError), TvlMsgIcon::Error);
    return false;
  }
  if (!scratch.Picture.Empty() && scratch.PictureWidth() <= 0) {
    vlShowMessage(vlTr("Bitmap image is not valid"), vlLoadStr(str::kError), TvlMsgIcon::Error);
    return false;
  }
  picture_ = scratch.Picture;
  preview_->update();
  return true;
}

void TvlGEditorForm::Clear() {
  picture_.Clear();
  preview_->update();
}

bool TvlGEditorForm::Paste() {
  const QImage image = QApplication::clipboard()->image().convertToFormat(QImage::Format_ARGB32);
  if (image.isNull()) return false;
  TvlRaster raster;
  raster.Width = image.width();
  raster.Height = image.height();
  raster.Pixels.resize(static_cast<std::size_t>(raster.Width) * static_cast<std::size_t>(raster.Height));
  for (int y = 0; y < raster.Height; ++y)
    std::copy_n(reinterpret_cast<const std::uint32_t*>(image.constScanLine(y)), raster.Width,
                &raster.Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(raster.Width)]);
  const std::string bytes = vlEncodeBmp(raster);
  picture_.Kind = gkBitmap;
  picture_.Data.assign(bytes.begin(), bytes.end());
  preview_->update();
  return true;
}

void TvlGEditorForm::keyPressEvent(QKeyEvent* event) {
  const bool paste = (event->key() == Qt::Key_V && event->modifiers() == Qt::ControlModifier) ||
                     (event->key() == Qt::Key_Insert && event->modifiers() == Qt::ShiftModifier);
  if (paste) {
    Paste();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace vl
