#pragma once
// The window of a dialog page: the page's border style, caption, colour,
// position and size, its controls as widgets placed at their bounds (each
// control object moves and shows its widget while the window exists), and
// the page's other views drawn where they stand. Shown modally, it ends with
// a modal result: a control's widget may end it (a button with its result);
// Enter without a default button ends it with OK, Escape and the close box
// with Cancel.

#include <QDialog>
#include <cstdint>
#include <memory>
#include <vector>

namespace vl {

class TvlControl;
class TvlPage;
class TvlWidgetControl;

class TvlDialogPageForm : public QDialog {
 public:
  // Builds the window hidden, with the page's controls placed on it.
  explicit TvlDialogPageForm(TvlPage& page, QWidget* parent = nullptr);
  // Detaches the controls from their widgets.
  ~TvlDialogPageForm() override;

  // Takes the page's border style, caption, colour, position and size as
  // they stand now (after the page script).
  void ApplyPage();
  // Shows the window modally; returns its modal result (mrOk, mrCancel, ...).
  std::int32_t ShowModal();
  // Ends the modal loop with a modal result.
  void EndModal(std::int32_t result) { done(result); }

  // The widget that stands for a control of the page; nullptr for others.
  QWidget* ControlWidget(const TvlControl& control) const;
  TvlPage& Page() const { return page_; }

  void accept() override;
  void reject() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  TvlPage& page_;
  std::vector<std::pair<TvlControl*, std::unique_ptr<TvlWidgetControl>>> controls_;
};

}  // namespace vl
