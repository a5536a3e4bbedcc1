#pragma once
// Shows a dialog page of a report as a modal window before the report is
// built: the page's border style, caption, colour, position and size, with
// its controls. The window belongs to the user interface above the engine,
// which installs its host at start-up; the host the engine starts with
// shows nothing and answers OK, as a run without a screen must.
//
// The run opens the page's window first (its controls placed on it), then
// runs the page script, whose changes to the controls therefore reach the
// window, then shows it unless the script decided the modal result, and
// closes it in any case.

#include <cstdint>

namespace vl {

class TvlPage;

// Modal results of dialog pages (the MODALRESULT values).
inline constexpr std::int32_t mrNone = 0;
inline constexpr std::int32_t mrOk = 1;
inline constexpr std::int32_t mrCancel = 2;

class TvlDialogPageHost {
 public:
  virtual ~TvlDialogPageHost() = default;
  // Makes the page's window, hidden, with every control placed on it.
  virtual void Open(TvlPage& /*page*/) {}
  // Shows the page modally; returns its modal result.
  virtual std::int32_t ShowModal(TvlPage& page) = 0;
  // Destroys the page's window; the controls no longer stand for anything.
  virtual void Close(TvlPage& /*page*/) {}
};

// The host in force (never null); installing nullptr restores the headless one.
TvlDialogPageHost& vlDialogPageHost();
void vlSetDialogPageHost(TvlDialogPageHost* host);

}  // namespace vl
