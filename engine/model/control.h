#pragma once
// The base of objects of dialog pages. While the page's window exists, each
// control holds the platform control it stands for (placed by that window);
// moving, sizing, showing or hiding the object moves, sizes, shows or hides
// the control. The system registers no control classes of its own: classes
// derived from this one are add-ins (code 10).

#include "engine/model/view.h"

namespace vl {

class TvlPlatformControl;

class TvlControl : public TvlView {
 public:
  TvlControl();

  void DeclareProperties() override;
  // Sets the property (SetControlProperty) and passes the change on to the
  // platform control.
  void SetProperty(const std::string& name, const TvlValue& value) final;
  // Without a picture of a platform control to paint, a control draws its
  // button face (view_control.cpp).
  void Draw(TvlCanvas& canvas) override;

  // Places the object on a window: control is the platform control it now
  // stands for (nullptr detaches it). The control takes the object's bounds
  // and visibility at once.
  void Place(TvlPlatformControl* control);
  TvlPlatformControl* PlatformControl() const { return control_; }

 protected:
  // Where a control class sets the properties of its own (the base sets
  // the view's).
  virtual void SetControlProperty(const std::string& name, const TvlValue& value);

 private:
  TvlPlatformControl* control_ = nullptr;
};

}  // namespace vl
