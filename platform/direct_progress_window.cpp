#include "platform/direct_progress_window.h"

namespace vl {

bool TvlDirectProgressWindow::Run(const std::string& caption, const std::string& firstLabel,
                                  const std::function<void()>& work,
                                  const std::function<void()>& onCancel) {
  if (running_) {
    work();
    return true;
  }
  Captions.push_back(caption);
  FirstLabels.push_back(firstLabel);
  SecondLabel.clear();
  running_ = shown_ = true;
  closedOk_ = true;
  onCancel_ = onCancel;
  work();
  running_ = shown_ = false;
  onCancel_ = nullptr;
  return closedOk_;
}

void TvlDirectProgressWindow::ProcessEvents() {
  if (CancelAtProcessEvents < 0 || !running_) return;
  if (CancelAtProcessEvents-- == 0) {
    if (onCancel_) onCancel_();
    closedOk_ = false;
  }
}

}  // namespace vl
