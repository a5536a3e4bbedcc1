#include "platform/qt/qt_pdf_fonts.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QTextLayout>
#include <algorithm>
#include <cstring>
#include <map>

#include "platform/qt/qt_text.h"
#include "platform/qt/qt_text_parts.h"

namespace vl {
namespace {

// Shaped texts kept for reuse; past this many the memory is given back and
// the cache starts again (a batch repeats its captions on every page).
constexpr std::size_t kMaxShapedTexts = 2'000;
// Longer texts are shaped each time they are drawn.
constexpr std::size_t kMaxShapedKey = 4096;

class QtFontTables : public TvlPdfFontSource {
 public:
  explicit QtFontTables(QRawFont raw) : raw_(std::move(raw)) {}
  std::string_view Table(std::uint32_t tag) const override {
    // Each table is read once: the subsetter asks for some several times,
    // and a Chinese face's outlines are megabytes.
    auto it = tables_.find(tag);
    if (it == tables_.end()) {
      const char name[5] = {static_cast<char>(tag >> 24), static_cast<char>(tag >> 16), static_cast<char>(tag >> 8),
                            static_cast<char>(tag), 0};
      it = tables_.emplace(tag, raw_.fontTable(name)).first;
    }
    return std::string_view(it->second.constData(), static_cast<std::size_t>(it->second.size()));
  }

 private:
  QRawFont raw_;
  mutable std::map<std::uint32_t, QByteArray> tables_;
};

void AppendKey(std::string& key, const void* data, std::size_t size) {
  key.append(static_cast<const char*>(data), size);
}

}  // namespace

TvlQtPdfText::TvlQtPdfText() = default;
TvlQtPdfText::~TvlQtPdfText() = default;

int TvlQtPdfText::FontNumber(const QRawFont& raw) {
  const QString key = raw.familyName() + QLatin1Char('|') + raw.styleName() + QLatin1Char('|') +
                      QString::number(raw.weight()) + QLatin1Char('|') + QString::number(int(raw.style()));
  if (auto it = numbers_.constFind(key); it != numbers_.constEnd()) return it.value();
  const int number = static_cast<int>(entries_.size());
  FontEntry entry;
  entry.Raw = raw;
  entry.Use.Source = std::make_shared<QtFontTables>(raw);
  entry.Use.Family = raw.familyName().toStdString() + "-" + raw.styleName().toStdString();
  entries_.push_back(std::move(entry));
  numbers_.insert(key, number);
  return number;
}

void TvlQtPdfText::Record(int font, const QRawFont& raw, const std::vector<std::uint16_t>& glyphs,
                          const QString& text) {
  auto& known = entries_[static_cast<std::size_t>(font)].Use.Glyphs;
  QList<quint32> fresh;
  for (std::uint16_t g : glyphs)
    if (!known.count(g) && !fresh.contains(g)) fresh.push_back(g);
  if (fresh.isEmpty()) return;
  // Widths as the embedded font states them, in thousandths of the em.
  const QList<QPointF> advances =
      raw.advancesForGlyphIndexes(fresh, QRawFont::SeparateAdvances | QRawFont::UseDesignMetrics);
  const double em = raw.pixelSize() > 0 ? raw.pixelSize() : 1;
  // The characters a glyph stands for: the text's characters that the
  // font's own character map turns into it.
  const QList<uint> chars = text.toUcs4();
  for (qsizetype i = 0; i < fresh.size(); ++i) {
    TvlPdfGlyph glyph;
    glyph.Width = i < advances.size() ? advances[i].x() / em * 1000.0 : 0;
    for (uint c : chars) {
      const char32_t one = c;
      const QString s = QString::fromUcs4(&one, 1);
      const QList<quint32> ids = raw.glyphIndexesForString(s);
      if (ids.size() == 1 && ids[0] == fresh[i]) {
        glyph.Text.push_back(one);
        break;
      }
    }
    known.emplace(static_cast<std::uint16_t>(fresh[i]), std::move(glyph));
  }
}

const TvlPdfShapedText& TvlQtPdfText::Shape(const TvlCanvasFont& font, std::int32_t spacing, double wordSpacing,
                                            bool rightToLeft, const std::string& text) {
  std::string key;
  key.reserve(text.size() * 2 + font.Name.size() + 40);
  AppendKey(key, &font.Height, sizeof font.Height);
  AppendKey(key, &font.Style, sizeof font.Style);
  AppendKey(key, &font.Charset, sizeof font.Charset);
  AppendKey(key, &spacing, sizeof spacing);
  AppendKey(key, &wordSpacing, sizeof wordSpacing);
  key += rightToLeft ? 'R' : 'L';
  key += font.Name;
  key += '\0';
  const std::size_t prefix = key.size();
  key += text;
  if (key.size() <= kMaxShapedKey)
    if (auto it = shaped_.find(key); it != shaped_.end()) return it->second;
  const QString qtext = vlToQt(text);
  // Extra character or word spacing moves glyphs by where they stand in
  // the line: such lines are laid out whole.
  if (rightToLeft || spacing != 0 || wordSpacing != 0 || !vlQtSplitTextParts(qtext, parts_) || parts_.size() < 2)
    return Keep(std::move(key), ShapeWhole(font, spacing, wordSpacing, rightToLeft, qtext));

  // The parts side by side on the line's one baseline (the highest of
  // theirs: a line is as high as its highest font).
  TvlPdfShapedText joined;
  const std::vector<std::pair<int, int>> parts = parts_;
  double baseline = 0;
  for (const auto& [start, length] : parts) {
    key.resize(prefix);
    key += '\1';  // parts are keyed apart from whole texts
    key.append(reinterpret_cast<const char*>(qtext.constData() + start), static_cast<std::size_t>(length) * 2);
    auto it = shaped_.find(key);
    if (it == shaped_.end())
      it = shaped_.emplace(key, ShapeWhole(font, spacing, wordSpacing, false, qtext.mid(start, length))).first;
    const TvlPdfShapedText& part = it->second;
    if (joined.Runs.empty() && joined.Width == 0) {
      joined.Ascent = part.Ascent, joined.UnderlineY = part.UnderlineY;
      joined.StrikeY = part.StrikeY, joined.LineWidth = part.LineWidth;
    }
    for (const TvlPdfGlyphRun& run : part.Runs) {
      if (!run.Y.empty()) baseline = std::max(baseline, run.Y[0]);
      TvlPdfGlyphRun* into = joined.Runs.empty() ? nullptr : &joined.Runs.back();
      if (!into || into->Font != run.Font || into->Size != run.Size || into->SyntheticBold != run.SyntheticBold ||
          into->SyntheticItalic != run.SyntheticItalic) {
        TvlPdfGlyphRun fresh = run;
        fresh.Glyphs.clear(), fresh.X.clear(), fresh.Y.clear(), fresh.Advance.clear();
        joined.Runs.push_back(std::move(fresh));
        into = &joined.Runs.back();
      }
      into->Glyphs.insert(into->Glyphs.end(), run.Glyphs.begin(), run.Glyphs.end());
      into->Advance.insert(into->Advance.end(), run.Advance.begin(), run.Advance.end());
      for (double x : run.X) into->X.push_back(x + joined.Width);
      into->Y.resize(into->Glyphs.size());
    }
    joined.Width += part.Width;
  }
  for (TvlPdfGlyphRun& run : joined.Runs) std::fill(run.Y.begin(), run.Y.end(), baseline);
  key.resize(prefix);
  key += text;
  return Keep(std::move(key), std::move(joined));
}

const TvlPdfShapedText& TvlQtPdfText::Keep(std::string key, TvlPdfShapedText shaped) {
  if (key.size() > kMaxShapedKey) {
    once_ = std::move(shaped);
    return once_;
  }
  if (shaped_.size() >= kMaxShapedTexts) shaped_.clear();
  return shaped_.insert_or_assign(std::move(key), std::move(shaped)).first->second;
}

TvlPdfShapedText TvlQtPdfText::ShapeWhole(const TvlCanvasFont& font, std::int32_t spacing, double wordSpacing,
                                          bool rightToLeft, const QString& qtext) {
  QFont qfont = fonts_.Spaced(font, spacing);
  if (wordSpacing != 0) qfont.setWordSpacing(wordSpacing);
  QTextLayout layout(qtext, qfont);
  vlQtLayOutLine(layout, rightToLeft, 1e6);
  TvlPdfShapedText shaped;
  shaped.Width = layout.lineCount() ? layout.lineAt(0).naturalTextWidth() : 0;
  const QFontMetricsF fm(qfont);
  shaped.Ascent = fm.ascent();
  shaped.UnderlineY = fm.underlinePos();
  shaped.StrikeY = -fm.ascent() / 3.0;
  shaped.LineWidth = fm.lineWidth();
  const bool wantBold = qfont.weight() >= QFont::Bold;
  const bool wantItalic = qfont.style() != QFont::StyleNormal;
  for (const QGlyphRun& run : layout.glyphRuns()) {
    const QRawFont raw = run.rawFont();
    const QList<quint32> ids = run.glyphIndexes();
    const QList<QPointF> at = run.positions();
    if (ids.isEmpty() || !raw.isValid()) continue;
    TvlPdfGlyphRun out;
    out.Font = FontNumber(raw);
    out.Size = raw.pixelSize();
    // Qt makes up bold and italic that the face lacks; so does the PDF.
    out.SyntheticItalic = wantItalic && raw.style() == QFont::StyleNormal;
    if (wantBold && raw.weight() < QFont::DemiBold) out.SyntheticBold = std::max(0.5, 0.5 * fm.lineWidth());
    out.Glyphs.reserve(static_cast<std::size_t>(ids.size()));
    for (qsizetype i = 0; i < ids.size() && i < at.size(); ++i) {
      // Glyph numbers past 65535 cannot be two-byte codes; no such font is installed.
      if (ids[i] > 0xFFFF) continue;
      out.Glyphs.push_back(static_cast<std::uint16_t>(ids[i]));
      out.X.push_back(at[i].x());
      out.Y.push_back(at[i].y());
    }
    Record(out.Font, raw, out.Glyphs, qtext);
    const auto& known = entries_[static_cast<std::size_t>(out.Font)].Use.Glyphs;
    out.Advance.reserve(out.Glyphs.size());
    for (std::uint16_t g : out.Glyphs) out.Advance.push_back(known.at(g).Width);
    shaped.Runs.push_back(std::move(out));
  }
  return shaped;
}

std::vector<TvlPdfFontUse> TvlQtPdfText::Uses() const {
  std::vector<TvlPdfFontUse> uses;
  uses.reserve(entries_.size());
  for (const FontEntry& e : entries_) uses.push_back(e.Use);
  return uses;
}

}  // namespace vl
