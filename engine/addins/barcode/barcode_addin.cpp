// Registration of the barcode view and its toolbar picture.

#include "engine/addins/barcode/barcode_addin.h"

#include "engine/addins/barcode/barcode_view.h"
#include "engine/core/string_table.h"
#include "engine/model/object_factory.h"
#include "platform/bitmap_codec.h"

namespace vl {
namespace {

constexpr int kBarCodeHint = 56500;

}  // namespace

const TvlRaster& vlBarCodeGlyph() {
  static const TvlRaster glyph = [] {
    TvlRaster r;
    r.Width = r.Height = 24;
    r.Pixels.assign(24 * 24, 0xFFFFFFFF);
    // Bar widths from left to right; a 0 is a one-pixel gap.
    constexpr int kPattern[] = {2, 0, 1, 0, 1, 0, 3, 0, 1, 0, 2, 0, 1, 0, 1};
    int x = 4;
    for (int w : kPattern) {
      if (w == 0) {
        ++x;
        continue;
      }
      for (int k = 0; k < w && x < 20; ++k, ++x)
        for (int y = 4; y < 17; ++y) r.At(x, y) = 0xFF000000;
    }
    // A line of human-readable text under the bars.
    for (int tx = 5; tx < 19; tx += 2) r.At(tx, 19) = r.At(tx, 18) = 0xFF404040;
    for (int k = 0; k < 24; ++k) {
      r.At(k, 0) = r.At(k, 23) = r.At(0, k) = r.At(23, k) = 0xFF808080;
    }
    return r;
  }();
  return glyph;
}

bool vlRegisterBarCodeView() {
  TvlAddInClass cls;
  cls.ClassName = kBarCodeClassName;
  cls.Create = [] { return std::make_unique<TvlBarCodeView>(); };
  const std::string bmp = vlEncodeBmp(vlBarCodeGlyph());
  cls.Presentation.Picture.assign(bmp.begin(), bmp.end());
  cls.Presentation.Hint = vlLoadStr(kBarCodeHint);
  return vlAddIns().Register(std::move(cls));
}

}  // namespace vl
