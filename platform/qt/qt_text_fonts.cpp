#include "platform/qt/qt_text_fonts.h"

#include <QFontMetrics>
#include <QTextOption>
#include <algorithm>

#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_text.h"

namespace vl {
namespace {

constexpr std::size_t kMaxExtents = 4'000;
constexpr std::size_t kMaxExtentKey = 1024;

}  // namespace

const QFont& TvlQtTextFonts::Current(const TvlCanvasFont& font) {
  if (!valid_ || !(key_ == font)) {
    key_ = font;
    font_ = vlQtFont(key_);
    valid_ = true;
    spacedValid_ = false;
  }
  return font_;
}

const QFont& TvlQtTextFonts::Spaced(const TvlCanvasFont& font, std::int32_t spacing) {
  const QFont& plain = Current(font);
  if (spacing == 0) return plain;
  if (!spacedValid_ || spacing_ != spacing) {
    spaced_ = plain;
    spaced_.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    spacing_ = spacing;
    spacedValid_ = true;
  }
  return spaced_;
}

TvlSize TvlQtTextFonts::Extent(const TvlCanvasFont& font, std::int32_t spacing, const std::string& text) {
  std::string& key = extentKey_;
  key.clear();
  const std::int32_t numbers[] = {font.Height, font.Style, font.Charset, spacing};
  key.append(reinterpret_cast<const char*>(numbers), sizeof numbers);
  key += font.Name;
  key += '\0';
  key += text;
  if (auto it = extents_.find(key); it != extents_.end()) return it->second;
  // Measured without the device, like the layout that draws it.
  const QFontMetrics fm(Spaced(font, spacing));
  const TvlSize size{fm.horizontalAdvance(vlToQt(text)), fm.height()};
  // Bounded: past the limit the widths are forgotten and measured anew.
  if (extents_.size() >= kMaxExtents) extents_.clear();
  if (key.size() <= kMaxExtentKey) extents_.emplace(key, size);
  return size;
}

TvlTextMetrics TvlQtTextFonts::Metrics(const TvlCanvasFont& font) {
  const QFont& f = Current(font);
  const QFontMetrics fm(f);
  TvlTextMetrics m;
  m.Ascent = fm.ascent();
  m.Descent = fm.descent();
  m.Height = fm.ascent() + fm.descent();
  m.InternalLeading = std::max(0, m.Height - f.pixelSize());
  m.ExternalLeading = std::max(0, fm.leading());
  m.AveCharWidth = fm.averageCharWidth();
  m.MaxCharWidth = fm.maxWidth();
  return m;
}

void vlQtLayOutLine(QTextLayout& layout, bool rightToLeft, double lineWidth) {
  QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
  option.setWrapMode(QTextOption::NoWrap);
  option.setFlags(QTextOption::IncludeTrailingSpaces);
  option.setTextDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
  layout.setTextOption(option);
  layout.beginLayout();
  QTextLine line = layout.createLine();
  line.setLineWidth(lineWidth);
  line.setPosition(QPointF(0, 0));
  layout.endLayout();
}

}  // namespace vl
