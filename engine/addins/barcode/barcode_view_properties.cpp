// The barcode view's named properties, for scripts and the object inspector.

#include <algorithm>
#include <cmath>

#include "engine/addins/barcode/barcode_view.h"
#include "engine/core/text.h"
#include "engine/core/value_convert.h"

namespace vl {
namespace {

// Module widths a script may set, in design pixels (0 up to about 27 cm).
constexpr double kMaxModuleWidth = 1000.0;

std::vector<TvlValue> SymbologyValues() {
  std::vector<TvlValue> values;
  for (int k = 0; k < bcSymbologyCount; ++k) values.emplace_back(k);
  return values;
}

}  // namespace

std::int32_t vlBarCodeRotation(std::int32_t degrees) {
  if (degrees % 90 != 0) return -1;
  return ((degrees % 360) + 360) % 360;
}

void TvlBarCodeView::DeclareProperties() {
  TvlView::DeclareProperties();
  AddEnumProperty("Symbology", vlSymbologyEnumNames(), SymbologyValues());
  AddProperty("Code", ptString | ptOneObject);
  AddProperty("CheckDigit", ptBoolean);
  AddProperty("ShowText", ptBoolean);
  AddEnumProperty("Rotation", "0;90;180;270",
                  std::vector<TvlValue>{TvlValue(0), TvlValue(90), TvlValue(180), TvlValue(270)});
  AddProperty("FitToView", ptBoolean);
  AddProperty("ModuleWidth", ptSize | ptFloat);
  AddProperty("UpperCase", ptBoolean);
  AddProperty("WideRatio", ptFloat);
  AddProperty("Utf8Eci", ptBoolean);
}

void TvlBarCodeView::SetProperty(const std::string& name, const TvlValue& value) {
  TvlView::SetProperty(name, value);
  const std::string n = vlUpperCase(name);
  if (n == "SYMBOLOGY") {
    // A number, or the enumeration's name as scripts may write it; anything
    // else leaves the symbology as it is.
    double code = -1;
    if (value.IsString()) {
      for (std::uint8_t k = 0; k < bcSymbologyCount; ++k)
        if (vlSameText(value.Str(), vlSymbologyInfo(k)->EnumName)) code = k;
      if (code < 0 && !vlTryTextToFloat(value.Str(), code)) code = -1;
    } else if (value.IsNumeric()) {
      code = vlValueToFloat(value);
    }
    if (code >= 0 && code < static_cast<double>(bcSymbologyCount) && code == std::floor(code)) Symbology = static_cast<std::uint8_t>(code);
  } else if (n == "CODE") {
    Code = vlValueToText(value);
  } else if (n == "CHECKDIGIT") {
    CheckDigit = vlValueToBool(value);
  } else if (n == "SHOWTEXT") {
    ShowText = vlValueToBool(value);
  } else if (n == "ROTATION") {
    const std::int32_t r = vlBarCodeRotation(vlValueToInteger(value));
    if (r >= 0) Rotation = r;
  } else if (n == "FITTOVIEW") {
    FitToView = vlValueToBool(value);
  } else if (n == "MODULEWIDTH") {
    const double w = vlValueToFloat(value);
    if (std::isfinite(w)) ModuleWidth = std::clamp(w, 0.0, kMaxModuleWidth);
  } else if (n == "UPPERCASE") {
    UpperCase = vlValueToBool(value);
  } else if (n == "WIDERATIO") {
    // Kept in tenths, as the record stores it.
    const double r = vlValueToFloat(value);
    if (std::isfinite(r)) WideRatio = std::round(std::clamp(r, double{kMinWideRatio}, double{kMaxWideRatio}) * 10) / 10;
  } else if (n == "UTF8ECI") {
    Utf8Eci = vlValueToBool(value);
  }
}

TvlValue TvlBarCodeView::GetProperty(const std::string& name) {
  TvlValue result = TvlView::GetProperty(name);
  if (!result.IsNull()) return result;
  const std::string n = vlUpperCase(name);
  if (n == "SYMBOLOGY") return TvlValue(static_cast<std::int32_t>(Symbology));
  if (n == "CODE") return TvlValue(Code);
  if (n == "CHECKDIGIT") return TvlValue(CheckDigit);
  if (n == "SHOWTEXT") return TvlValue(ShowText);
  if (n == "ROTATION") return TvlValue(Rotation);
  if (n == "FITTOVIEW") return TvlValue(FitToView);
  if (n == "MODULEWIDTH") return TvlValue(ModuleWidth);
  if (n == "UPPERCASE") return TvlValue(UpperCase);
  if (n == "WIDERATIO") return TvlValue(WideRatio);
  if (n == "UTF8ECI") return TvlValue(Utf8Eci);
  return result;
}

}  // namespace vl
