#pragma once
// A text box with a small button at its right end (the "..." of the
// expression boxes). The button focuses the text and raises OnButtonClick;
// Enter and Escape still reach the window's default and cancel buttons.

#include <QImage>
#include <QWidget>
#include <functional>

class QLineEdit;

namespace vl {

class TvlSpeedButton;

class TvlComboEdit : public QWidget {
 public:
  explicit TvlComboEdit(QWidget* parent = nullptr);

  QLineEdit* Edit() const { return edit_; }
  TvlSpeedButton* Button() const { return button_; }
  QWidget* ButtonPanel() const { return panel_; }
  QString Text() const;
  void SetText(const QString& text);

  QImage Glyph() const;
  void SetGlyph(const QImage& glyph);
  bool ButtonEnabled() const { return buttonEnabled_; }
  void SetButtonEnabled(bool value);
  QString ButtonHint() const;
  void SetButtonHint(const QString& hint);

  std::function<void()> OnButtonClick;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QLineEdit* edit_;
  QWidget* panel_;
  TvlSpeedButton* button_;
  bool buttonEnabled_ = true;
};

}  // namespace vl
