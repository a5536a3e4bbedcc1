#pragma once
// The Qt fonts behind a surface's font and character spacing, built again
// only when either changes, with the measurements and the one-line layout
// that every Qt surface (painter or PDF) shares, so that what one measures
// the other draws.

#include <QFont>
#include <QTextLayout>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/canvas_types.h"

namespace vl {

class TvlQtTextFonts {
 public:
  // The surface's font as a QFont.
  const QFont& Current(const TvlCanvasFont& font);
  // The same with the extra character spacing: what text is measured and
  // laid out with.
  const QFont& Spaced(const TvlCanvasFont& font, std::int32_t spacing);
  // One line's width (with the spacing) and the font's height. Widths are
  // kept per font, spacing and text: a page measures the same captions and
  // lines again and again.
  TvlSize Extent(const TvlCanvasFont& font, std::int32_t spacing, const std::string& text);
  TvlTextMetrics Metrics(const TvlCanvasFont& font);

 private:
  TvlCanvasFont key_;
  bool valid_ = false;
  QFont font_;
  bool spacedValid_ = false;
  std::int32_t spacing_ = 0;
  QFont spaced_;
  std::unordered_map<std::string, TvlSize> extents_;
  std::unordered_map<std::string, double> partWidths_;
  std::vector<std::pair<int, int>> parts_;
  std::string extentKey_;
};

// Lays the layout's text out as one line at (0, 0): left-aligned, never
// wrapped, trailing blanks kept; lineWidth matters only to a painted
// background.
void vlQtLayOutLine(QTextLayout& layout, bool rightToLeft, double lineWidth);

}  // namespace vl
