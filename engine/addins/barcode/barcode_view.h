#pragma once
// The barcode view, an add-in view class: a value (text with bracketed
// expressions, expanded when printed like a text view's memo) drawn as a
// barcode of the chosen symbology in vector rectangles.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/addins/barcode/barcode_symbol.h"
#include "engine/model/view.h"

namespace vl {

// The class name that templates and prepared pages store before its records.
inline constexpr const char* kBarCodeClassName = "TvlBarCodeView";
// Version of the add-in's own record (after the common view data).
inline constexpr std::uint8_t kBarCodeRecordVersion = 1;

class TvlBarCodeView : public TvlView {
 public:
  TvlBarCodeView() {
    Typ = otAddIn;
    ClassName = kBarCodeClassName;
    BaseName = "BarCode";
  }

  // Template fields (the add-in's record).
  std::uint8_t Symbology = bcCode128;
  std::string Code;          // the value to encode; may hold [expressions]
  bool CheckDigit = false;   // the symbology's optional check digit (Code 39)
  bool ShowText = true;      // human-readable text under linear codes
  std::int32_t Rotation = 0;  // 0, 90, 180 or 270 degrees counter-clockwise
  bool FitToView = true;     // the code fills the view; otherwise ModuleWidth
  double ModuleWidth = 1.2;  // design pixels per module when not fitted

  // Run-time: the value as printed (Code with its brackets expanded),
  // written in place of Code in printing form.
  std::string PrintedCode;

  // ---- Stream (barcode_view_stream.cpp). ----
  void LoadFromStream(TvlStreamReader& r) override;
  void SaveToStream(TvlStreamWriter& w) override;

  // ---- Properties (barcode_view_properties.cpp). ----
  void SetProperty(const std::string& name, const TvlValue& value) override;
  TvlValue GetProperty(const std::string& name) override;
  void DeclareProperties() override;

  // ---- Drawing (barcode_view_draw.cpp). ----
  void Draw(TvlCanvas& canvas) override;
  // The encoded symbol of a request, kept for the next draws of the same one.
  std::shared_ptr<const TvlBarCodeSymbol> Symbol(const TvlBarCodeRequest& request) const;

 protected:
  // ---- Printing (barcode_view_print.cpp). ----
  void PreparePrint() override;

 private:
  // The inner rectangle of the current draw (right and bottom exclusive),
  // in device pixels.
  struct Box {
    double Left = 0, Top = 0, Width = 0, Height = 0;
  };
  Box InnerBox() const;
  void DrawCode(TvlCanvas& canvas);
  void DrawSymbol(TvlCanvas& canvas, const TvlBarCodeRequest& request, const TvlBarCodeSymbol& natural);
  void DrawError(TvlCanvas& canvas, const std::string& message);

  mutable std::vector<std::pair<TvlBarCodeRequest, std::shared_ptr<const TvlBarCodeSymbol>>> cache_;
};

// Rotation values the view keeps: a multiple of 90 from 0 to 270; any other
// value gives -1.
std::int32_t vlBarCodeRotation(std::int32_t degrees);

}  // namespace vl
