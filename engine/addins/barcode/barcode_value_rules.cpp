// Values refused before encoding, because libzint would print something
// else than what was asked for without a word.

#include "engine/addins/barcode/barcode_value_rules.h"

#include <algorithm>
#include <cctype>

#include "engine/core/string_table.h"

namespace vl {
namespace {

constexpr int kEan13Length = 56502;
constexpr int kCode39LowerCase = 56503;
constexpr int kEanAddOnLength = 56504;

bool AllDigitsOrPlus(const std::string& text) {
  return std::all_of(text.begin(), text.end(),
                     [](unsigned char c) { return std::isdigit(c) || c == '+'; });
}

bool HasLowerCase(const std::string& text) {
  return std::any_of(text.begin(), text.end(), [](unsigned char c) { return c >= 'a' && c <= 'z'; });
}

// EAN-13 takes 12 digits (the check digit is added) or 13 (it is checked),
// and an add-on of exactly 2 or 5 digits after "+". libzint would make a
// shorter number an EAN-8 or a bare add-on, pad a 1, 3 or 4 digit add-on
// with zeros to the next size and drop an empty one.
std::string Ean13Refusal(const std::string& text) {
  if (!AllDigitsOrPlus(text)) return {};  // libzint names the bad character
  const std::size_t plus = text.find('+');
  const std::size_t main = plus == std::string::npos ? text.size() : plus;
  if (main != 12 && main != 13) return vlLoadStr(kEan13Length);
  if (plus == std::string::npos) return {};
  const std::size_t addOn = text.size() - plus - 1;
  if ((addOn != 2 && addOn != 5) || text.find('+', plus + 1) != std::string::npos) return vlLoadStr(kEanAddOnLength);
  return {};
}

}  // namespace

std::string vlRefusedBarCodeValue(const TvlBarCodeRequest& request) {
  switch (request.Symbology) {
    case bcEAN13: return Ean13Refusal(request.Text);
    // Code 39 has no lower case; libzint would print capitals.
    case bcCode39: return !request.UpperCase && HasLowerCase(request.Text) ? vlLoadStr(kCode39LowerCase) : std::string();
    default: return {};
  }
}

std::string vlBarCodeInput(const TvlBarCodeRequest& request) {
  std::string text = request.Text;
  if (request.Symbology == bcCode39 && request.UpperCase)
    for (char& c : text)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

}  // namespace vl
