#include "engine/output/qt/preview_buttons.h"

#include <QIcon>
#include <QPixmap>
#include <QToolButton>

namespace vl {

namespace {

// A flat tool button whose glyph is grey until the mouse is over it.
class TvlPreviewToolButton : public QToolButton {
 public:
  TvlPreviewToolButton(QWidget* parent, const QImage& glyph) : QToolButton(parent), glyph_(glyph) {
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    UpdateIcon(false);
  }
  bool Grayed = false;
  void UpdateIcon(bool hover) {
    if (glyph_.isNull()) return;
    QImage image = glyph_;
    if (Grayed && !hover && isEnabled()) {
      image = image.convertToFormat(QImage::Format_ARGB32);
      for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
          const int g = qGray(line[x]);
          line[x] = qRgba(g, g, g, qAlpha(line[x]));
        }
      }
    }
    setIcon(QIcon(QPixmap::fromImage(image)));
  }

 protected:
  void enterEvent(QEnterEvent* e) override {
    UpdateIcon(true);
    QToolButton::enterEvent(e);
  }
  void leaveEvent(QEvent* e) override {
    UpdateIcon(false);
    QToolButton::leaveEvent(e);
  }

 private:
  QImage glyph_;
};

}  // namespace

QWidget* vlCreatePreviewButton(QWidget* parent, const QString& caption, const QImage& glyph, int width,
                               std::function<void()> onClick) {
  auto* b = new TvlPreviewToolButton(parent, glyph);
  if (!caption.isEmpty()) b->setText(caption);
  b->setToolButtonStyle(glyph.isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonIconOnly);
  b->setIconSize(glyph.size());
  b->resize(width, 24);
  QObject::connect(b, &QToolButton::clicked, b, [f = std::move(onClick)] { f(); });
  return b;
}

void vlSetPreviewButtonGrayed(QWidget* button, bool grayed) {
  auto* b = static_cast<TvlPreviewToolButton*>(button);
  b->Grayed = grayed;
  b->UpdateIcon(false);
}

bool vlPreviewButtonGrayed(const QWidget* button) { return static_cast<const TvlPreviewToolButton*>(button)->Grayed; }

void vlClickPreviewButton(QWidget* button) {
  if (button->isEnabled()) static_cast<QToolButton*>(button)->click();
}

void vlSetPreviewButtonCaption(QWidget* button, const QString& caption) {
  static_cast<QToolButton*>(button)->setText(caption);
}

QString vlPreviewButtonCaption(const QWidget* button) { return static_cast<const QToolButton*>(button)->text(); }

}  // namespace vl
