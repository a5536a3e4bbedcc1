#include "platform/qt/qt_text_fonts.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QTextOption>
#include <algorithm>
#include <cmath>

#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/qt_text_parts.h"

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
  const QFont& f = Spaced(font, spacing);
  const QFontMetrics fm(f);
  const QString q = vlToQt(text);
  TvlSize size{0, fm.height()};
  // Extra spacing depends on the place in the line: such lines are measured whole.
  if (spacing == 0 && vlQtSplitTextParts(q, parts_) && parts_.size() > 1) {
    // Parts side by side, each measured once; the sum is rounded as Qt
    // rounds a whole line's width.
    double sum = 0;
    const std::size_t prefix = key.size() - text.size();
    for (const auto& [start, length] : parts_) {
      key.resize(prefix);
      key.append(reinterpret_cast<const char*>(q.constData() + start), static_cast<std::size_t>(length) * 2);
      auto it = partWidths_.find(key);
      if (it == partWidths_.end()) {
        if (partWidths_.size() >= kMaxExtents) partWidths_.clear();
        it = partWidths_.emplace(key, QFontMetricsF(f).horizontalAdvance(q.mid(start, length))).first;
      }
      sum += it->second;
    }
    size.Width = static_cast<std::int32_t>(std::floor(sum + 0.5));
    key.resize(prefix);
    key += text;
  } else {
    size.Width = fm.horizontalAdvance(q);
  }
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
