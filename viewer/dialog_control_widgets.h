#pragma once
// The widgets that stand for a dialog page's controls on the page's window.
// Control classes are add-ins (the system registers none), so the widget of
// each class is registered beside it: one function builds the widget, one
// shows the control's own properties on it (after building and whenever a
// script changes one). A control whose class has no widget registered (the
// base class among them) stands as a plain panel in its fill colour.

#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>

#include "platform/platform_control.h"

namespace vl {

class TvlControl;
class TvlDialogPageForm;

struct TvlControlWidgetClass {
  // Builds the widget as a child of form (which ends the modal loop
  // through EndModal, for example from a button).
  std::function<QWidget*(TvlControl& control, TvlDialogPageForm& form)> Create;
  // Shows the control's own properties on its widget; may be empty.
  std::function<void(TvlControl& control, QWidget& widget)> Update;
};

// Registers the widget of an add-in control class, by the class name it is
// registered with; registering a name again replaces the entry.
void vlRegisterControlWidget(const std::string& className, TvlControlWidgetClass widgetClass);
void vlUnregisterControlWidget(const std::string& className);

// A control's widget on its page's window: what the control object moves,
// sizes, shows and updates.
class TvlWidgetControl : public TvlPlatformControl {
 public:
  // Builds the widget for control on form, by the control's class.
  TvlWidgetControl(TvlControl& control, TvlDialogPageForm& form);

  void SetBounds(const TvlRect& bounds) override;
  void SetVisible(bool visible) override;
  void PropertyChanged(const std::string& name) override;
  QWidget* Widget() const { return widget_; }

 private:
  TvlControl& control_;
  QPointer<QWidget> widget_;  // the form owns the widget
  std::function<void(TvlControl&, QWidget&)> update_;
};

}  // namespace vl
