#pragma once
// The window beside the dropped font list that shows the highlighted font's
// name in that font.

#include <QString>
#include <QWidget>

namespace vl {

class TvlFontPreview : public QWidget {
 public:
  explicit TvlFontPreview(QWidget* parent = nullptr);

  static constexpr int kWidth = 200, kHeight = 50, kPointSize = 18;

  QString FontName() const { return fontName_; }
  void ShowFont(const QString& name);
  // Puts the preview beside a box (screen coordinates): top-left at the
  // box's bottom-right corner, or left of the box when it would pass the
  // right edge of the screen; bottom at the box's top when the list drops
  // upward.
  void PlaceBeside(const QRect& box, bool dropsUpward, const QRect& screen);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString fontName_;
};

}  // namespace vl
