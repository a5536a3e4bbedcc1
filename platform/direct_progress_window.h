#pragma once
// The progress window without a window: runs the work at once and keeps the
// texts it was given (headless runs and tests).

#include <string>
#include <vector>

#include "platform/progress_window.h"

namespace vl {

class TvlDirectProgressWindow : public TvlProgressWindow {
 public:
  bool Run(const std::string& caption, const std::string& firstLabel,
           const std::function<void()>& work, const std::function<void()>& onCancel) override;
  void SetFirstLabel(const std::string& text) override { FirstLabels.push_back(text); }
  void SetSecondLabel(const std::string& text) override { SecondLabel = text; }
  void Close(bool ok) override { closedOk_ = ok; }
  // Presses Cancel when CancelAtProcessEvents counts down to 0.
  void ProcessEvents() override;
  bool IsShown() const override { return shown_; }
  void SetShown(bool shown) override { shown_ = shown; }

  std::vector<std::string> Captions;     // one per run
  std::vector<std::string> FirstLabels;  // every first label shown, in order
  std::string SecondLabel;
  int CancelAtProcessEvents = -1;        // -1: never

 private:
  bool running_ = false;
  bool shown_ = false;
  bool closedOk_ = true;
  std::function<void()> onCancel_;
};

}  // namespace vl
