#pragma once
// A template page: its views in stacking order, its paper, margins and
// columns, and for dialog pages the window it shows.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/model/object.h"
#include "engine/model/view.h"
#include "engine/printer/paper_metrics.h"

namespace vl {

class TvlStreamReader;
class TvlStreamWriter;

enum TvlPageType : std::uint8_t { ptReport = 0, ptDialog = 1 };

// Sets the printer model to a page's paper (not forced) and fills metrics
// from it; when the printer refuses that paper, a custom size of the width,
// height and orientation with the default bin.
void vlApplyPagePaper(std::int32_t paperSize, std::int32_t paperWidth, std::int32_t paperHeight,
                      std::uint8_t orientation, std::int32_t bin, TvlPaperMetrics& metrics);

class TvlPage : public TvlObject {
 public:
  // Makes the view and script lists, applies the paper through the printer
  // model (taking back what it holds) and sets the defaults.
  TvlPage(std::int32_t paperSize, std::int32_t paperWidth, std::int32_t paperHeight,
          std::int32_t bin, std::uint8_t orientation);
  ~TvlPage() override;

  std::vector<std::unique_ptr<TvlView>> Objects;  // stacking order: later is on top
  std::string Name;
  std::uint8_t PageType = ptReport;
  std::int32_t PaperSize = 9;    // paper code of the printer model; 256 is a custom size
  std::int32_t PaperWidth = 0;   // tenths of a millimetre
  std::int32_t PaperHeight = 0;
  TvlRect Margins;               // left, top, right, bottom in design pixels
  std::uint8_t Orientation = 0;  // 0 portrait, 1 landscape
  std::int32_t Bin = -1;         // -1 or 65535: the printer's default source
  bool PrintToPrevPage = false;
  bool UseMargins = true;        // false when stretched to the printable area
  std::int32_t Columns = 0;
  std::int32_t ColumnWidth = 0;  // run-time only
  std::int32_t ColumnGap = 0;
  TvlPaperMetrics PaperMetrics;  // recomputed from the printer, never stored
  // Dialog pages.
  std::string Caption = "Form";
  std::uint8_t BorderStyle = 3;  // 3 dialog border, 2 sizeable
  TvlColor Color = clBtnFace;
  std::int32_t Left = 220, Top = 120, Width = 380, Height = 300;
  std::uint8_t Position = 4;     // 0 as designed, 4 centred on the screen
  std::vector<std::string> Script;  // OnBeforePrint (report page) or OnActivate (dialog page)
  std::uint8_t Visible = 1;

  // Applies the page's paper through the printer model: the paper is set (not
  // forced) and the metrics filled; when the printer refuses, a custom size of
  // the page's width and height with the default bin. The page then takes back
  // the printer's code, size and orientation, and its bin (0xFFFF for -1).
  void ApplyPaper();
  // The first view whose name equals name ignoring case.
  TvlView* FindObject(const std::string& name) const;

  // The page record (after the byte 255), in the form of the stream version in force.
  void LoadFromStream(TvlStreamReader& r);
  void SaveToStream(TvlStreamWriter& w) const;

  void SetProperty(const std::string& name, const TvlValue& value) override;
  TvlValue GetProperty(const std::string& name) override;
  void DeclareProperties() override;
};

}  // namespace vl
