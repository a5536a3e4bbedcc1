#pragma once
// The colour picker of the designer's colour buttons: sixteen colours in a
// 4 x 4 grid, "Transparent" (no colour) and "Other..." (the colour dialog).
// Created hidden in its owner, shown under a toolbar button, hidden again
// after every pick.

#include <QWidget>
#include <array>
#include <functional>

#include "platform/graphics_types.h"

namespace vl {

class TvlSpeedButton;

class TColorSelector : public QWidget {
 public:
  explicit TColorSelector(QWidget* owner);

  static constexpr int kWidth = 96, kHeight = 132;
  static constexpr int kTransparentIndex = 16, kOtherIndex = 17;
  // The grid's colours by index, and entry 16: none.
  static const std::array<TvlColor, 17>& Colors();

  TvlColor Color() const { return color_; }
  // Marks the current colour: a grid colour or none latches its button and
  // clears the "Other..." swatch; any other colour shows on "Other...".
  void SetColor(TvlColor color);
  // The buttons by index (0-15 grid, 16 "Transparent", 17 "Other...").
  TvlSpeedButton* Button(int index) const { return buttons_[static_cast<size_t>(index)]; }
  // A button's pick: 0-15 and 16 select their colour; 17 hides the picker
  // and asks the colour dialog (a cancelled dialog ends the pick). After a
  // pick the picker hides and OnColorSelected is raised.
  void Pick(int index);

  std::function<void(TColorSelector* sender)> OnColorSelected;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::array<TvlSpeedButton*, 18> buttons_{};
  TvlColor color_ = clNone;
};

}  // namespace vl
