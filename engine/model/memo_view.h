#pragma once
// The text object: memo lines with bracketed expressions, font, alignment,
// highlight and spacing.

#include "engine/model/view.h"

namespace vl {

class TvlMemoView : public TvlStretcheable {
 public:
  TvlMemoView();

  // Template fields.
  TvlFont Font;                 // "Arial", 10, plain, black, the default character set
  std::int32_t Alignment = vltaLeft;
  std::int32_t HighlightStyle = fsBold;     // font style while the highlight condition holds
  TvlColor HighlightFontColor = clBlack;
  TvlColor HighlightFillColor = clWhite;
  std::string HighlightCondition;           // empty: no highlight
  std::int32_t LineSpacing = 2;
  std::int32_t CharSpacing = 0;

  // Run-time: the text last printed, for flSuppress.
  std::string LastValue;

  void LoadFromStream(TvlStreamReader& r) override;
  void SaveToStream(TvlStreamWriter& w) override;
};

}  // namespace vl
