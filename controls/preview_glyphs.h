#pragma once
// The preview toolbar's glyphs (16 x 16, transparent ground), drawn in code.

#include <QImage>

namespace vl {

enum class TvlPreviewGlyph { Open, Save, Print, PageSetup, Find, Help, Exit, PageUp, PageDown };

QImage vlPreviewGlyph(TvlPreviewGlyph glyph);

}  // namespace vl
