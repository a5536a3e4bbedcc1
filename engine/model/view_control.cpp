// Dialog controls: the few properties they declare, their face, and the
// platform control they move and show.

#include "engine/core/text.h"
#include "engine/model/control.h"
#include "platform/canvas.h"
#include "platform/platform_control.h"

namespace vl {

void TvlControl::DeclareProperties() {
  ClearProperties();
  AddProperty("Name", ptString | ptOneObject);
  AddProperty("Left", ptSize);
  AddProperty("Top", ptSize);
  AddProperty("Width", ptSize);
  AddProperty("Height", ptSize);
  AddProperty("Visible", ptBoolean);
  AddProperty("Restrictions", ptHasEditor);
}

void TvlControl::SetControlProperty(const std::string& name, const TvlValue& value) { TvlView::SetProperty(name, value); }

void TvlControl::SetProperty(const std::string& name, const TvlValue& value) {
  SetControlProperty(name, value);
  if (!control_) return;
  const std::string n = vlUpperCase(name);
  if (n == "VISIBLE") control_->SetVisible(Visible);
  else if (n == "LEFT" || n == "TOP" || n == "WIDTH" || n == "HEIGHT")
    control_->SetBounds({Left, Top, Left + Width, Top + Height});
  else
    control_->PropertyChanged(n);
}

void TvlControl::Place(TvlPlatformControl* control) {
  control_ = control;
  if (!control_) return;
  control_->SetBounds({Left, Top, Left + Width, Top + Height});
  control_->SetVisible(Visible);
}

void TvlControl::Draw(TvlCanvas& canvas) {
  Canvas = &canvas;
  BeginDraw();
  // The control's picture: its size plus one pixel, in the button face.
  canvas.SetSolidBrush(clBtnFace);
  canvas.FillRect({Left, Top, Left + Width + 1, Top + Height + 1});
  EndDraw();
}

}  // namespace vl
