#pragma once
// Text for the PDF surface: laid out by Qt exactly as the painter surface
// lays it out, turned into runs of glyph numbers and positions in the fonts
// Qt chose, each font numbered once for the document and the glyphs it drew
// recorded (width and characters) for its embedded subset. A text is laid
// out once per font, spacing and direction; later draws reuse the runs.

#include <QHash>
#include <QRawFont>
#include <QString>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/canvas_types.h"
#include "platform/pdf/pdf_font.h"
#include "platform/qt/qt_text_fonts.h"

namespace vl {

struct TvlPdfGlyphRun {
  int Font = 0;          // the document's font number
  double Size = 0;       // the em in surface pixels
  bool SyntheticItalic = false;
  double SyntheticBold = 0;  // the second pass's offset; 0 when none
  std::vector<std::uint16_t> Glyphs;
  std::vector<double> X, Y;  // each glyph's origin from the text's top-left
  std::vector<double> Advance;  // each glyph's width in thousandths of the em
};

struct TvlPdfShapedText {
  std::vector<TvlPdfGlyphRun> Runs;
  double Width = 0;  // the laid-out line's natural width
  // Underline and strike-out, as the painter draws them: offsets from the
  // baseline and the line's thickness.
  double Ascent = 0, UnderlineY = 0, StrikeY = 0, LineWidth = 0;
};

class TvlQtPdfText {
 public:
  TvlQtPdfText();
  ~TvlQtPdfText();

  // The runs of text drawn in font with the spacing, the word spacing of a
  // justified line and the reading direction.
  const TvlPdfShapedText& Shape(const TvlCanvasFont& font, std::int32_t spacing, double wordSpacing, bool rightToLeft,
                                const std::string& text);
  // The measurements every Qt surface shares.
  TvlQtTextFonts& Fonts() { return fonts_; }
  // The fonts in the order of their numbers, with the glyphs drawn so far.
  std::vector<TvlPdfFontUse> Uses() const;

 private:
  // Qt's layout of the whole text.
  TvlPdfShapedText ShapeWhole(const TvlCanvasFont& font, std::int32_t spacing, double wordSpacing, bool rightToLeft,
                              const QString& text);
  const TvlPdfShapedText& Keep(std::string key, TvlPdfShapedText shaped);
  int FontNumber(const QRawFont& raw);
  void Record(int font, const QRawFont& raw, const std::vector<std::uint16_t>& glyphs, const QString& text);

  struct FontEntry {
    QRawFont Raw;
    TvlPdfFontUse Use;
  };
  TvlQtTextFonts fonts_;
  std::vector<FontEntry> entries_;
  QHash<QString, int> numbers_;
  std::unordered_map<std::string, TvlPdfShapedText> shaped_;
  TvlPdfShapedText once_;  // a text too long to keep
  std::vector<std::pair<int, int>> parts_;
};

}  // namespace vl
