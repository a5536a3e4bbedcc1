#pragma once
// A barcode symbol as figures: the symbologies the barcode view offers and
// their encoding through libzint into bars and human-readable captions,
// measured in modules (the narrowest bar's width). Nothing of libzint shows
// outside barcode_symbol.cpp.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vl {

// The symbology codes stored in a barcode view's record; new codes are only
// ever appended.
enum TvlBarCodeSymbology : std::uint8_t {
  bcCode128 = 0,
  bcCode39,
  bcEAN13,
  bcQRCode,
  bcDataMatrix,
  bcIntelligentMail,  // USPS Intelligent Mail (4-state, 65 bars)
  bcRoyalMail,        // Royal Mail 4-state customer code
  bcAusPost,          // Australia Post standard customer barcode
  bcHanXin,           // Chinese Sensible (Han Xin) code
  bcSymbologyCount
};

struct TvlSymbologyInfo {
  const char* EnumName;  // the inspector's name ("bcQRCode")
  const char* Caption;   // how messages name it ("QR Code")
  const char* Sample;    // a value it encodes, shown in the designer
  bool FixedRatio;       // a matrix code: square modules, scaled as a whole
};
// nullptr for a code this build does not know.
const TvlSymbologyInfo* vlSymbologyInfo(std::uint8_t symbology);
// The enumeration names joined by ";" in code order.
std::string vlSymbologyEnumNames();

// Code 39's wide elements: from twice to three times the narrow ones.
inline constexpr float kMinWideRatio = 2.0f;
inline constexpr float kMaxWideRatio = 3.0f;

struct TvlBarCodeRequest {
  std::uint8_t Symbology = bcCode128;
  std::string Text;         // UTF-8
  bool CheckDigit = false;  // the symbology's optional check digit (Code 39)
  bool ShowText = true;     // human-readable text where the symbology has one
  float BarHeight = 0;      // modules; 0 takes the symbology's default
  // Code 39: lower-case letters are printed as capitals instead of refused.
  bool UpperCase = false;
  // Code 39: the wide bars' and spaces' width in narrow ones
  // (kMinWideRatio to kMaxWideRatio).
  float WideRatio = kMinWideRatio;
  // QR Code: text as UTF-8 announced by ECI 26, which phone readers decode
  // right; off, the encoder picks Latin-1 or Shift-JIS without a marker.
  bool Utf8Eci = true;
  bool operator==(const TvlBarCodeRequest&) const = default;
};

// A dark rectangle; coordinates in modules from the symbol's top-left.
struct TvlBarCodeBar {
  float X = 0, Y = 0, Width = 0, Height = 0;
};

// Human-readable text: Y is its baseline, X its anchor (Align 0 centre,
// 1 left edge, 2 right edge), Size the character height, all in modules.
struct TvlBarCodeCaption {
  std::string Text;  // UTF-8
  float X = 0, Y = 0, Size = 0;
  int Align = 0;
};

struct TvlBarCodeSymbol {
  std::string Error;             // why the text cannot be encoded; empty when it was
  float Width = 0, Height = 0;   // the whole symbol with quiet zones and text, in modules
  float BarHeight = 0;           // the bar height it was made with; the rest of Height is fixed
  bool FixedRatio = false;
  std::vector<TvlBarCodeBar> Bars;
  std::vector<TvlBarCodeCaption> Captions;
  bool Ok() const { return Error.empty(); }
};

// Encodes the request with compliant quiet zones. A text the symbology
// cannot take exactly (not even one character changed or padded) gives a
// symbol with Error set (the symbology's caption and the reason) and no
// bars; nothing throws.
TvlBarCodeSymbol vlEncodeBarCode(const TvlBarCodeRequest& request);

}  // namespace vl
