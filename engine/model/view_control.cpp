// Dialog controls: the few properties they declare and their face.

#include "engine/core/text.h"
#include "engine/model/control.h"
#include "platform/canvas.h"

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

void TvlControl::Draw(TvlCanvas& canvas) {
  Canvas = &canvas;
  BeginDraw();
  // The control's picture: its size plus one pixel, in the button face.
  canvas.SetSolidBrush(clBtnFace);
  canvas.FillRect({Left, Top, Left + Width + 1, Top + Height + 1});
  EndDraw();
}

}  // namespace vl
