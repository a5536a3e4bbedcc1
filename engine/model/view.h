#pragma once
// The base of every object placed on a template page: geometry, frame, fill,
// memo, script and flags that all objects share.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/model/codes.h"
#include "engine/model/object.h"
#include "engine/model/view_support.h"
#include "platform/region.h"

namespace vl {

class TvlBand;
class TvlBlobField;
class TvlCanvas;
class TvlStreamReader;
class TvlStreamWriter;

// Version of the view records this engine writes (record major version 2;
// minor 0, band views 1).
inline constexpr std::uint8_t kViewRecordMajor = 2;

// Coordinates, sizes and gaps of a view stay within this many pixels either
// way (about a kilometre at screen resolution), and frame widths within
// kViewFrameWidthLimit: a damaged file or a script assigning a huge value
// must not make drawing sums overflow or dashed frames run for ever.
inline constexpr std::int32_t kViewCoordinateLimit = 1 << 22;
inline constexpr float kViewFrameWidthLimit = 1000.0f;
std::int32_t vlBoundViewCoordinate(std::int64_t value);
float vlBoundFrameWidth(double value);

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
  std::string ClassName = "TvlView";  // add-in views: the registered class name that precedes their records
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

  // ---- Shared behaviour: properties, drawing, region, band alignment,
  // naming, copying and printing (view_properties.cpp, view_draw.cpp,
  // view_band_align.cpp, view_print.cpp). ----
  // Geometry taken by BeginDraw and given back by EndDraw.
  struct TvlSavedGeometry {
    std::int32_t Left = 0, Top = 0, Width = 0, Height = 0, GapX = 0, GapY = 0;
    float FrameWidth = 0;
  };
  TvlSavedGeometry SavedGeometry;
  TvlRect DRect;  // inner drawing rectangle of the current draw

  void SetProperty(const std::string& name, const TvlValue& value) override;
  TvlValue GetProperty(const std::string& name) override;
  TvlValue CallMethod(const std::string& name, const TvlValue& p1, const TvlValue& p2,
                      const TvlValue& p3) override;
  void DeclareProperties() override;
  virtual void DrawBackground();
  virtual void DrawFrame();
  // Loads the view's content from its bound database field (picture and text views).
  virtual void GetBlob(const TvlBlobField&) {}
  virtual void HookNotify(TvlView* view);
  virtual void BeginDraw();
  virtual void EndDraw();
  // The base draws the fill and the frame; every class draws itself.
  virtual void Draw(TvlCanvas& canvas);
  virtual void Print(TvlPrintSink& sink);
  // Hands the view with its Left and Top to the report's current view
  // consumer (nothing when none is installed).
  virtual void ExportData();
  virtual void Resized();
  virtual void DefinePopupMenu(std::vector<TvlPopupEntry>& menu);
  virtual TvlRegion GetClipRgn(bool extended);
  virtual void ShowEditor();

  // Band alignment through the installed provider (nothing without a page);
  // makes the view the engine's current view.
  void AlignInBand(TvlCanvas* canvas);
  void ApplyBandAlign(const TvlBandAlignContext& context);
  // The first free name BaseName + n, n from 1 to 10000, that the predicate
  // does not call taken; empty when all are taken.
  void CreateUniqueName(const TvlNameTaken& taken);
  // The context menu's "Stretched" entry chosen: sets or clears flStretched
  // on every view given that may be modified.
  static void SetStretched(const std::vector<TvlView*>& views, bool stretched);
  // The right and bottom edges of the current draw, scaled and offset.
  std::int32_t DrawRight() const;
  std::int32_t DrawBottom() const;

  // Reads and writes the view data, in printing form when PrintingForm is set
  // (prepared pages) and in design form otherwise (templates). Reading follows
  // the engine's stream version; each class reads its ancestor's part first.
  // A damaged record raises TvlStreamError.
  virtual void LoadFromStream(TvlStreamReader& r);
  virtual void SaveToStream(TvlStreamWriter& w);
  // Copies another view: Name, Typ and Selected directly, every other template
  // field through the design form at the current stream version.
  void Assign(TvlView& source);
  // Called for every view once a whole template has been read.
  virtual void AfterLoad() {}
  // Why the value this view holds cannot print as it should (a barcode
  // value its symbology refuses), in the system code page; empty when it
  // prints right. A batch is checked with it before anything prints.
  virtual std::string ValueError() const { return {}; }

  // Gives the view the first name BaseName + n (n from 1 to 10000) that no
  // view of the current report has, ignoring case, nor for a dialog control
  // a component of the shared dialog form (vlNameTakenFor); empty when all
  // are taken.
  void CreateUniqueName();

 protected:
  // The minor record version this class writes.
  virtual std::uint8_t RecordMinorVersion() const { return 0; }
  // Called by Print once the object's script has run and the object is
  // visible, just before its record is written: a class fills what its
  // printing form writes (an add-in expands its own texts here).
  virtual void PreparePrint() {}
  // Record version read with the common part (both 0 before stream version 24).
  std::uint8_t RecordMajor = kViewRecordMajor, RecordMinor = 0;
};

// Views whose height can follow their content (text and line views).
class TvlStretcheable : public TvlView {
 public:
  std::uint8_t DrawPhase = 0;  // 0 whole, 1 after a height calculation, 2 the part that fits

  // ---- Shared behaviour of stretching views (view_properties.cpp). ----
  // The height the content needs, the least height that shows a first part,
  // and the height still needed after the part that fits; each class
  // measures its own content (the base: the current height, and none left).
  virtual std::int32_t CalcHeight();
  virtual std::int32_t MinHeight();
  virtual std::int32_t RemainHeight();
  TvlValue CallMethod(const std::string& name, const TvlValue& p1, const TvlValue& p2,
                      const TvlValue& p3) override;
};

}  // namespace vl
