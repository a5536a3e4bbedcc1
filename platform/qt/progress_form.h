#pragma once
// The progress window: a small fixed dialog centred on the screen with two
// centred labels and Cancel, shown modally while a long operation (preparing,
// printing) runs. The work starts from an event the window posts to itself,
// so it runs inside the window's modal loop; ProcessEvents lets pending
// events through, which is where Cancel is noticed. The modal loop is the
// window's own, so hiding the window (while a dialog page is shown) does not
// end it.

#include <QDialog>
#include <functional>

#include "platform/progress_window.h"

class QEventLoop;
class QLabel;
class QPushButton;

namespace vl {

class TvlProgressForm : public QDialog, public TvlProgressWindow {
 public:
  explicit TvlProgressForm(QWidget* parent = nullptr);
  ~TvlProgressForm() override;

  bool Run(const std::string& caption, const std::string& firstLabel, const std::function<void()>& work,
           const std::function<void()>& onCancel) override;
  void SetCancelCaption(const std::string& text) override;
  void SetFirstLabel(const std::string& text) override;
  void SetSecondLabel(const std::string& text) override;
  void Close(bool ok) override;
  void ProcessEvents() override;
  bool IsShown() const override;
  void SetShown(bool shown) override;

  QLabel* Label1() const { return label1_; }
  QLabel* Label2() const { return label2_; }
  QPushButton* CancelButton() const { return cancel_; }
  bool Running() const { return loop_ != nullptr; }

  // Escape and the window's close box count as Cancel.
  void reject() override;

 protected:
  bool event(QEvent* e) override;

 private:
  void Cancel();

  QLabel* label1_;
  QLabel* label2_;
  QPushButton* cancel_;
  QEventLoop* loop_ = nullptr;  // the modal loop while a run is shown
  bool ok_ = true;
  std::function<void()> work_;
  std::function<void()> onCancel_;
};

}  // namespace vl
