#include "platform/canvas.h"

#include <algorithm>

#include "platform/code_page.h"
#include "platform/metafile_player.h"
#include "platform/picture.h"

namespace vl {

TvlCanvas::~TvlCanvas() = default;

TvlColor vlResolveColor(TvlColor color) {
  if (color == clNone) return clWhite;
  if (color == clDefault) return clBlack;
  if (!vlIsSystemColor(color)) return color & 0x00FFFFFF;
  // The classic desktop scheme, by system-colour index (0x00BBGGRR).
  static constexpr TvlColor kSystem[] = {
      0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
      0x000000, 0x000000, 0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xD77800, 0xFFFFFF, 0xF0F0F0,
      0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
      0xE1FFFF, 0x000000, 0xCC6600, 0xEAD1B9, 0xF2E4D7, 0xD77800, 0xF0F0F0};
  const std::uint32_t index = color & 0x00FFFFFF;
  return index < std::size(kSystem) ? kSystem[index] : clBlack;
}

void TvlCanvas::SetTextJustification(std::int32_t extra, std::int32_t breakCount) {
  justifyExtra_ = breakCount > 0 ? extra : 0;
  justifyBreaks_ = breakCount > 0 ? breakCount : 0;
}

void TvlCanvas::SetPenColor(TvlColor c) {
  TvlPen p = pen_;
  p.Color = c;
  if (!(p == pen_)) SetPen(p);
}
void TvlCanvas::SetPenWidth(std::int32_t w) {
  TvlPen p = pen_;
  p.Width = w;
  if (!(p == pen_)) SetPen(p);
}
void TvlCanvas::SetPenStyle(TvlPenStyle s) {
  TvlPen p = pen_;
  p.Style = s;
  if (!(p == pen_)) SetPen(p);
}
void TvlCanvas::SetPenMode(TvlPenMode m) {
  TvlPen p = pen_;
  p.Mode = m;
  if (!(p == pen_)) SetPen(p);
}
void TvlCanvas::SetSolidBrush(TvlColor c) {
  TvlBrush b;
  b.Color = c;
  if (!(b == brush_)) SetBrush(b);
}
void TvlCanvas::SetClearBrush() {
  TvlBrush b = brush_;
  b.Style = TvlBrushStyle::Clear;
  if (!(b == brush_)) SetBrush(b);
}
void TvlCanvas::SetTextColor(TvlColor c) {
  if (font_.Color == c) return;
  TvlCanvasFont f = font_;
  f.Color = c;
  SetFont(f);
}
void TvlCanvas::SetFontHeight(std::int32_t h) {
  if (font_.Height == h) return;
  TvlCanvasFont f = font_;
  f.Height = h;
  SetFont(f);
}

void TvlCanvas::LineTo(std::int32_t x, std::int32_t y) {
  const TvlPoint to{x, y};
  DoLine(penPos_, to);
  penPos_ = to;
}

void TvlCanvas::TextRect(const TvlRect& clip, std::int32_t x, std::int32_t y, const std::string& text,
                         std::uint32_t options) {
  if (!(options & toClipped) || !vlRectEmpty(clip) || (options & toOpaque)) DoText(clip, x, y, text, options);
  justifyExtra_ = justifyBreaks_ = 0;
}

TvlSize TvlCanvas::MeasureText(const std::string& text) {
  if (text.empty()) return {};
  TvlSize size;
  std::int32_t lines = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    size.Width = std::max(size.Width, TextExtent(text.substr(start, end - start)).Width);
    ++lines;
    if (end == text.size()) break;
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    if (start == text.size()) break;  // a final line break adds no line
  }
  size.Height = lines * TextMetrics().Height;
  return size;
}

void TvlCanvas::FillRegion(const TvlRegion& region) {
  if (!region.Empty()) DoFillRegion(region);
}

void TvlCanvas::SelectClipRegion(const std::optional<TvlRegion>& region) {
  clip_ = region;
  ClipChanged();
}

void TvlCanvas::ExcludeClipRect(const TvlRect& r) {
  const TvlSize s = Size();
  TvlRegion base = clip_ ? *clip_ : TvlRegion(TvlRect{0, 0, s.Width, s.Height});
  clip_ = base.Subtract(TvlRegion(r));
  ClipChanged();
}

void TvlCanvas::IntersectClipRect(const TvlRect& r) {
  const TvlSize s = Size();
  TvlRegion base = clip_ ? *clip_ : TvlRegion(TvlRect{0, 0, s.Width, s.Height});
  clip_ = base.Intersect(TvlRegion(r));
  ClipChanged();
}

TvlRect TvlCanvas::ClipBox() const {
  const TvlSize s = Size();
  const TvlRect all{0, 0, s.Width, s.Height};
  return clip_ ? vlIntersectRect(clip_->Bounds(), all) : all;
}

bool TvlCanvas::PtVisible(std::int32_t x, std::int32_t y) const {
  const TvlSize s = Size();
  if (x < 0 || y < 0 || x >= s.Width || y >= s.Height) return false;
  return !clip_ || clip_->Contains({x, y});
}

bool TvlCanvas::RectVisible(const TvlRect& r) const {
  const TvlSize s = Size();
  const TvlRect v = vlIntersectRect(r, {0, 0, s.Width, s.Height});
  if (vlRectEmpty(v)) return false;
  return !clip_ || clip_->Intersects(v);
}

void TvlCanvas::StretchDraw(const TvlRect& dest, const TvlPicture& picture, bool toPrinter) {
  if (vlRectEmpty(dest) || picture.Empty()) return;
  if (picture.IsMetafile()) {
    if (picture.Valid()) vlPlayMetafile(*this, picture.Bytes(), dest);
    return;
  }
  if (const TvlRaster* raster = picture.Raster())
    StretchRaster(dest, *raster, toPrinter ? TvlStretchMode::ColorOnColor : TvlStretchMode::Smooth, toPrinter);
}

std::size_t vlCharCount(const std::string& text) {
  std::size_t n = 0;
  for (std::size_t pos = 0; pos < text.size(); pos += vlCharLength(text, pos)) ++n;
  return n;
}

std::int32_t vlBreakCount(const std::string& text) {
  std::int32_t n = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t len = vlCharLength(text, pos);
    const auto c = static_cast<unsigned char>(text[pos]);
    if ((len == 1 && (c == 32 || c == 160)) || (len == 2 && c == 0xC2 && static_cast<unsigned char>(text[pos + 1]) == 0xA0 &&
                                                vlPlatformCodePage() == "UTF-8"))
      ++n;
    pos += len;
  }
  return n;
}

}  // namespace vl
