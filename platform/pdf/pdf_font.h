#pragma once
// One font of a PDF document as the pages used it: its tables (the font
// file), the glyphs drawn with their widths, and the characters each glyph
// stands for. Written as a Type 0 font of the used glyphs only (the subset
// keeps the glyph numbers, so the pages' two-byte codes are glyph numbers)
// with a ToUnicode map, so that text can be copied and searched.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace vl {

class TvlPdfFile;
class TvlPdfDeflate;

class TvlPdfFontSource {
 public:
  virtual ~TvlPdfFontSource();
  // The font's table of that tag, empty when it has none; the bytes stay
  // valid as long as the source.
  virtual std::string_view Table(std::uint32_t tag) const = 0;
};

struct TvlPdfGlyph {
  double Width = 0;        // advance in thousandths of the em
  std::u32string Text;     // the characters the glyph draws; may be empty
};

struct TvlPdfFontUse {
  std::shared_ptr<const TvlPdfFontSource> Source;
  std::string Family;  // the name used when the font carries none
  std::map<std::uint16_t, TvlPdfGlyph> Glyphs;
};

// Writes the font as object n and the objects it refers to. A font whose
// tables cannot be subset is embedded whole; one without outlines raises
// std::runtime_error.
void vlPdfWriteFont(TvlPdfFile& file, int n, const TvlPdfFontUse& font, TvlPdfDeflate& deflate);

// The ToUnicode map of the glyphs (exposed for tests).
std::string vlPdfToUnicodeCMap(const std::map<std::uint16_t, TvlPdfGlyph>& glyphs);

}  // namespace vl
