#pragma once
// A horizontal or vertical rule drawn with the frame machinery.

#include "engine/model/view.h"

namespace vl {

class TvlLineView : public TvlStretcheable {
 public:
  TvlLineView();
  // Nothing is stored beyond the common part.

  // ---- Behaviour (line_view.cpp). ----
  void DeclareProperties() override;
  // Turns the view into a top line (wider than high, Height 0) or a left
  // line (Width 0); the change stays in the object.
  void Draw(TvlCanvas& canvas) override;
  TvlRegion GetClipRgn(bool extended) override;
  std::int32_t CalcHeight() override { return Height; }
  std::int32_t MinHeight() override { return 1; }
  std::int32_t RemainHeight() override { return 0; }
};

}  // namespace vl
