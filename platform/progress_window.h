#pragma once
// The small modal window a long operation (preparing, printing) runs inside.
// The work starts from within the window's modal loop, reports progress
// through the labels and lets pending window events through, which is where
// Cancel is noticed.

#include <functional>
#include <string>

namespace vl {

class TvlProgressWindow {
 public:
  virtual ~TvlProgressWindow() = default;
  // Shows the window modally with the caption and the first label (the
  // second is cleared, the button reads "Cancel") and runs work once the
  // modal loop has started. Cancel calls onCancel and closes the window with
  // Cancel; the work closes it with Close. Returns true when it closed with
  // OK. A window already running runs the work directly and returns true.
  virtual bool Run(const std::string& caption, const std::string& firstLabel,
                   const std::function<void()>& work, const std::function<void()>& onCancel) = 0;
  // The button's caption for the next runs ("Cancel" until set); callers
  // give the string table's text.
  virtual void SetCancelCaption(const std::string& /*text*/) {}
  virtual void SetFirstLabel(const std::string& text) = 0;
  virtual void SetSecondLabel(const std::string& text) = 0;
  // Ends the modal loop with OK or Cancel once the work returns.
  virtual void Close(bool ok) = 0;
  // Lets pending window events through (repainting, Cancel).
  virtual void ProcessEvents() = 0;
  // Dialog pages hide the window while they are shown.
  virtual bool IsShown() const = 0;
  virtual void SetShown(bool shown) = 0;
};

}  // namespace vl
