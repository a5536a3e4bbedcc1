#pragma once
// A small drawing of a label sheet: the paper, its labels with their
// rounded corners, the labels before the start label greyed (already used)
// and the start label marked.

#include <QWidget>

#include "engine/labels/label_sheet.h"

namespace vl {

class TSheetPicture : public QWidget {
 public:
  explicit TSheetPicture(QWidget* parent = nullptr);
  void SetSheet(const TvlLabelSheet& sheet, int start);
  QSize sizeHint() const override { return {150, 200}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TvlLabelSheet sheet_;
  int start_ = 1;
};

}  // namespace vl
