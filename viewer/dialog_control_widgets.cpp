#include "viewer/dialog_control_widgets.h"

#include <QPalette>
#include <algorithm>
#include <map>

#include "engine/model/control.h"
#include "engine/model/object_factory.h"
#include "viewer/dialog_page_form.h"
#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_text.h"

namespace vl {
namespace {

std::map<std::string, TvlControlWidgetClass>& Classes() {
  static std::map<std::string, TvlControlWidgetClass> classes;
  return classes;
}

// A control without a widget of its own: a panel of its size in its colour.
QWidget* Panel(TvlControl& control, QWidget* parent) {
  auto* panel = new QWidget(parent);
  panel->setAutoFillBackground(true);
  QPalette palette = panel->palette();
  if (control.FillColor != clNone) palette.setColor(QPalette::Window, vlQtColor(control.FillColor));
  panel->setPalette(palette);
  return panel;
}

}  // namespace

void vlRegisterControlWidget(const std::string& className, TvlControlWidgetClass widgetClass) {
  Classes()[className] = std::move(widgetClass);
}

void vlUnregisterControlWidget(const std::string& className) { Classes().erase(className); }

TvlWidgetControl::TvlWidgetControl(TvlControl& control, TvlDialogPageForm& form) : control_(control) {
  QWidget* widget = nullptr;
  const auto found = Classes().find(vlViewClassName(control));
  if (found != Classes().end()) {
    if (found->second.Create) widget = found->second.Create(control, form);
    update_ = found->second.Update;
  }
  if (!widget) widget = Panel(control, &form);
  if (widget->parentWidget() != &form) widget->setParent(&form);
  widget->setObjectName(vlToQt(control.Name));
  widget_ = widget;
  if (update_) update_(control_, *widget);
}

void TvlWidgetControl::SetBounds(const TvlRect& bounds) {
  if (widget_)
    widget_->setGeometry(bounds.Left, bounds.Top, std::max(0, bounds.Width()), std::max(0, bounds.Height()));
}

void TvlWidgetControl::SetVisible(bool visible) {
  if (widget_) widget_->setVisible(visible);
}

void TvlWidgetControl::PropertyChanged(const std::string& name) {
  if (!widget_) return;
  if (name == "NAME") widget_->setObjectName(vlToQt(control_.Name));
  if (update_) update_(control_, *widget_);
}

}  // namespace vl
