#pragma once
// A picture control: shows one picture at its top-left corner and reports
// clicks and mouse moves.

#include <QPixmap>
#include <QWidget>
#include <functional>

namespace vl {

class TImage : public QWidget {
 public:
  explicit TImage(QWidget* parent);

  const QPixmap& Picture() const { return FPicture; }
  void SetPicture(const QPixmap& picture);

  std::function<void()> OnClick;
  std::function<void()> OnMouseMove;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  QPixmap FPicture;
  bool FPressed = false;
};

}  // namespace vl
