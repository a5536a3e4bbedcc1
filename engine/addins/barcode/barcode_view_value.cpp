// A barcode view's value as libzint sees it: the request made of the value
// and the view's options, the symbols kept between draws, and whether the
// value can be encoded at all.

#include <algorithm>

#include "engine/addins/barcode/barcode_view.h"
#include "platform/code_page.h"

namespace vl {
namespace {

// The most symbols a view keeps between draws.
constexpr std::size_t kCachedSymbols = 4;

}  // namespace

std::string vlBarCodeTextToUtf8(const std::string& text) {
  return vlConvertEncoding(text, vlPlatformCodePage().c_str(), "UTF-8");
}

std::string vlBarCodeTextFromUtf8(const std::string& text) {
  return vlConvertEncoding(text, "UTF-8", vlPlatformCodePage().c_str());
}

TvlBarCodeRequest TvlBarCodeView::Request(const std::string& value) const {
  TvlBarCodeRequest request;
  request.Symbology = Symbology;
  request.Text = vlBarCodeTextToUtf8(value);
  request.CheckDigit = CheckDigit;
  request.ShowText = ShowText;
  request.UpperCase = UpperCase;
  request.WideRatio = std::clamp(static_cast<float>(WideRatio), kMinWideRatio, kMaxWideRatio);
  request.Utf8Eci = Utf8Eci;
  return request;
}

std::shared_ptr<const TvlBarCodeSymbol> TvlBarCodeView::Symbol(const TvlBarCodeRequest& request) const {
  for (const auto& [key, symbol] : cache_)
    if (key == request) return symbol;
  auto symbol = std::make_shared<const TvlBarCodeSymbol>(vlEncodeBarCode(request));
  if (cache_.size() >= kCachedSymbols) cache_.erase(cache_.begin());
  cache_.emplace_back(request, symbol);
  return symbol;
}

std::string TvlBarCodeView::ValueError() const {
  if (Code.empty()) return {};
  const std::shared_ptr<const TvlBarCodeSymbol> symbol = Symbol(Request(Code));
  return symbol->Ok() ? std::string() : vlBarCodeTextFromUtf8(symbol->Error);
}

}  // namespace vl
