#pragma once
// The picture editor of picture objects: a preview of the picture, Load
// (through the program's own decoders), Clear, and Ctrl+V / Shift+Ins to
// paste a picture from the clipboard.

#include <QDialog>
#include <string>

#include "engine/model/picture.h"

class QLabel;

namespace vl {

class TvlGEditorForm : public QDialog {
 public:
  explicit TvlGEditorForm(const TvlGraphic& picture, QWidget* parent = nullptr);

  const TvlGraphic& Picture() const { return picture_; }
  // Loads a picture file; false (the error shown, the picture unchanged)
  // when it cannot be read or decoded.
  bool LoadFile(const std::string& path);
  void Clear();
  // The clipboard's picture, as a bitmap; false when it holds none.
  bool Paste();
  QWidget* Preview() const { return preview_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  TvlGraphic picture_;
  QWidget* preview_;
};

}  // namespace vl
