#pragma once
// The base of objects of dialog pages; they hold a platform control. The
// system registers no control classes, so dialog pages hold none; the base
// stores only the common view part.

#include "engine/model/view.h"

namespace vl {

class TvlControl : public TvlView {
 public:
  TvlControl();
};

}  // namespace vl
