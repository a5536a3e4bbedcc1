#pragma once
// A band view marks a strip of the page with a band type (kept in FrameTyp);
// the engine turns band views into bands.

#include "engine/model/view.h"

namespace vl {

class TvlBandView : public TvlView {
 public:
  TvlBandView();

  // FrameTyp holds the band type; FormatText the data source or group condition.
  std::string ChildBand;  // name of the child band (type 21) printed after this one
  std::string Master;     // group header: the data band the group belongs to
  std::int32_t Columns = 1;
  std::int32_t ColumnWidth = 200;
  std::int32_t ColumnGap = 20;
  std::int32_t NewColumnAfter = 1;

  void LoadFromStream(TvlStreamReader& r) override;
  void SaveToStream(TvlStreamWriter& w) override;

 protected:
  std::uint8_t RecordMinorVersion() const override { return 1; }
};

}  // namespace vl
