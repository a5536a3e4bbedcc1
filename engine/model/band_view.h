#pragma once
// A band view marks a strip of the page with a band type (kept in FrameTyp);
// the engine turns band views into bands.

#include <string>

#include "engine/model/view.h"

namespace vl {

// The band made from a band view while a report is prepared, as far as the
// view's properties and methods reach it. The band tree implements it and
// points the view's PreparedBand at it for the length of the run.
class TvlPreparedBand {
 public:
  struct TvlPlace {
    std::int32_t Left = 0, Top = 0, Width = 0, Height = 0;
    bool Visible = true;
  };
  virtual ~TvlPreparedBand() = default;
  // The band's own position, size and visibility.
  virtual TvlPlace& Place() = 0;
  // Relinks the child to the band of the view of that name on the current
  // page; a name that finds none leaves the band without child.
  virtual void SetChild(const std::string& viewName) = 0;
  // The page-break switch.
  virtual bool Breaked() const = 0;
  virtual void SetBreaked(bool breaked) = 0;
  virtual void SetGroupCondition(const std::string& condition) = 0;
  // Releases the band's dataset and binds the one the reference names.
  virtual void BindDataSet(const std::string& reference) = 0;
  virtual bool HasDataSet() const = 0;
  virtual bool DataSetEof() = 0;
  virtual void DataSetNext() = 0;
  virtual void DataSetPrior() = 0;
  virtual void DataSetFirst() = 0;
};

// Whether bands draw their titles (the designer's BandTitles option).
bool& vlBandTitles();

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
  // Run-time: the band made from this view while a report is prepared.
  TvlPreparedBand* PreparedBand = nullptr;

  void LoadFromStream(TvlStreamReader& r) override;
  void SaveToStream(TvlStreamWriter& w) override;

  // ---- Behaviour (band_view_properties.cpp, band_view_draw.cpp). ----
  std::uint16_t BandType() const { return FrameTyp; }
  // The band type's display name; empty for a code beyond the table.
  std::string TypeName() const;
  // Width of the title tab: the name's width in Arial 8, plus 8 when that is
  // at least 92, else 100.
  std::int32_t TitleWidth(TvlCanvas& canvas) const;

  void SetProperty(const std::string& name, const TvlValue& value) override;
  TvlValue GetProperty(const std::string& name) override;
  TvlValue CallMethod(const std::string& name, const TvlValue& p1, const TvlValue& p2,
                      const TvlValue& p3) override;
  void DeclareProperties() override;
  // Designer only: a band is never drawn in printing mode.
  void Draw(TvlCanvas& canvas) override;
  // Band views are never written into prepared pages.
  void Print(TvlPrintSink& sink) override;
  void DefinePopupMenu(std::vector<TvlPopupEntry>& menu) override;
  TvlRegion GetClipRgn(bool extended) override;

  // The band's own context-menu entries chosen (their Tag is the flag bit):
  // "Force new page", "Print if detail empty" and "Breaked" toggle the bit on
  // every view given that may be modified; the others on this band only.
  static bool SharedMenuFlag(std::uint16_t flag);
  void ToggleMenuFlag(std::uint16_t flag, bool set, const std::vector<TvlView*>& selection);

 protected:
  std::uint8_t RecordMinorVersion() const override { return 1; }
};

// Display name of a band type (string-table entries 55077 to 55099).
std::string vlBandTypeName(std::uint16_t bandType);

}  // namespace vl
