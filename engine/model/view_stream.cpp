// The common part of every view record, in design form (templates) and
// printing form (prepared pages).

#include <algorithm>
#include <cmath>

#include "engine/core/engine_state.h"
#include "engine/core/units.h"
#include "engine/model/stream_reader.h"
#include "engine/model/stream_writer.h"
#include "engine/model/view.h"

namespace vl {
namespace {

// Whole widths from 0 to 10 are stored as they are, anything else in
// thousandths. A width too thin for thousandths above 10 (a non-whole width
// under 0.0105) would read back as whole pixels, so it is stored as 0.011.
std::int32_t EncodeFrameWidth(float width) {
  const double w = width;
  if (w >= 0 && w <= 10 && w == static_cast<double>(static_cast<std::int32_t>(w)))
    return static_cast<std::int32_t>(w);
  const std::int32_t thousandths = vlRound(w * 1000.0);
  if (thousandths >= 0 && thousandths <= 10) return 11;
  return thousandths;
}

float DecodeFrameWidth(std::int32_t stored) {
  if (stored <= 10) return static_cast<float>(stored);
  return static_cast<float>(stored / 1000.0);
}

}  // namespace

std::int32_t vlBoundViewCoordinate(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, -kViewCoordinateLimit, kViewCoordinateLimit));
}

float vlBoundFrameWidth(double value) {
  if (std::isnan(value)) return 0.0f;
  return static_cast<float>(std::clamp<double>(value, -kViewFrameWidthLimit, kViewFrameWidthLimit));
}

void TvlView::LoadFromStream(TvlStreamReader& r) {
  const int v = vlState().StreamVersion;
  const bool design = !PrintingForm;
  if (v >= 24 || (v == 23 && design))
    Name = r.ReadString();
  else
    CreateUniqueName();
  if (v >= 24) {
    RecordMajor = r.ReadByte();
    RecordMinor = r.ReadByte();
  } else {
    RecordMajor = RecordMinor = 0;
  }
  Left = vlBoundViewCoordinate(r.ReadI32());
  Top = vlBoundViewCoordinate(r.ReadI32());
  Width = vlBoundViewCoordinate(r.ReadI32());
  Height = vlBoundViewCoordinate(r.ReadI32());
  Flags = r.ReadU16();
  FrameTyp = r.ReadU16();
  const std::int32_t frameWidth = r.ReadI32();
  FrameColor = r.ReadU32();
  FrameStyle = r.ReadU16();
  FillColor = r.ReadU32();
  if (design) {
    Format = r.ReadI32();
    FormatText = r.ReadString();
  }
  r.ReadStringList(Memo);
  if (v >= 23 && design) {
    r.ReadStringList(Script);
    Visible = r.ReadBool16();
  }
  if (v >= 24) {
    Restrictions = static_cast<std::uint8_t>(r.ReadU16() & 0xFF);
    Tag = r.ReadString();
    GapX = vlBoundViewCoordinate(r.ReadI32());
    GapY = vlBoundViewCoordinate(r.ReadI32());
  }
  FrameWidth = vlBoundFrameWidth(DecodeFrameWidth(frameWidth));
  if (RecordMajor > 1) BandAlign = r.ReadByte();
}

void TvlView::SaveToStream(TvlStreamWriter& w) {
  const bool design = !PrintingForm;
  w.WriteString(Name);
  w.WriteByte(kViewRecordMajor);
  w.WriteByte(RecordMinorVersion());
  w.WriteI32(Left);
  w.WriteI32(Top);
  w.WriteI32(Width);
  w.WriteI32(Height);
  w.WriteU16(Flags);
  w.WriteU16(FrameTyp);
  w.WriteI32(EncodeFrameWidth(FrameWidth));
  w.WriteU32(FrameColor);
  w.WriteU16(FrameStyle);
  w.WriteU32(FillColor);
  if (design) {
    w.WriteI32(Format);
    w.WriteString(FormatText);
  }
  w.WriteStringList(design ? Memo : PrintedMemo);
  if (design) {
    w.WriteStringList(Script);
    w.WriteBool16(Visible);
  }
  w.WriteU16(Restrictions);
  w.WriteString(Tag);
  w.WriteI32(GapX);
  w.WriteI32(GapY);
  w.WriteByte(BandAlign);
}

void TvlView::Assign(TvlView& source) {
  if (&source == this) return;
  Name = source.Name;
  Typ = source.Typ;
  Selected = source.Selected;
  TvlEngineState& st = vlState();
  const int version = st.StreamVersion;
  const bool sourcePrinting = source.PrintingForm, printing = PrintingForm;
  source.PrintingForm = PrintingForm = false;
  st.StreamVersion = kCurrentStreamVersion;
  TvlStreamWriter w;
  try {
    source.SaveToStream(w);
    TvlStreamReader r(w.Bytes());
    LoadFromStream(r);
  } catch (...) {
    st.StreamVersion = version;
    source.PrintingForm = sourcePrinting;
    PrintingForm = printing;
    throw;
  }
  st.StreamVersion = version;
  source.PrintingForm = sourcePrinting;
  PrintingForm = printing;
}

}  // namespace vl
