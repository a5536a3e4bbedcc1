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
// Versions of the add-in's own record (after the common view data): a view
// whose later options keep their defaults writes the first version, byte
// for byte as before they existed; any other view writes the latest.
inline constexpr std::uint8_t kBarCodeRecordFirstVersion = 1;
inline constexpr std::uint8_t kBarCodeRecordVersion = 2;
// Defaults of the options that version 2 added.
inline constexpr bool kBarCodeDefaultUpperCase = false;
inline constexpr double kBarCodeDefaultWideRatio = 2.0;
inline constexpr bool kBarCodeDefaultUtf8Eci = true;

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
  // Added in record version 2.
  bool UpperCase = kBarCodeDefaultUpperCase;    // Code 39: lower case printed as capitals, not refused
  double WideRatio = kBarCodeDefaultWideRatio;  // Code 39: wide elements in narrow ones, 2 to 3 in tenths
  bool Utf8Eci = kBarCodeDefaultUtf8Eci;        // QR Code: text as UTF-8 marked by ECI 26

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
  // The encoding request of a value (in the system code page) with this
  // view's symbology and options.
  TvlBarCodeRequest Request(const std::string& value) const;
  // Why the value as it stands (Code: on a prepared page, the value as
  // printed) cannot be encoded, in the system code page, as the error box
  // says it; empty when it can or when the value is empty.
  std::string ValueError() const override;

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

// Texts between the system code page, in which views hold them, and the
// UTF-8 that libzint takes and gives.
std::string vlBarCodeTextToUtf8(const std::string& text);
std::string vlBarCodeTextFromUtf8(const std::string& text);

// Rotation values the view keeps: a multiple of 90 from 0 to 270; any other
// value gives -1.
std::int32_t vlBarCodeRotation(std::int32_t degrees);

}  // namespace vl
