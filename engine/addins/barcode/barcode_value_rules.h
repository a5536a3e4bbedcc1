#pragma once
// What a symbology refuses before libzint sees the value: values that
// libzint would quietly change (upper-cased, padded, taken for another
// symbology) instead of encoding them as written.

#include <string>

#include "engine/addins/barcode/barcode_symbol.h"

namespace vl {

// Why the request's text cannot be encoded exactly as written, without the
// symbology's caption; empty when libzint may try it.
std::string vlRefusedBarCodeValue(const TvlBarCodeRequest& request);

// The text handed to libzint: Code 39 upper-cased when the request asks
// for it, every other text as it is.
std::string vlBarCodeInput(const TvlBarCodeRequest& request);

}  // namespace vl
