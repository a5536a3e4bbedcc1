#include "platform/recording_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/raster.h"

namespace vl {
namespace {

std::string Hex(TvlColor c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%06X", static_cast<unsigned>(c & 0xFFFFFF));
  if (vlIsSystemColor(c)) std::snprintf(buf, sizeof buf, "sys%u", static_cast<unsigned>(c & 0xFFFFFF));
  else if (c == clNone) return "none";
  return buf;
}
std::string Pt(TvlPoint p) { return std::to_string(p.X) + "," + std::to_string(p.Y); }
std::string Rc(const TvlRect& r) {
  return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
         std::to_string(r.Bottom);
}
const char* StyleName(TvlPenStyle s) {
  static const char* names[] = {"solid", "dash", "dot", "dashdot", "dashdotdot", "clear"};
  return names[static_cast<int>(s) % 6];
}
const char* ModeName(TvlPenMode m) { return m == TvlPenMode::Copy ? "copy" : m == TvlPenMode::Xor ? "xor" : "not"; }

// The pixels a text of width w and height h covers when turned about (x, y).
// Sums of a far-away text and a large extent are clamped, not wrapped round.
std::int32_t Sum(std::int64_t a, std::int64_t b) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(a + b, INT32_MIN, INT32_MAX));
}

TvlRect TurnedBounds(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::int32_t escapement) {
  const int e = ((escapement % 3600) + 3600) % 3600;
  if (e == 0) return {x, y, Sum(x, w), Sum(y, h)};
  if (e == 900) return {x, Sum(y, -std::int64_t{w}), Sum(x, h), y};
  if (e == 1800) return {Sum(x, -std::int64_t{w}), Sum(y, -std::int64_t{h}), x, y};
  if (e == 2700) return {Sum(x, -std::int64_t{h}), y, x, Sum(y, w)};
  const double a = e * M_PI / 1800.0, ca = std::cos(a), sa = std::sin(a);
  // Counter-clockwise on a surface whose y grows downward.
  const double xs[4] = {0, w * ca, w * ca + h * sa, h * sa};
  const double ys[4] = {0, -w * sa, -w * sa + h * ca, h * ca};
  return {Sum(x, static_cast<std::int64_t>(std::floor(*std::min_element(xs, xs + 4)))),
          Sum(y, static_cast<std::int64_t>(std::floor(*std::min_element(ys, ys + 4)))),
          Sum(x, static_cast<std::int64_t>(std::ceil(*std::max_element(xs, xs + 4)))),
          Sum(y, static_cast<std::int64_t>(std::ceil(*std::max_element(ys, ys + 4))))};
}

void CollectRuns(const std::vector<TvlCanvasOp>& ops, TvlPoint offset, std::vector<TvlTextRun>& out) {
  for (const TvlCanvasOp& op : ops) {
    if (op.Kind == TvlOpKind::Text) {
      TvlTextRun run{op.Text, op.Font, {op.At.X + offset.X, op.At.Y + offset.Y},
                     {op.Bounds.Left + offset.X, op.Bounds.Top + offset.Y, op.Bounds.Right + offset.X,
                      op.Bounds.Bottom + offset.Y},
                     op.Options};
      out.push_back(std::move(run));
    } else if (op.Kind == TvlOpKind::Canvas && op.Nested) {
      CollectRuns(*op.Nested, {offset.X + op.Rect.Left, offset.Y + op.Rect.Top}, out);
    }
  }
}

}  // namespace

TvlRecordingCanvas::TvlRecordingCanvas(TvlSize size, int dpi, TvlCanvas* measurer)
    : size_(size), dpi_(dpi), measurer_(measurer) {}

TvlCanvasOp& TvlRecordingCanvas::Add(TvlOpKind kind) {
  ops_.emplace_back();
  ops_.back().Kind = kind;
  return ops_.back();
}

void TvlRecordingCanvas::SetPen(const TvlPen& pen) {
  if (pen == Pen()) return;
  TvlCanvas::SetPen(pen);
  Add(TvlOpKind::Pen).Pen = pen;
}
void TvlRecordingCanvas::SetBrush(const TvlBrush& brush) {
  if (brush == Brush()) return;
  TvlCanvas::SetBrush(brush);
  Add(TvlOpKind::Brush).Brush = brush;
}
void TvlRecordingCanvas::SetFont(const TvlCanvasFont& font) {
  if (font == Font()) return;
  TvlCanvas::SetFont(font);
  Add(TvlOpKind::Font).Font = font;
}
void TvlRecordingCanvas::SetBkMode(TvlBkMode mode) {
  if (mode == BkMode()) return;
  TvlCanvas::SetBkMode(mode);
  Add(TvlOpKind::BkMode).BkMode = mode;
}
void TvlRecordingCanvas::SetCharSpacing(std::int32_t extra) {
  if (extra == CharSpacing()) return;
  TvlCanvas::SetCharSpacing(extra);
  Add(TvlOpKind::CharSpacing).A = extra;
}
void TvlRecordingCanvas::SetTextJustification(std::int32_t extra, std::int32_t breakCount) {
  TvlCanvas::SetTextJustification(extra, breakCount);
  TvlCanvasOp& op = Add(TvlOpKind::Justify);
  op.A = JustifyExtra();
  op.B = JustifyBreaks();
}

void TvlRecordingCanvas::FillRect(const TvlRect& r) { Add(TvlOpKind::FillRect).Rect = r; }
void TvlRecordingCanvas::Rectangle(const TvlRect& r) { Add(TvlOpKind::Rectangle).Rect = r; }
void TvlRecordingCanvas::Ellipse(const TvlRect& r) { Add(TvlOpKind::Ellipse).Rect = r; }
void TvlRecordingCanvas::Polygon(const std::vector<TvlPoint>& points) { Add(TvlOpKind::Polygon).Points = points; }
void TvlRecordingCanvas::Polyline(const std::vector<TvlPoint>& points) { Add(TvlOpKind::Polyline).Points = points; }
void TvlRecordingCanvas::SetPixel(std::int32_t x, std::int32_t y, TvlColor color) {
  TvlCanvasOp& op = Add(TvlOpKind::Pixel);
  op.At = {x, y};
  op.Color = color;
}
void TvlRecordingCanvas::DoLine(TvlPoint from, TvlPoint to) { Add(TvlOpKind::Line).Points = {from, to}; }

void TvlRecordingCanvas::SyncMeasurer() {
  measurer_->SetFont(Font());
  measurer_->SetCharSpacing(CharSpacing());
}

TvlSize TvlRecordingCanvas::TextExtent(const std::string& text) {
  if (measurer_) {
    SyncMeasurer();
    return measurer_->TextExtent(text);
  }
  const std::int64_t n = static_cast<std::int64_t>(vlCharCount(text));
  const std::int64_t h = std::clamp<std::int64_t>(std::abs(static_cast<std::int64_t>(Font().Height)), 1, 1'000'000);
  const std::int64_t w = std::clamp<std::int64_t>(n * ((h + 1) / 2 + CharSpacing()), -100'000'000, 100'000'000);
  return {static_cast<std::int32_t>(w), TextMetrics().Height};
}

TvlTextMetrics TvlRecordingCanvas::TextMetrics() {
  if (measurer_) {
    SyncMeasurer();
    return measurer_->TextMetrics();
  }
  const std::int32_t h = static_cast<std::int32_t>(
      std::clamp<std::int64_t>(std::abs(static_cast<std::int64_t>(Font().Height)), 1, 1'000'000));
  TvlTextMetrics m;
  m.Ascent = static_cast<std::int32_t>(std::lround(h * 0.9));
  m.Descent = static_cast<std::int32_t>(std::lround(h * 0.2));
  m.Height = m.Ascent + m.Descent;
  m.InternalLeading = m.Height - h;
  m.AveCharWidth = (h + 1) / 2;
  m.MaxCharWidth = h;
  return m;
}

void TvlRecordingCanvas::DoText(const TvlRect& clip, std::int32_t x, std::int32_t y, const std::string& text,
                                std::uint32_t options) {
  const std::int32_t w = TextWidth(text) + JustifyExtra();
  const std::int32_t h = TextMetrics().Height;
  TvlCanvasOp& op = Add(TvlOpKind::Text);
  op.Rect = clip;
  op.At = {x, y};
  op.Text = text;
  op.Options = options;
  op.Font = Font();
  op.A = JustifyExtra();
  op.B = JustifyBreaks();
  op.Bounds = TurnedBounds(x, y, w, h, Font().Escapement);
  if (options & toClipped) op.Bounds = vlIntersectRect(op.Bounds, clip);
}

void TvlRecordingCanvas::DoFillRegion(const TvlRegion& region) { Add(TvlOpKind::FillRegion).Region = region; }

void TvlRecordingCanvas::SetHalfTurn(const TvlRect& about) {
  TvlCanvas::SetHalfTurn(about);
  Add(TvlOpKind::Turn).Rect = about;
}

void TvlRecordingCanvas::ClipChanged() {
  TvlCanvasOp& op = Add(TvlOpKind::Clip);
  op.HasClip = ClipRegion().has_value();
  if (op.HasClip) op.Region = *ClipRegion();
}

void TvlRecordingCanvas::StretchRaster(const TvlRect& dest, const TvlRaster& raster, TvlStretchMode mode,
                                       bool deviceIndependent) {
  TvlCanvasOp& op = Add(TvlOpKind::Raster);
  op.Rect = dest;
  op.A = raster.Width;
  op.B = raster.Height;
  op.Options = (deviceIndependent ? 1u : 0u) | (mode == TvlStretchMode::Smooth ? 2u : 0u);
  op.Picture = std::make_shared<const TvlRaster>(raster);  // a recorded picture keeps its pixels
}

std::unique_ptr<TvlCanvas> TvlRecordingCanvas::CreateOffscreen(std::int32_t width, std::int32_t height) {
  return std::make_unique<TvlRecordingCanvas>(TvlSize{width, height}, dpi_, measurer_);
}

void TvlRecordingCanvas::DrawCanvas(std::int32_t x, std::int32_t y, TvlCanvas& source) {
  const TvlSize s = source.Size();
  TvlCanvasOp& op = Add(TvlOpKind::Canvas);
  op.Rect = {x, y, x + s.Width, y + s.Height};
  if (auto* rec = dynamic_cast<TvlRecordingCanvas*>(&source))
    op.Nested = std::make_shared<const std::vector<TvlCanvasOp>>(rec->Ops());
}

std::vector<TvlTextRun> TvlRecordingCanvas::TextRuns() const {
  std::vector<TvlTextRun> runs;
  CollectRuns(ops_, {0, 0}, runs);
  return runs;
}

std::string TvlRecordingCanvas::Describe(const TvlCanvasOp& op) {
  auto points = [&op] {
    std::string s;
    for (const TvlPoint& p : op.Points) s += (s.empty() ? "" : " ") + Pt(p);
    return s;
  };
  auto region = [&op] {
    std::string s;
    for (const TvlRect& r : op.Region.Rects()) s += (s.empty() ? "" : " ") + Rc(r);
    return s;
  };
  switch (op.Kind) {
    case TvlOpKind::Pen:
      return "pen " + Hex(op.Pen.Color) + " " + std::to_string(op.Pen.Width) + " " + StyleName(op.Pen.Style) + " " +
             ModeName(op.Pen.Mode);
    case TvlOpKind::Brush:
      if (op.Brush.Style == TvlBrushStyle::Clear) return "brush clear";
      if (op.Brush.Style == TvlBrushStyle::Pattern) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%02X%02X%02X%02X%02X%02X%02X%02X", op.Brush.Pattern[0], op.Brush.Pattern[1],
                      op.Brush.Pattern[2], op.Brush.Pattern[3], op.Brush.Pattern[4], op.Brush.Pattern[5],
                      op.Brush.Pattern[6], op.Brush.Pattern[7]);
        return "brush pattern " + Hex(op.Brush.Color) + " on " + Hex(op.Brush.PatternBack) + " " + buf;
      }
      return "brush " + Hex(op.Brush.Color);
    case TvlOpKind::Font:
      return "font '" + op.Font.Name + "' " + std::to_string(op.Font.Height) + " style " +
             std::to_string(op.Font.Style) + " " + Hex(op.Font.Color) + " esc " + std::to_string(op.Font.Escapement);
    case TvlOpKind::BkMode: return op.BkMode == TvlBkMode::Opaque ? "bkmode opaque" : "bkmode transparent";
    case TvlOpKind::CharSpacing: return "spacing " + std::to_string(op.A);
    case TvlOpKind::Justify: return "justify " + std::to_string(op.A) + " " + std::to_string(op.B);
    case TvlOpKind::Clip: return op.HasClip ? "clip " + region() : "clip none";
    case TvlOpKind::FillRect: return "fill " + Rc(op.Rect);
    case TvlOpKind::Rectangle: return "rect " + Rc(op.Rect);
    case TvlOpKind::Ellipse: return "ellipse " + Rc(op.Rect);
    case TvlOpKind::Polygon: return "polygon " + points();
    case TvlOpKind::Polyline: return "polyline " + points();
    case TvlOpKind::Line: return "line " + points();
    case TvlOpKind::Pixel: return "pixel " + Pt(op.At) + " " + Hex(op.Color);
    case TvlOpKind::Text: {
      std::string s = "text " + Pt(op.At) + " '" + op.Text + "'";
      if (op.Options & toClipped) s += " clip " + Rc(op.Rect);
      if (op.Options & toOpaque) s += " opaque";
      if (op.Options & toRtlReading) s += " rtl";
      return s;
    }
    case TvlOpKind::FillRegion: return "fillrgn " + region();
    case TvlOpKind::Raster:
      return std::string(op.Options & 1 ? "dib " : "raster ") + Rc(op.Rect) + " from " + std::to_string(op.A) + "x" +
             std::to_string(op.B);
    case TvlOpKind::Canvas: return "canvas " + Rc(op.Rect);
    case TvlOpKind::Turn: return vlRectEmpty(op.Rect) ? "turn none" : "turn about " + Rc(op.Rect);
  }
  return {};
}

void TvlRecordingCanvas::Replay(TvlCanvas& target) const { Replay(ops_, target); }

void TvlRecordingCanvas::Replay(const std::vector<TvlCanvasOp>& ops, TvlCanvas& t) {
  for (const TvlCanvasOp& op : ops) {
    switch (op.Kind) {
      case TvlOpKind::Pen: t.SetPen(op.Pen); break;
      case TvlOpKind::Brush: t.SetBrush(op.Brush); break;
      case TvlOpKind::Font: t.SetFont(op.Font); break;
      case TvlOpKind::BkMode: t.SetBkMode(op.BkMode); break;
      case TvlOpKind::CharSpacing: t.SetCharSpacing(op.A); break;
      case TvlOpKind::Justify: t.SetTextJustification(op.A, op.B); break;
      case TvlOpKind::Clip:
        t.SelectClipRegion(op.HasClip ? std::optional<TvlRegion>(op.Region) : std::nullopt);
        break;
      case TvlOpKind::FillRect: t.FillRect(op.Rect); break;
      case TvlOpKind::Rectangle: t.Rectangle(op.Rect); break;
      case TvlOpKind::Ellipse: t.Ellipse(op.Rect); break;
      case TvlOpKind::Polygon: t.Polygon(op.Points); break;
      case TvlOpKind::Polyline: t.Polyline(op.Points); break;
      case TvlOpKind::Line:
        if (op.Points.size() == 2) t.MoveTo(op.Points[0].X, op.Points[0].Y), t.LineTo(op.Points[1].X, op.Points[1].Y);
        break;
      case TvlOpKind::Pixel: t.SetPixel(op.At.X, op.At.Y, op.Color); break;
      case TvlOpKind::Text:
        if (!(t.Font() == op.Font)) t.SetFont(op.Font);
        t.TextRect(op.Rect, op.At.X, op.At.Y, op.Text, op.Options);
        break;
      case TvlOpKind::FillRegion: t.FillRegion(op.Region); break;
      case TvlOpKind::Raster:
        if (op.Picture)
          t.StretchRaster(op.Rect, *op.Picture, op.Options & 2 ? TvlStretchMode::Smooth : TvlStretchMode::ColorOnColor,
                          op.Options & 1);
        break;
      case TvlOpKind::Canvas:
        if (op.Nested) {
          auto off = t.CreateOffscreen(op.Rect.Width(), op.Rect.Height());
          Replay(*op.Nested, *off);
          t.DrawCanvas(op.Rect.Left, op.Rect.Top, *off);
        }
        break;
      case TvlOpKind::Turn: t.SetHalfTurn(op.Rect); break;
    }
  }
}

std::vector<std::string> TvlRecordingCanvas::Describe(bool withState) const {
  std::vector<std::string> out;
  for (const TvlCanvasOp& op : ops_) {
    const bool state = op.Kind <= TvlOpKind::Clip;
    if (!state || withState) out.push_back(Describe(op));
  }
  return out;
}

}  // namespace vl
