#include "engine/model/views.h"

#include "engine/core/format_settings.h"

namespace vl {

TvlView::TvlView()
    : Format(0x200 + static_cast<unsigned char>(vlFormatSettings().DecimalSeparator)) {}

TvlView::~TvlView() = default;

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
  FillColor = clBtnFace;
  FrameTyp = vlftNone;
}

}  // namespace vl
