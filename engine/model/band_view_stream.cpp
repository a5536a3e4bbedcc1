// The band view's part of a view record.

#include "engine/core/engine_state.h"
#include "engine/model/band_view.h"
#include "engine/model/layout_bounds.h"
#include "engine/model/stream_reader.h"
#include "engine/model/stream_writer.h"

namespace vl {

void TvlBandView::LoadFromStream(TvlStreamReader& r) {
  TvlView::LoadFromStream(r);
  if (vlState().StreamVersion < 24) return;
  ChildBand = r.ReadString();
  Columns = vlBoundColumns(r.ReadI32());
  ColumnWidth = vlBoundDistance(r.ReadI32());
  ColumnGap = vlBoundDistance(r.ReadI32());
  NewColumnAfter = r.ReadI32();
  // The master band name came with record version 2.1.
  if (RecordMajor * 10 + RecordMinor > 20) Master = r.ReadString();
}

void TvlBandView::SaveToStream(TvlStreamWriter& w) {
  TvlView::SaveToStream(w);
  w.WriteString(ChildBand);
  w.WriteI32(Columns);
  w.WriteI32(ColumnWidth);
  w.WriteI32(ColumnGap);
  w.WriteI32(NewColumnAfter);
  w.WriteString(Master);
}

}  // namespace vl
