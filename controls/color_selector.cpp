#include "controls/color_selector.h"

#include <QColorDialog>
#include <QPainter>
#include <algorithm>

#include "controls/edges.h"
#include "controls/speed_button.h"
#include "engine/core/string_table.h"
#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_text.h"

namespace vl {
namespace {

constexpr int kGroup = 1;

// A square of the colour framed in the shadow colour, over one row of button
// face (so the glyph's transparent bottom-left pixel is the face).
QImage Swatch(int side, TvlColor color, const TvlControlColors& colors) {
  QImage glyph(side, side + 1, QImage::Format_RGB32);
  glyph.fill(colors.Face);
  QPainter p(&glyph);
  p.fillRect(QRect(0, 0, side, side), vlQtColor(color));
  p.setPen(colors.Shadow);
  p.drawRect(QRect(0, 0, side - 1, side - 1));
  return glyph;
}

}  // namespace

const std::array<TvlColor, 17>& TColorSelector::Colors() {
  static constexpr std::array<TvlColor, 17> kColors = {
      0xFFFFFF, 0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
      0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, clNone};
  return kColors;
}

TColorSelector::TColorSelector(QWidget* owner) : QWidget(owner) {
  resize(kWidth, kHeight);
  hide();
  const TvlControlColors colors = TvlControlColors::Of(this);
  for (int k = 0; k < 18; ++k) {
    auto* button = new TvlSpeedButton(this);
    button->SetFlat(true);
    button->SetGrayedInactive(false);
    button->SetGroupIndex(kGroup);
    button->Tag = k;
    if (k < 16) {
      button->setGeometry(4 + 22 * (k % 4), 4 + 22 * (k / 4), 22, 22);
      button->SetGlyph(Swatch(16, Colors()[static_cast<size_t>(k)], colors));
    } else {
      button->setGeometry(4, k == kTransparentIndex ? 92 : 110, 88, 18);
      button->SetCaption(vlToQt(vlLoadStr(k == kTransparentIndex ? str::kTransparent : str::kOtherColor)));
    }
    button->OnClick = [this, k] { Pick(k); };
    buttons_[static_cast<size_t>(k)] = button;
  }
}

void TColorSelector::SetColor(TvlColor color) {
  color_ = color;
  const auto& table = Colors();
  const auto it = std::find(table.begin(), table.end(), color);
  TvlSpeedButton* other = buttons_[kOtherIndex];
  if (it != table.end()) {
    buttons_[static_cast<size_t>(it - table.begin())]->SetDown(true);
    other->SetGlyph({});
  } else {
    other->SetGlyph(Swatch(12, color, TvlControlColors::Of(this)));
  }
}

void TColorSelector::Pick(int index) {
  if (index < 0 || index > kOtherIndex) return;
  if (index == kOtherIndex) {
    hide();
    QColorDialog dialog(vlQtColor(color_), parentWidget());
    if (dialog.exec() != QDialog::Accepted) return;
    const QColor chosen = dialog.selectedColor();
    color_ = vlRGB(static_cast<std::uint8_t>(chosen.red()), static_cast<std::uint8_t>(chosen.green()),
                   static_cast<std::uint8_t>(chosen.blue()));
  } else {
    color_ = Colors()[static_cast<size_t>(index)];
  }
  hide();
  if (OnColorSelected) OnColorSelected(this);
}

void TColorSelector::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const TvlControlColors colors = TvlControlColors::Of(this);
  p.fillRect(rect(), colors.Face);
  vlRaisedFrame(p, rect(), colors);
}

}  // namespace vl
