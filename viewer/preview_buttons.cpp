#include "viewer/preview_buttons.h"

#include "controls/speed_button.h"

namespace vl {

QWidget* vlCreatePreviewButton(QWidget* parent, const QString& caption, const QImage& glyph, int width,
                               std::function<void()> onClick) {
  auto* b = new TvlSpeedButton(parent);
  b->SetFlat(true);
  if (!caption.isEmpty()) b->SetCaption(caption);
  if (!glyph.isNull()) b->SetGlyph(glyph);
  b->resize(width, 24);
  b->OnClick = std::move(onClick);
  return b;
}

void vlSetPreviewButtonGrayed(QWidget* button, bool grayed) {
  static_cast<TvlSpeedButton*>(button)->SetGrayedInactive(grayed);
}

bool vlPreviewButtonGrayed(const QWidget* button) {
  return static_cast<const TvlSpeedButton*>(button)->GrayedInactive();
}

void vlClickPreviewButton(QWidget* button) {
  if (button->isEnabled()) static_cast<TvlSpeedButton*>(button)->Click();
}

void vlSetPreviewButtonCaption(QWidget* button, const QString& caption) {
  static_cast<TvlSpeedButton*>(button)->SetCaption(caption);
}

QString vlPreviewButtonCaption(const QWidget* button) { return static_cast<const TvlSpeedButton*>(button)->Caption(); }

}  // namespace vl
