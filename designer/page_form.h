#pragma once
// The floating window a dialog page is designed in: the surface fills its
// client area; moving or resizing it moves or resizes the page; it cannot
// be closed while the page is current.

#include <QWidget>

namespace vl {

class TvlDesignerForm;
class TvlPage;

class TvlPageForm : public QWidget {
 public:
  explicit TvlPageForm(TvlDesignerForm& designer);
  // Takes the page's bounds, caption and colour.
  void TakePage(TvlPage& page);

 protected:
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void WriteBack();
  TvlDesignerForm& designer_;
  TvlPage* page_ = nullptr;
  bool taking_ = false;
};

}  // namespace vl
