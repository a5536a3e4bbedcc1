#pragma once
// The window control a dialog page's control object stands for while its
// page's window exists: the object moves, sizes, shows and hides it. The
// window that made the control owns it and detaches it from its object
// before it goes.

#include <string>

#include "platform/graphics_types.h"

namespace vl {

class TvlPlatformControl {
 public:
  virtual ~TvlPlatformControl() = default;
  // Position and size within the window's client area, in pixels.
  virtual void SetBounds(const TvlRect& bounds) = 0;
  virtual void SetVisible(bool visible) = 0;
  // Another property of the object changed (name in upper case): the
  // control takes what it shows from the object again.
  virtual void PropertyChanged(const std::string& name) = 0;
};

}  // namespace vl
