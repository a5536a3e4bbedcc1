#pragma once
// The preview as a control inside another window: a panel that borrows the
// preview window's panels (and, with ShowToolbar, its toolbar) from a hidden
// preview window it owns.

#include <QWidget>
#include <functional>
#include <memory>

class QMenu;

namespace vl {

class TvlEMFPages;
class TvlPreview;
class TvlPreviewForm;
class TvlReport;

enum TvlScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

using TvlPageChangedEvent = std::function<void(TvlPreview* Sender, int PageNo)>;

class TvlPreview : public QWidget {
 public:
  explicit TvlPreview(QWidget* parent = nullptr);
  ~TvlPreview() override;

  TvlScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TvlScrollStyle value);
  bool ShowToolbar() const { return showToolbar_; }
  void SetShowToolbar(bool value);
  // Replaces the zoom menu on the right button and Space when set.
  void SetPopupMenu(QMenu* menu);
  TvlPageChangedEvent OnPageChanged;

  // Shows the report's prepared pages in the control (taking them over).
  void Connect(TvlReport& report);
  // The window whose panels the control shows.
  TvlPreviewForm* Form() const { return form_.get(); }
  // The pages the control holds.
  TvlEMFPages& Pages();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Arrange();

  std::unique_ptr<TvlPreviewForm> form_;
  TvlScrollStyle scrollBars_ = ssBoth;
  bool showToolbar_ = false;
  QMenu* popup_ = nullptr;
  QWidget* wheelWindow_ = nullptr;
};

}  // namespace vl
