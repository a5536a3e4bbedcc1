#pragma once
// A horizontal or vertical rule drawn with the frame machinery.

#include "engine/model/view.h"

namespace vl {

class TvlLineView : public TvlStretcheable {
 public:
  TvlLineView();
  // Nothing is stored beyond the common part.
};

}  // namespace vl
