#pragma once
// The flat speed button of the designer's toolbars and dialogs: grouped
// latching, a greyed look until the mouse is over it, and glyph images
// derived for every state.

#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

#include "controls/button_glyphs.h"

class QAction;

namespace vl {

enum class TvlButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

class TvlSpeedButton : public QWidget {
 public:
  explicit TvlSpeedButton(QWidget* parent = nullptr);
  ~TvlSpeedButton() override;

  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool value);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int value);
  bool Down() const { return down_; }
  // Latches or releases the button. Without a group it stays up; a down
  // button whose group does not allow all up stays down. Latching releases
  // the other buttons of the same parent and group, which take over this
  // button's AllowAllUp.
  void SetDown(bool value);
  bool Flat() const { return flat_; }
  void SetFlat(bool value);
  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  // The glyph holds NumGlyphs images side by side: up, disabled, pressed,
  // latched. Its transparent colour is its bottom-left pixel (or transparent
  // pixels in a glyph with an alpha channel).
  QImage Glyph() const { return glyph_; }
  void SetGlyph(const QImage& glyph);
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int value);  // 1 to 4
  // Greyed glyph until the mouse is over a flat, enabled button.
  bool GrayedInactive() const { return grayedInactive_; }
  void SetGrayedInactive(bool value);
  TvlButtonLayout Layout() const { return layout_; }
  void SetLayout(TvlButtonLayout value);
  int Margin() const { return margin_; }
  void SetMargin(int value);  // -1 centres; values below -1 are refused
  int Spacing() const { return spacing_; }
  void SetSpacing(int value);
  // An action gives the caption, the glyph (its icon) and the enabled state,
  // and runs when the button is clicked without an OnClick of its own.
  QAction* Action() const { return action_; }
  void SetAction(QAction* action);
  int Tag = 0;
  // Whether a bound action's text becomes the caption (toolbar buttons show
  // only the action's picture).
  bool ShowActionCaption = true;

  // The drawing state (bsUp, bsDisabled, bsDown, bsExclusive) and the state
  // the button paints in now (bsGrayed included).
  int State() const { return state_; }
  int PaintState() const;
  bool MouseInControl() const { return mouseInControl_; }

  // Raises OnClick, or runs the action.
  void Click();

  std::function<void()> OnClick, OnDblClick, OnMouseEnter, OnMouseLeave;
  std::function<void(QMouseEvent*)> OnMouseDown, OnMouseMove, OnMouseUp;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void SetMouseInControl(bool value);
  void UpdateShortcut();
  void ActionChanged();
  QImage StateImage(int state) const;

  bool allowAllUp_ = false;
  int groupIndex_ = 0;
  bool down_ = false;
  bool flat_ = false;
  QString caption_;
  QImage glyph_;
  int numGlyphs_ = 1;
  bool grayedInactive_ = true;
  TvlButtonLayout layout_ = TvlButtonLayout::blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  QPointer<QAction> action_;
  int state_ = bsUp;
  bool dragging_ = false;
  bool mouseInControl_ = false;
  int shortcutId_ = 0;
  // Derived images by state, made on first use after a glyph or colour change.
  mutable QImage images_[5];
};

}  // namespace vl
