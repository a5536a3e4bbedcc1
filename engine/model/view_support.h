#pragma once
// What the views' shared behaviour takes from outside the view: the page's
// limits and neighbours for band alignment, the prepared-page writer and the
// report's print hooks, the data copier and the designer's context-menu
// entries. The template page and the report plug into these; tests make
// them by hand.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/core/engine_state.h"
#include "engine/core/value.h"

namespace vl {

class TvlView;
class TvlCanvas;

// The page a view is aligned on (the designer's current page in design
// mode, the page being prepared in printing mode).
struct TvlBandAlignContext {
  TvlDocMode Mode = TvlDocMode::dmDesign;
  std::int32_t PageLeft = 0, PageRight = 0;  // the page's left and right limits
  std::vector<TvlView*> Objects;             // the page's objects in list order, bands too
  // Printing mode: the band being printed, when there is one.
  bool HasCurrentBand = false;
  std::int32_t BandTop = 0, BandWidth = 0, BandCalcHeight = 0;
  std::uint8_t BandType = 0;
  bool BandStretched = false;
  bool OnBand = false;          // the view is one of the current band's objects
  std::int32_t TemplateTop = 0;  // the view's Top in the template (matches on stretched bands)
  std::int32_t PaperWidth = 0, PaperHeight = 0;  // the page's paper in page units (bands span it)
};

// Fills the context for a view; false when no page is current.
using TvlBandAlignProvider = std::function<bool(TvlView& view, TvlBandAlignContext& context)>;
void vlSetBandAlignProvider(TvlBandAlignProvider provider);
const TvlBandAlignProvider& vlBandAlignProvider();

// Where "print" writes an object of a prepared page.
class TvlPrintSink {
 public:
  virtual ~TvlPrintSink() = default;
  virtual void WriteByte(std::uint8_t value) = 0;
  virtual void WriteString(const std::string& text) = 0;
  // The view data in printing form (the template stream's view record).
  virtual void WriteViewData(TvlView& view) = 0;
};

// The report's part in printing one object; unset members do nothing.
struct TvlPrintHooks {
  // Loads bound content from the data field, then fires OnBeforePrint.
  std::function<void(TvlView&)> BeforePrint;
  // Runs the object's script.
  std::function<void(TvlView&)> RunScript;
  // Replaces the bracket expressions of a text by their values.
  std::function<std::string(TvlView&, const std::string&)> ExpandText;
};
TvlPrintHooks& vlPrintHooks();

// Answers whether a name is already given to an object of the report
// (ignoring case) or, for dialog controls, to a component of the dialog form.
using TvlNameTaken = std::function<bool(const std::string& name)>;
// Names of the components of the shared dialog form, which dialog controls
// must not take either; installed by whoever owns that form, unset while
// there is none.
TvlNameTaken& vlDialogFormNames();
// The rule unique names follow for a view: no view of the current report
// has the name (ignoring case) and, for a dialog control, no component of
// the shared dialog form.
TvlNameTaken vlNameTakenFor(const TvlView& view);

// The report's current view consumer (an export filter): takes a view with
// its left and top in page units.
using TvlViewConsumer = std::function<void(TvlView& view, std::int32_t left, std::int32_t top)>;
TvlViewConsumer& vlViewConsumer();

// One entry of the designer's context menu as data; the designer builds the
// menu from these and calls back with the action.
enum class TvlPopupAction : std::uint8_t { Separator, Stretched, Custom };
struct TvlPopupEntry {
  std::int32_t CaptionId = 0;  // string-table number; 0 for a separator
  bool Checked = false;
  TvlPopupAction Action = TvlPopupAction::Separator;
  std::int32_t Tag = 0;         // free for a class's own entries
  bool Enabled = true;
};

}  // namespace vl
