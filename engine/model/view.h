#pragma once
// The base of every object placed on a template page: geometry, frame, fill,
// memo, script and flags that all objects share.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/model/codes.h"
#include "engine/model/object.h"

namespace vl {

class TvlBand;
class TvlCanvas;

class TvlView : public TvlObject {
 public:
  TvlView();
  ~TvlView() override;

  // Template fields.
  std::string Name;
  std::uint8_t Typ = otAddIn;
  std::int32_t Left = 0, Top = 0, Width = 0, Height = 0;
  std::uint16_t Flags = flStretched;
  std::uint16_t FrameTyp = vlftNone;  // band views keep their band type here
  float FrameWidth = 1.0f;
  TvlColor FrameColor = clBlack;
  std::uint16_t FrameStyle = psSolid;
  TvlColor FillColor = clNone;
  std::int32_t Format = 0;  // display format code; 0x200 + the decimal separator by default
  std::string FormatText;
  std::vector<std::string> Memo;
  std::vector<std::string> Script;
  bool Visible = true;
  std::int32_t GapX = 2, GapY = 1;
  std::uint8_t Restrictions = 0;
  std::string Tag;
  std::uint8_t BandAlign = baNone;

  // Run-time fields, never stored in templates.
  std::string BaseName = "View";
  std::int32_t ID = 0;
  std::uint8_t Selected = 0;
  bool PrintingForm = false;
  std::vector<std::string> PrintedMemo;
  TvlBand* Parent = nullptr;
  TvlCanvas* Canvas = nullptr;
  double DrawScaleX = 1.0, DrawScaleY = 1.0;
  std::int32_t DrawOffsetX = 0, DrawOffsetY = 0;
  std::uint8_t ToPrinter = 0;
};

// Views whose height can follow their content (text and line views).
class TvlStretcheable : public TvlView {
 public:
  std::uint8_t DrawPhase = 0;  // 0 whole, 1 after a height calculation, 2 the part that fits
};

class TvlMemoView : public TvlStretcheable {
 public:
  TvlMemoView();
};

class TvlPictureView : public TvlView {
 public:
  TvlPictureView();
};

class TvlBandView : public TvlView {
 public:
  TvlBandView();
};

class TvlSubReportView : public TvlView {
 public:
  TvlSubReportView();
};

class TvlLineView : public TvlStretcheable {
 public:
  TvlLineView();
};

// The base of objects of dialog pages; they hold a platform control.
class TvlControl : public TvlView {
 public:
  TvlControl();
};

}  // namespace vl
