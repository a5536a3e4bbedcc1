#include "platform/qt/qt_pdf_canvas.h"

#include <QImage>
#include <algorithm>
#include <bit>
#include <cmath>
#include <numbers>
#include <stdexcept>

#include "platform/qt/qt_canvas.h"
#include "platform/dash_pattern.h"
#include "platform/raster.h"

namespace vl {
namespace {

// A pattern brush is drawn as its picture over the filled area; areas
// beyond this many pixels take the pattern's mixed colour instead.
constexpr std::int64_t kMaxPatternPixels = 4'000'000;
constexpr std::size_t kMaxPageContent = std::size_t{1} << 30;
// The four Bezier handles of a quarter ellipse.
constexpr double kKappa = 0.5522847498;

// "0.502"-style channel values, made once.
const std::string& Channel(unsigned v) {
  static const std::vector<std::string> table = [] {
    std::vector<std::string> t(256);
    for (unsigned i = 0; i < 256; ++i) vlPdfNumber(t[i], i / 255.0);
    return t;
  }();
  return table[v & 0xFF];
}

std::uint32_t Mixed(const TvlBrush& b) {
  int on = 0;
  for (std::uint8_t row : b.Pattern) on += std::popcount(row);
  const TvlColor f = vlResolveColor(b.Color), g = vlResolveColor(b.PatternBack);
  auto mix = [&](int shift) {
    return static_cast<TvlColor>(((((f >> shift) & 0xFF) * on + ((g >> shift) & 0xFF) * (64 - on)) / 64) << shift);
  };
  return mix(0) | mix(8) | mix(16);
}

}  // namespace

int TvlQtPdfResources::Image(const TvlRaster& raster, bool interpolate, std::vector<TvlPdfImage>& images) {
  TvlPdfHash h = vlPdfHash(raster.Pixels.data(), raster.Pixels.size() * sizeof(std::uint32_t));
  h.A ^= (static_cast<std::uint64_t>(raster.Width) << 32) | static_cast<std::uint32_t>(raster.Height);
  h.B += interpolate ? 1 : 0;
  if (auto it = images_.find(h); it != images_.end()) return it->second;
  TvlPdfImage image;
  image.Index = static_cast<int>(images_.size());
  image.Width = raster.Width;
  image.Height = raster.Height;
  image.Interpolate = interpolate;
  const std::size_t n = static_cast<std::size_t>(raster.Width) * static_cast<std::size_t>(raster.Height);
  image.Rgb.resize(n * 3);
  bool opaque = true;
  for (std::size_t i = 0; i < n && i < raster.Pixels.size(); ++i) {
    const std::uint32_t p = raster.Pixels[i];
    image.Rgb[3 * i] = static_cast<char>((p >> 16) & 0xFF);
    image.Rgb[3 * i + 1] = static_cast<char>((p >> 8) & 0xFF);
    image.Rgb[3 * i + 2] = static_cast<char>(p & 0xFF);
    opaque = opaque && (p >> 24) == 0xFF;
  }
  if (!opaque) {
    image.Alpha.resize(n);
    for (std::size_t i = 0; i < n && i < raster.Pixels.size(); ++i) image.Alpha[i] = static_cast<char>(raster.Pixels[i] >> 24);
  }
  images_.emplace(h, image.Index);
  images.push_back(std::move(image));
  return images_.at(h);
}

TvlQtPdfCanvas::TvlQtPdfCanvas(TvlQtPdfResources& resources, TvlSize size, int dpi)
    : resources_(resources), size_(size), dpi_(dpi), out_(page_.Content) {
  out_.reserve(8192);
}

TvlQtPdfCanvas::~TvlQtPdfCanvas() = default;

TvlPdfPage TvlQtPdfCanvas::TakePage(double widthPt, double heightPt) {
  page_.WidthPt = widthPt;
  page_.HeightPt = heightPt;
  page_.Scale = 72.0 / std::max(1, dpi_);
  TvlPdfPage page = std::move(page_);
  page_ = TvlPdfPage{};
  return page;
}

// ---- parts ----

void TvlQtPdfCanvas::Turn(const TvlRect& about) {
  // x' = left + right - x, y' = top + bottom - y: its own inverse.
  out_ += "-1 0 0 -1 ";
  vlPdfInt(out_, static_cast<std::int64_t>(about.Left) + about.Right);
  out_ += ' ';
  vlPdfInt(out_, static_cast<std::int64_t>(about.Top) + about.Bottom);
  out_ += " cm\n";
}

void TvlQtPdfCanvas::Rect(double x, double y, double w, double h, const char* op) {
  vlPdfNumber(out_, x);
  out_ += ' ';
  vlPdfNumber(out_, y);
  out_ += ' ';
  vlPdfNumber(out_, w);
  out_ += ' ';
  vlPdfNumber(out_, h);
  out_ += op;
}

bool TvlQtPdfCanvas::BeginPart() {
  const std::optional<TvlRegion>& clip = ClipRegion();
  if (clip && clip->Rects().empty()) return false;
  out_ += "q\n";
  if (clip) {
    if (!vlRectEmpty(clipTurn_)) Turn(clipTurn_);
    for (const TvlRect& r : clip->Rects()) Rect(r.Left, r.Top, r.Width(), r.Height(), " re\n");
    out_ += "W n\n";
    if (!vlRectEmpty(clipTurn_)) Turn(clipTurn_);
  }
  if (!vlRectEmpty(HalfTurn())) Turn(HalfTurn());
  return true;
}

void TvlQtPdfCanvas::EndPart() {
  out_ += "Q\n";
  // Part ends are 32-bit; no real page comes near, a damaged one may.
  if (out_.size() > kMaxPageContent) throw std::runtime_error("a page draws more than 1 GB");
  page_.PartEnds.push_back(static_cast<std::uint32_t>(out_.size()));
}

void TvlQtPdfCanvas::ClipChanged() { clipTurn_ = HalfTurn(); }

void TvlQtPdfCanvas::FillColor(TvlColor c) {
  const TvlColor v = vlResolveColor(c);
  out_ += Channel(v);
  out_ += ' ';
  out_ += Channel(v >> 8);
  out_ += ' ';
  out_ += Channel(v >> 16);
  out_ += " rg\n";
}

void TvlQtPdfCanvas::StrokeColor(TvlColor c) {
  const TvlColor v = vlResolveColor(c);
  out_ += Channel(v);
  out_ += ' ';
  out_ += Channel(v >> 8);
  out_ += ' ';
  out_ += Channel(v >> 16);
  out_ += " RG\n";
}

bool TvlQtPdfCanvas::SetUpPen() {
  const TvlPen& p = Pen();
  if (p.Style == TvlPenStyle::Clear) return false;
  // Exclusive-or and inverting pens need a raster device; on paper they
  // draw as copy pens, as the painter surface draws them on a printer.
  const int w = std::max(1, p.Width);
  vlPdfInt(out_, w);
  // Thin pens leave out the end point of a line; thick ones have round ends.
  out_ += w <= 1 ? " w 0 J 0 j 2 M\n" : " w 1 J 1 j\n";
  if (w <= 1 && p.Style != TvlPenStyle::Solid) {
    out_ += '[';
    for (double d : vlDashPattern(p.Style, dpi_)) {
      vlPdfNumber(out_, d);
      out_ += ' ';
    }
    out_.back() = ']';
    out_ += " 0 d\n";
  }
  StrokeColor(p.Color);
  return true;
}

void TvlQtPdfCanvas::FillWithBrush(const TvlRect& r) {
  const TvlBrush& b = Brush();
  if (b.Style == TvlBrushStyle::Clear || vlRectEmpty(r)) return;
  const std::int64_t pixels = static_cast<std::int64_t>(r.Width()) * r.Height();
  if (b.Style == TvlBrushStyle::Solid || pixels > kMaxPatternPixels) {
    FillColor(b.Style == TvlBrushStyle::Solid ? b.Color : Mixed(b));
    Rect(r.Left, r.Top, r.Width(), r.Height(), " re f\n");
    return;
  }
  // The pattern's tiles start at the surface's origin, as on the painter.
  TvlRaster tile;
  tile.Width = r.Width();
  tile.Height = r.Height();
  tile.Pixels.resize(static_cast<std::size_t>(pixels));
  const TvlColor on = vlResolveColor(b.Color), off = vlResolveColor(b.PatternBack);
  auto argb = [](TvlColor c) { return 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); };
  const std::uint32_t a = argb(on), z = argb(off);
  for (int y = 0; y < tile.Height; ++y)
    for (int x = 0; x < tile.Width; ++x)
      tile.At(x, y) = (b.Pattern[static_cast<std::size_t>((r.Top + y) & 7)] >> (7 - ((r.Left + x) & 7))) & 1 ? a : z;
  Image(r, tile, false);
}

// ---- shapes ----

void TvlQtPdfCanvas::FillRect(const TvlRect& r) {
  if (vlRectEmpty(r) || Brush().Style == TvlBrushStyle::Clear) return;
  if (!BeginPart()) return;
  FillWithBrush(r);
  EndPart();
}

void TvlQtPdfCanvas::Rectangle(const TvlRect& r) {
  if (vlRectEmpty(r)) return;
  const bool fill = Brush().Style != TvlBrushStyle::Clear, stroke = Pen().Style != TvlPenStyle::Clear;
  if ((!fill && !stroke) || !BeginPart()) return;
  // The outline lies on the rectangle's first and last pixels, the inside
  // is filled with the brush.
  if (fill) FillWithBrush(r);
  if (stroke && SetUpPen()) {
    const int w = std::max(1, Pen().Width);
    if (w <= 1) Rect(r.Left, r.Top, r.Width() - 1, r.Height() - 1, " re S\n");
    else Rect(r.Left + w / 2.0, r.Top + w / 2.0, r.Width() - w, r.Height() - w, " re S\n");
  }
  EndPart();
}

void TvlQtPdfCanvas::PointPath(const std::vector<TvlPoint>& points) {
  for (std::size_t i = 0; i < points.size(); ++i) {
    vlPdfInt(out_, points[i].X);
    out_ += ' ';
    vlPdfInt(out_, points[i].Y);
    out_ += i == 0 ? " m\n" : " l\n";
  }
}

void TvlQtPdfCanvas::FillAndStroke(const std::function<void()>& path, const char* clip, const TvlRect& box) {
  if (Brush().Style != TvlBrushStyle::Clear) {
    out_ += "q\n";
    path();
    out_ += clip;
    FillWithBrush(box);
    out_ += "Q\n";
  }
  if (SetUpPen()) {
    path();
    out_ += "S\n";
  }
}

void TvlQtPdfCanvas::Ellipse(const TvlRect& r) {
  if (vlRectEmpty(r) || !BeginPart()) return;
  const double rx = (r.Width() - 1) / 2.0, ry = (r.Height() - 1) / 2.0;
  const double cx = r.Left + rx, cy = r.Top + ry, kx = rx * kKappa, ky = ry * kKappa;
  auto pt = [&](double x, double y) {
    vlPdfNumber(out_, x);
    out_ += ' ';
    vlPdfNumber(out_, y);
    out_ += ' ';
  };
  auto path = [&] {
    pt(cx + rx, cy);
    out_ += "m\n";
    pt(cx + rx, cy + ky), pt(cx + kx, cy + ry), pt(cx, cy + ry);
    out_ += "c\n";
    pt(cx - kx, cy + ry), pt(cx - rx, cy + ky), pt(cx - rx, cy);
    out_ += "c\n";
    pt(cx - rx, cy - ky), pt(cx - kx, cy - ry), pt(cx, cy - ry);
    out_ += "c\n";
    pt(cx + kx, cy - ry), pt(cx + rx, cy - ky), pt(cx + rx, cy);
    out_ += "c h\n";
  };
  FillAndStroke(path, "W n\n", TvlRect{r.Left, r.Top, r.Right, r.Bottom});
  EndPart();
}

void TvlQtPdfCanvas::Polygon(const std::vector<TvlPoint>& points) {
  if (points.size() < 2 || !BeginPart()) return;
  auto path = [&] {
    PointPath(points);
    out_ += "h\n";
  };
  TvlRect box{points[0].X, points[0].Y, points[0].X, points[0].Y};
  for (const TvlPoint& p : points) {
    box.Left = std::min(box.Left, p.X), box.Top = std::min(box.Top, p.Y);
    box.Right = std::max(box.Right, p.X + 1), box.Bottom = std::max(box.Bottom, p.Y + 1);
  }
  FillAndStroke(path, "W* n\n", box);
  EndPart();
}

void TvlQtPdfCanvas::Polyline(const std::vector<TvlPoint>& points) {
  if (points.size() < 2 || Pen().Style == TvlPenStyle::Clear || !BeginPart()) return;
  SetUpPen();
  PointPath(points);
  out_ += "S\n";
  EndPart();
}

void TvlQtPdfCanvas::DoLine(TvlPoint from, TvlPoint to) {
  if (Pen().Style == TvlPenStyle::Clear || from == to || !BeginPart()) return;
  SetUpPen();
  vlPdfInt(out_, from.X);
  out_ += ' ';
  vlPdfInt(out_, from.Y);
  out_ += " m ";
  vlPdfInt(out_, to.X);
  out_ += ' ';
  vlPdfInt(out_, to.Y);
  out_ += " l S\n";
  EndPart();
}

void TvlQtPdfCanvas::SetPixel(std::int32_t x, std::int32_t y, TvlColor color) {
  if (!BeginPart()) return;
  FillColor(color);
  Rect(x, y, 1, 1, " re f\n");
  EndPart();
}

void TvlQtPdfCanvas::DoFillRegion(const TvlRegion& region) {
  if (Brush().Style == TvlBrushStyle::Clear || region.Rects().empty() || !BeginPart()) return;
  for (const TvlRect& r : region.Rects()) FillWithBrush(r);
  EndPart();
}

// ---- text ----

TvlSize TvlQtPdfCanvas::TextExtent(const std::string& text) {
  return resources_.Text().Fonts().Extent(Font(), CharSpacing(), text);
}

TvlTextMetrics TvlQtPdfCanvas::TextMetrics() { return resources_.Text().Fonts().Metrics(Font()); }

void TvlQtPdfCanvas::Text(const TvlPdfShapedText& shaped) {
  for (const TvlPdfGlyphRun& run : shaped.Runs) {
    if (run.Glyphs.empty() || run.Size <= 0) continue;
    out_ += "BT\n/F";
    vlPdfInt(out_, run.Font);
    out_ += ' ';
    vlPdfNumber(out_, run.Size);
    out_ += " Tf\n";
    const int passes = run.SyntheticBold > 0 ? 2 : 1;
    for (int pass = 0; pass < passes; ++pass) {
      const double dx = pass == 0 ? 0 : run.SyntheticBold;
      std::size_t i = 0;
      while (i < run.Glyphs.size()) {
        // A text matrix at the first glyph of each row, then the glyphs
        // with their distances from where the font's widths put them.
        out_ += run.SyntheticItalic ? "1 0 0.3 -1 " : "1 0 0 -1 ";
        vlPdfNumber(out_, run.X[i] + dx);
        out_ += ' ';
        vlPdfNumber(out_, run.Y[i]);
        out_ += " Tm\n[<";
        std::size_t j = i;
        for (; j < run.Glyphs.size(); ++j) {
          if (j > i) {
            if (run.Y[j] != run.Y[i]) break;
            const double expected = run.X[j - 1] + run.Advance[j - 1] * run.Size / 1000.0;
            const double adjust = (expected - run.X[j]) * 1000.0 / run.Size;
            if (std::abs(adjust) >= 0.05) {
              out_ += "> ";
              vlPdfNumber(out_, adjust);
              out_ += " <";
            }
          }
          static const char kHex[] = "0123456789ABCDEF";
          const std::uint16_t g = run.Glyphs[j];
          const char code[4] = {kHex[g >> 12], kHex[(g >> 8) & 15], kHex[(g >> 4) & 15], kHex[g & 15]};
          out_.append(code, 4);
        }
        out_ += ">] TJ\n";
        i = j;
      }
    }
    out_ += "ET\n";
  }
}

void TvlQtPdfCanvas::DoText(const TvlRect& clip, std::int32_t x, std::int32_t y, const std::string& text,
                            std::uint32_t options) {
  if (!BeginPart()) return;
  if (options & toClipped) Rect(clip.Left, clip.Top, clip.Width(), clip.Height(), " re W n\n");
  if (options & toOpaque) {
    FillColor(Brush().Color);
    Rect(clip.Left, clip.Top, clip.Width(), clip.Height(), " re f\n");
  }
  if (!text.empty()) {
    const double wordSpacing =
        JustifyBreaks() > 0 && JustifyExtra() != 0 ? static_cast<double>(JustifyExtra()) / JustifyBreaks() : 0;
    const TvlPdfShapedText& shaped =
        resources_.Text().Shape(Font(), CharSpacing(), wordSpacing, options & toRtlReading, text);
    // Escapement turns counter-clockwise about the cell's top-left.
    if (Font().Escapement % 3600 != 0) {
      const double a = -Font().Escapement / 10.0 * std::numbers::pi / 180.0;
      vlPdfNumber(out_, std::cos(a));
      out_ += ' ';
      vlPdfNumber(out_, std::sin(a));
      out_ += ' ';
      vlPdfNumber(out_, -std::sin(a));
      out_ += ' ';
      vlPdfNumber(out_, std::cos(a));
      out_ += ' ';
    } else {
      out_ += "1 0 0 1 ";
    }
    vlPdfInt(out_, x);
    out_ += ' ';
    vlPdfInt(out_, y);
    out_ += " cm\n";
    if (BkMode() == TvlBkMode::Opaque && Brush().Style != TvlBrushStyle::Clear) {
      FillColor(Brush().Color);
      Rect(0, 0, TextExtent(text).Width + JustifyExtra(), TextMetrics().Height, " re f\n");
    }
    FillColor(Font().Color);
    Text(shaped);
    if (Font().Style & (4 | 8)) {
      // Underline and strike-out as the painter draws them: a flat line of
      // the font's thickness from the first to the last whole pixel.
      const double baseline = !shaped.Runs.empty() && !shaped.Runs[0].Y.empty() ? shaped.Runs[0].Y[0] : shaped.Ascent;
      const double right = std::floor(shaped.Width);
      vlPdfNumber(out_, shaped.LineWidth);
      out_ += " w 0 J\n";
      StrokeColor(Font().Color);
      auto line = [&](double at) {
        out_ += "0 ";
        vlPdfNumber(out_, at);
        out_ += " m ";
        vlPdfNumber(out_, right);
        out_ += ' ';
        vlPdfNumber(out_, at);
        out_ += " l S\n";
      };
      if (Font().Style & 4) line(baseline + std::ceil(shaped.UnderlineY) + 0.5);
      if (Font().Style & 8) line(baseline + shaped.StrikeY);
    }
  }
  EndPart();
}

// ---- pictures ----

void TvlQtPdfCanvas::Image(const TvlRect& dest, const TvlRaster& raster, bool interpolate) {
  const int index = resources_.Image(raster, interpolate, page_.Images);
  out_ += "q ";
  vlPdfInt(out_, dest.Width());
  out_ += " 0 0 ";
  vlPdfInt(out_, -static_cast<std::int64_t>(dest.Height()));
  out_ += ' ';
  vlPdfInt(out_, dest.Left);
  out_ += ' ';
  vlPdfInt(out_, dest.Bottom);
  out_ += " cm /I";
  vlPdfInt(out_, index);
  out_ += " Do Q\n";
}

void TvlQtPdfCanvas::StretchRaster(const TvlRect& dest, const TvlRaster& raster, TvlStretchMode mode,
                                   bool deviceIndependent) {
  (void)deviceIndependent;  // the picture's own pixels are written
  if (vlRectEmpty(dest) || raster.Empty() ||
      raster.Pixels.size() < static_cast<std::size_t>(raster.Width) * static_cast<std::size_t>(raster.Height) ||
      !BeginPart())
    return;
  Image(dest, raster, mode == TvlStretchMode::Smooth);
  EndPart();
}

std::unique_ptr<TvlCanvas> TvlQtPdfCanvas::CreateOffscreen(std::int32_t width, std::int32_t height) {
  return std::make_unique<TvlQtImageCanvas>(width, height, dpi_);
}

void TvlQtPdfCanvas::DrawCanvas(std::int32_t x, std::int32_t y, TvlCanvas& source) {
  auto* image = dynamic_cast<TvlQtImageCanvas*>(&source);
  if (!image) return;
  const QImage picture = image->Image().convertToFormat(QImage::Format_ARGB32);
  TvlRaster raster;
  raster.Width = picture.width();
  raster.Height = picture.height();
  raster.Pixels.resize(static_cast<std::size_t>(raster.Width) * static_cast<std::size_t>(raster.Height));
  for (int row = 0; row < raster.Height; ++row) {
    const auto* line = reinterpret_cast<const std::uint32_t*>(picture.constScanLine(row));
    std::copy_n(line, raster.Width, &raster.Pixels[static_cast<std::size_t>(row) * raster.Width]);
  }
  StretchRaster({x, y, x + raster.Width, y + raster.Height}, raster, TvlStretchMode::ColorOnColor, false);
}

}  // namespace vl
