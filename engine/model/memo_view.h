#pragma once
// The text object: memo lines with bracketed expressions, font, alignment,
// highlight and spacing.

#include <vector>

#include "engine/model/blob_field.h"
#include "engine/model/view.h"
#include "platform/canvas_types.h"

namespace vl {

class TvlMemoView : public TvlStretcheable {
 public:
  TvlMemoView();

  // Template fields.
  TvlFont Font;                 // "Arial", 10, plain, black, the default character set
  std::int32_t Alignment = vltaLeft;
  std::int32_t HighlightStyle = fsBold;     // font style while the highlight condition holds
  TvlColor HighlightFontColor = clBlack;
  TvlColor HighlightFillColor = clWhite;
  std::string HighlightCondition;           // empty: no highlight
  std::int32_t LineSpacing = 2;
  std::int32_t CharSpacing = 0;

  // Run-time: the text last printed, for flSuppress.
  std::string LastValue;

  // Layout results of the current print or draw (memo_layout.cpp).
  std::int32_t TextHeight = 0;   // laid-out lines plus both gaps (turned text: their width)
  std::int32_t LineHeight = 0;   // LineSpacing + the font's pixel height
  std::int32_t LinesDrawn = 0;   // lines drawn or counted by the last text draw
  bool Prewrapped = false;       // the lines already carry paragraph marks
  bool MeasuringForPrint = false;  // parts are counted, no vertical centring
  bool ExportDraw = false;       // lines go to the export consumer instead of being drawn
  std::vector<std::string> WrappedLines;  // the result of WrapMemo

  void LoadFromStream(TvlStreamReader& r) override;
  void SaveToStream(TvlStreamWriter& w) override;

  // ---- Layout and measuring (memo_layout.cpp). ----
  // Wraps PrintedMemo into WrappedLines on the scratch canvas at design
  // resolution and sets TextHeight and LineHeight. Uses the current geometry
  // (callers wrap between BeginDraw and EndDraw).
  void WrapMemo();
  std::int32_t MinHeight() override;
  std::int32_t RemainHeight() override;
  // The width the memo needs on the canvas at the draw's scale, in design
  // pixels, frame and gaps included (automatic width).
  std::int32_t NeededWidth(TvlCanvas& canvas);
  // The font's pixel height for measuring: round(size x 96 / 72).
  std::int32_t MeasurePixelHeight() const;

  // ---- Drawing (memo_draw.cpp). ----
  void Draw(TvlCanvas& canvas) override;
  // Draws (or with countOnly only counts) PrintedMemo inside the current
  // BeginDraw geometry; sets LinesDrawn.
  void DrawText(TvlCanvas& canvas, bool countOnly = false);
  void DrawUnderlines(TvlCanvas& canvas);
  // What text is measured and drawn with at the draw's scale: the canvas
  // font (turned or not) and the extra character spacing in device pixels.
  TvlCanvasFont DrawFont(const TvlCanvas& canvas, bool turned) const;
  std::int32_t DrawCharSpacing() const;

  // ---- Expansion, highlight, heights and printing (memo_print.cpp). ----
  void ExpandMemo();
  std::int32_t CalcHeight() override;
  void Print(TvlPrintSink& sink) override;

  // ---- Properties and menu (memo_properties.cpp). ----
  void SetProperty(const std::string& name, const TvlValue& value) override;
  TvlValue GetProperty(const std::string& name) override;
  TvlValue CallMethod(const std::string& name, const TvlValue& p1, const TvlValue& p2,
                      const TvlValue& p3) override;
  void DeclareProperties() override;
  void DefinePopupMenu(std::vector<TvlPopupEntry>& menu) override;
  // A field's content becomes the printed text, one line per line.
  void GetBlob(const TvlBlobField& field) override;

 private:
  // Highlight for one print or measurement: switches font and fill while the
  // condition holds; Restore puts them back.
  struct TvlHighlightSave {
    TvlFont Font;
    TvlColor Fill = clNone;
  };
  TvlHighlightSave ApplyHighlight();
  void RestoreHighlight(const TvlHighlightSave& saved);
  void WrapLine(const std::string& s, std::int32_t width, TvlCanvas& canvas);

  std::string compiledSource_, compiledCondition_;  // the highlight condition compiled once
  bool compiledOk_ = false;
};

// Context-menu entries of text views (TvlPopupEntry::Tag of Custom entries).
enum TvlMemoMenuTag : std::int32_t {
  mmVariableFormat = 1, mmFont, mmClearContents, mmFlag  // mmFlag + the flag bit's index
};
// Acts on a text view's menu entry for every selected view: toggles the
// flag named by the entry (views without rsDontModify) or clears memo and
// script (views without rsDontEditContents).
void vlMemoMenuAction(const TvlPopupEntry& entry, const std::vector<TvlView*>& selected);

// Hyphenation points of a word as counts of characters, increasing.
std::vector<std::size_t> vlHyphenationPoints(const std::string& word);

}  // namespace vl
