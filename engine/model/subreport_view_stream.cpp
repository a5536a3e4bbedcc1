// The sub-report view's part of a view record: the page it prints.

#include "engine/model/stream_reader.h"
#include "engine/model/stream_writer.h"
#include "engine/model/subreport_view.h"

namespace vl {

void TvlSubReportView::LoadFromStream(TvlStreamReader& r) {
  TvlView::LoadFromStream(r);
  TargetPage = r.ReadI32();
}

void TvlSubReportView::SaveToStream(TvlStreamWriter& w) {
  TvlView::SaveToStream(w);
  w.WriteI32(TargetPage);
}

}  // namespace vl
