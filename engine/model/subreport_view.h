#pragma once
// A placeholder that makes the engine print another template page in its place.

#include "engine/model/view.h"

namespace vl {

class TvlSubReportView : public TvlView {
 public:
  TvlSubReportView();

  std::int32_t TargetPage = 0;  // 0-based index of the template page it prints

  void LoadFromStream(TvlStreamReader& r) override;
  void SaveToStream(TvlStreamWriter& w) override;

  // ---- Behaviour (subreport_view.cpp). ----
  // A white box with the name; the engine prints the target page instead.
  void Draw(TvlCanvas& canvas) override;
  // No entries at all, not even the shared ones.
  void DefinePopupMenu(std::vector<TvlPopupEntry>& menu) override;
};

}  // namespace vl
