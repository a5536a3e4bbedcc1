// Barcode symbols through libzint: the symbology table and the encoding of
// one value into bars and captions, in modules.

#include "engine/addins/barcode/barcode_symbol.h"

#include <zint.h>

#include <algorithm>

#include "engine/addins/barcode/barcode_value_rules.h"
#include "engine/addins/barcode/barcode_wide_ratio.h"
#include "engine/core/string_table.h"

namespace vl {
namespace {

struct Symbology {
  TvlSymbologyInfo Info;
  int Zint;
};

// Indexed by TvlBarCodeSymbology.
constexpr Symbology kSymbologies[] = {
    {{"bcCode128", "Code 128", "Code 128", false}, BARCODE_CODE128},
    {{"bcCode39", "Code 39", "CODE 39", false}, BARCODE_CODE39},
    {{"bcEAN13", "EAN-13", "501234567890", false}, BARCODE_EANX},
    {{"bcQRCode", "QR Code", "QR Code", true}, BARCODE_QRCODE},
    {{"bcDataMatrix", "Data Matrix", "Data Matrix", true}, BARCODE_DATAMATRIX},
    {{"bcIntelligentMail", "Intelligent Mail", "01234567094987654321-01234567891", false}, BARCODE_USPS_IMAIL},
    {{"bcRoyalMail", "Royal Mail 4-state", "SN34RD1A", false}, BARCODE_RM4SCC},
    {{"bcAusPost", "Australia Post", "56439111", false}, BARCODE_AUSPOST},
    {{"bcHanXin", "Han Xin", "Han Xin", true}, BARCODE_HANXIN},
};
static_assert(std::size(kSymbologies) == bcSymbologyCount, "one entry per symbology code");

constexpr int kUnknownSymbology = 56501;

// libzint's messages begin with "Error 123: " or "Warning 123: ".
std::string ZintMessage(const char* text) {
  std::string s = text;
  const std::size_t colon = s.find(": ");
  if (colon != std::string::npos && colon < 16 && (s.rfind("Error ", 0) == 0 || s.rfind("Warning ", 0) == 0))
    s.erase(0, colon + 2);
  return s;
}

// The ECI number of UTF-8.
constexpr int kEciUtf8 = 26;

struct SymbolDeleter {
  void operator()(zint_symbol* s) const { ZBarcode_Delete(s); }
};

}  // namespace

const TvlSymbologyInfo* vlSymbologyInfo(std::uint8_t symbology) {
  return symbology < bcSymbologyCount ? &kSymbologies[symbology].Info : nullptr;
}

std::string vlSymbologyEnumNames() {
  std::string names;
  for (const Symbology& s : kSymbologies) {
    if (!names.empty()) names += ';';
    names += s.Info.EnumName;
  }
  return names;
}

TvlBarCodeSymbol vlEncodeBarCode(const TvlBarCodeRequest& request) {
  TvlBarCodeSymbol out;
  const TvlSymbologyInfo* info = vlSymbologyInfo(request.Symbology);
  if (!info) {
    out.Error = vlLoadStr(kUnknownSymbology) + std::to_string(request.Symbology);
    return out;
  }
  const Symbology& sym = kSymbologies[request.Symbology];
  out.FixedRatio = info->FixedRatio;
  if (const std::string refused = vlRefusedBarCodeValue(request); !refused.empty()) {
    out.Error = std::string(info->Caption) + ": " + refused;
    return out;
  }

  std::unique_ptr<zint_symbol, SymbolDeleter> s(ZBarcode_Create());
  if (!s) {
    out.Error = std::string(info->Caption) + ": out of memory";
    return out;
  }
  s->symbology = sym.Zint;
  s->input_mode = UNICODE_MODE;
  s->output_options = BARCODE_QUIET_ZONES;
  s->show_hrt = request.ShowText ? 1 : 0;
  s->scale = 0.5f;  // vector output then counts in modules
  if (request.BarHeight > 0 && !info->FixedRatio) s->height = request.BarHeight;
  switch (request.Symbology) {
    case bcCode39: s->option_2 = request.CheckDigit ? 1 : 0; break;
    case bcQRCode:
      s->option_1 = 2;  // error correction level M: envelopes get scuffed
      if (request.Utf8Eci) s->eci = kEciUtf8;
      break;
    case bcDataMatrix: s->option_3 = DM_SQUARE; break;
    default: break;
  }

  const std::string input = vlBarCodeInput(request);
  const auto* data = reinterpret_cast<const unsigned char*>(input.data());
  int rc = ZBarcode_Encode(s.get(), data, static_cast<int>(input.size()));
  if (rc < ZINT_ERROR) rc = ZBarcode_Buffer_Vector(s.get(), 0);
  if (rc >= ZINT_ERROR || !s->vector) {
    out.Error = std::string(info->Caption) + ": " + ZintMessage(s->errtxt);
    return out;
  }

  const zint_vector& v = *s->vector;
  out.Width = v.width;
  out.Height = v.height;
  out.BarHeight = s->height;
  for (const zint_vector_rect* r = v.rectangles; r; r = r->next)
    if (r->colour != 8)  // 8 is white: only colour codes draw light rectangles
      out.Bars.push_back({r->x, r->y, r->width, r->height});
  for (const zint_vector_string* t = v.strings; t; t = t->next)
    if (t->text) out.Captions.push_back({reinterpret_cast<const char*>(t->text), t->x, t->y, t->fsize, t->halign});
  if (request.Symbology == bcCode39)
    vlWidenCode39(out, std::clamp(request.WideRatio, kMinWideRatio, kMaxWideRatio));
  return out;
}

}  // namespace vl
