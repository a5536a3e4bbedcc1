#pragma once
// The base of objects of dialog pages; they hold a platform control. The
// system registers no control classes, so dialog pages hold none; the base
// stores only the common view part.

#include "engine/model/view.h"

namespace vl {

class TvlControl : public TvlView {
 public:
  TvlControl();

  // There is no platform control to paint or to show and hide: a control
  // draws its button face only (view_control.cpp).
  void DeclareProperties() override;
  void Draw(TvlCanvas& canvas) override;
};

}  // namespace vl
