// The text view's part of a view record.

#include <cstdlib>

#include "engine/core/engine_state.h"
#include "engine/core/string_table.h"
#include "engine/model/layout_bounds.h"
#include "engine/model/memo_view.h"
#include "engine/model/stream_reader.h"
#include "engine/model/stream_writer.h"

namespace vl {

void TvlMemoView::LoadFromStream(TvlStreamReader& r) {
  TvlStretcheable::LoadFromStream(r);
  const int v = vlState().StreamVersion;
  Font.Name = r.ReadString();
  Font.Size = vlBoundFontSize(r.ReadI32());
  Font.Style = r.ReadU16();
  Font.Color = r.ReadU32();
  Alignment = r.ReadI32();
  Font.Charset = r.ReadU16() & 0xFF;
  // Streams before 23 held a character set that no longer means anything here.
  if (v < 23) Font.Charset = std::atoi(vlLoadStr(str::kDefaultCharset).c_str());
  if (!PrintingForm) {
    HighlightStyle = r.ReadU16();
    HighlightFontColor = r.ReadU32();
    HighlightFillColor = r.ReadU32();
    HighlightCondition = r.ReadString();
  }
  if (v >= 24) {
    LineSpacing = vlBoundDistance(r.ReadI32());
    CharSpacing = vlBoundCharSpacing(r.ReadI32());
  }
  // The first stream version always wrapped text.
  if (v == 21) Flags |= flWordWrap;
}

void TvlMemoView::SaveToStream(TvlStreamWriter& w) {
  TvlStretcheable::SaveToStream(w);
  w.WriteString(Font.Name);
  w.WriteI32(Font.Size);
  w.WriteU16(static_cast<std::uint16_t>(Font.Style));
  w.WriteU32(Font.Color);
  w.WriteI32(Alignment);
  w.WriteU16(static_cast<std::uint16_t>(Font.Charset & 0xFF));
  if (!PrintingForm) {
    w.WriteU16(static_cast<std::uint16_t>(HighlightStyle));
    w.WriteU32(HighlightFontColor);
    w.WriteU32(HighlightFillColor);
    w.WriteString(HighlightCondition);
  }
  w.WriteI32(LineSpacing);
  w.WriteI32(CharSpacing);
}

}  // namespace vl
