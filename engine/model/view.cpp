#include "engine/model/views.h"

#include "engine/core/engine_state.h"
#include "engine/core/format_settings.h"

namespace vl {

TvlView::TvlView()
    : Format(0x200 + static_cast<unsigned char>(vlFormatSettings().DecimalSeparator)) {}

TvlView::~TvlView() {
  TvlEngineState& st = vlState();
  if (st.CurView == this) st.CurView = nullptr;
}

TvlMemoView::TvlMemoView() {
  Typ = otMemo;
  BaseName = "Memo";
  Flags = flStretched | flWordWrap;
}

TvlPictureView::TvlPictureView() {
  Typ = otPicture;
  BaseName = "Picture";
  Flags = flStretched | flKeepAspect;
}

TvlBandView::TvlBandView() {
  Typ = otBand;
  BaseName = "Band";
  Flags = flOnFirstPage | flOnLastPage;
}

TvlSubReportView::TvlSubReportView() {
  Typ = otSubReport;
  BaseName = "SubReport";
}

TvlLineView::TvlLineView() {
  Typ = otLine;
  BaseName = "Line";
  FrameTyp = vlftLeft;
  FillColor = clWhite;
}

TvlControl::TvlControl() {
  Typ = otAddIn;
  ClassName = "TvlControl";
  FillColor = clBtnFace;
  FrameTyp = vlftNone;
}

}  // namespace vl
