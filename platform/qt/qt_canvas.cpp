#include "platform/qt/qt_canvas.h"

#include <QFontMetrics>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPolygon>
#include <QRegion>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

#include "platform/dash_pattern.h"
#include "platform/qt/qt_text.h"
#include "platform/raster.h"

namespace vl {
namespace {

QRect ToQt(const TvlRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

QRegion ToQt(const TvlRegion& region) {
  // QRegion wants banded rectangles, which ours are not: add them one by one.
  QRegion q;
  for (const TvlRect& r : region.Rects()) q += ToQt(r);
  return q;
}

QPolygon ToQt(const std::vector<TvlPoint>& points) {
  QPolygon p;
  p.reserve(static_cast<qsizetype>(points.size()));
  for (const TvlPoint& pt : points) p.push_back(QPoint(pt.X, pt.Y));
  return p;
}

}  // namespace

QString vlQtFontFamily(const std::string& faceName) {
  struct Twin {
    const char* Name;
    const char* Family;
  };
  // Metric twins of the Windows faces that templates name; Chinese faces go
  // to the installed Chinese family.
  static const Twin kTwins[] = {
      {"Arial", "Liberation Sans"},
      {"Helvetica", "Liberation Sans"},
      {"MS Sans Serif", "Liberation Sans"},
      {"Microsoft Sans Serif", "Liberation Sans"},
      {"Tahoma", "Liberation Sans"},
      {"Verdana", "Liberation Sans"},
      {"Times New Roman", "Liberation Serif"},
      {"Times", "Liberation Serif"},
      {"MS Serif", "Liberation Serif"},
      {"Courier New", "Liberation Mono"},
      {"Courier", "Liberation Mono"},
      {"宋体", "WenQuanYi Zen Hei"},
      {"新宋体", "WenQuanYi Zen Hei"},
      {"黑体", "WenQuanYi Zen Hei"},
      {"楷体", "WenQuanYi Zen Hei"},
      {"楷体_GB2312", "WenQuanYi Zen Hei"},
      {"仿宋", "WenQuanYi Zen Hei"},
      {"仿宋_GB2312", "WenQuanYi Zen Hei"},
      {"微软雅黑", "WenQuanYi Zen Hei"},
      {"SimSun", "WenQuanYi Zen Hei"},
      {"NSimSun", "WenQuanYi Zen Hei"},
      {"SimHei", "WenQuanYi Zen Hei"},
      {"KaiTi", "WenQuanYi Zen Hei"},
      {"FangSong", "WenQuanYi Zen Hei"},
      {"Microsoft YaHei", "WenQuanYi Zen Hei"},
  };
  const QString name = vlToQt(faceName).trimmed();
  for (const Twin& t : kTwins)
    if (name.compare(QString::fromUtf8(t.Name), Qt::CaseInsensitive) == 0) return QString::fromUtf8(t.Family);
  return name.isEmpty() ? QStringLiteral("Liberation Sans") : name;
}

QFont vlQtFont(const TvlCanvasFont& f) {
  QFont font;
  // Rare Chinese characters (Extension B and beyond, common in names) are in
  // no usual face: HanaMin, when installed, draws them instead of a box.
  font.setFamilies({vlQtFontFamily(f.Name), QStringLiteral("HanaMinA"), QStringLiteral("HanaMinB")});
  font.setPixelSize(std::max(1, std::abs(f.Height)));
  font.setItalic(f.Style & 1);
  font.setBold(f.Style & 2);
  font.setUnderline(f.Style & 4);
  font.setStrikeOut(f.Style & 8);
  font.setKerning(false);  // widths are the sum of character widths, as measured
  return font;
}

QColor vlQtColor(TvlColor color) {
  const TvlColor c = vlResolveColor(color);
  return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

QImage vlQtImage(const TvlRaster& raster) {
  if (raster.Empty()) return {};
  QImage image(raster.Width, raster.Height, QImage::Format_ARGB32);
  for (int y = 0; y < raster.Height; ++y)
    std::copy_n(&raster.Pixels[static_cast<std::size_t>(y) * raster.Width], raster.Width,
                reinterpret_cast<std::uint32_t*>(image.scanLine(y)));
  return image;
}

TvlQtCanvas::TvlQtCanvas(QPainter& painter, TvlSize size, int dpiX, int dpiY)
    : painter_(&painter), size_(size), dpiX_(dpiX), dpiY_(dpiY) {
  painter_->setRenderHint(QPainter::Antialiasing, false);
}

TvlQtCanvas::TvlQtCanvas(TvlSize size, int dpiX, int dpiY) : size_(size), dpiX_(dpiX), dpiY_(dpiY) {}

TvlQtCanvas::~TvlQtCanvas() = default;

void TvlQtCanvas::Attach(QPainter* painter) {
  painter_ = painter;
  painter_->setRenderHint(QPainter::Antialiasing, false);
  ClipChanged();
}

void TvlQtCanvas::SetRasterOp(TvlPenMode mode) {
  // Raster operations exist only on raster devices.
  const bool raster = painter_->paintEngine() && painter_->paintEngine()->type() == QPaintEngine::Raster;
  if (mode == TvlPenMode::Xor && raster)
    painter_->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  else if (mode == TvlPenMode::Not && raster)
    painter_->setCompositionMode(QPainter::RasterOp_NotDestination);
  else
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TvlQtCanvas::UsePen() {
  const TvlPen& p = Pen();
  SetRasterOp(p.Mode);
  if (p.Style == TvlPenStyle::Clear) {
    painter_->setPen(Qt::NoPen);
    return;
  }
  QPen pen(vlQtColor(p.Color));
  const int w = std::max(1, p.Width);
  pen.setWidth(w);
  // Thin pens leave out the end point of a line; thick ones have round ends.
  pen.setCapStyle(w <= 1 ? Qt::FlatCap : Qt::RoundCap);
  pen.setJoinStyle(w <= 1 ? Qt::MiterJoin : Qt::RoundJoin);
  if (w <= 1 && p.Style != TvlPenStyle::Solid) {
    const std::vector<double> dashes = vlDashPattern(p.Style, dpiX_);
    pen.setDashPattern(QList<qreal>(dashes.begin(), dashes.end()));
  }
  painter_->setPen(pen);
  // Gaps of dashed lines show the background colour when opaque.
  painter_->setBackgroundMode(BkMode() == TvlBkMode::Opaque && Brush().Style != TvlBrushStyle::Clear
                                  ? Qt::OpaqueMode
                                  : Qt::TransparentMode);
  painter_->setBackground(vlQtColor(Brush().Color));
}

QBrush TvlQtCanvas::MakeBrush() const {
  const TvlBrush& b = Brush();
  if (b.Style == TvlBrushStyle::Clear) return Qt::NoBrush;
  if (b.Style == TvlBrushStyle::Solid) return QBrush(vlQtColor(b.Color));
  QImage tile(8, 8, QImage::Format_RGB32);
  const QRgb on = vlQtColor(b.Color).rgb(), off = vlQtColor(b.PatternBack).rgb();
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) tile.setPixel(x, y, (b.Pattern[y] >> (7 - x)) & 1 ? on : off);
  QBrush brush(tile);
  return brush;
}

void TvlQtCanvas::UseBrush() {
  painter_->setBrush(MakeBrush());
  painter_->setBrushOrigin(0, 0);
}
void TvlQtCanvas::NoPen() { painter_->setPen(Qt::NoPen); }
void TvlQtCanvas::NoBrush() { painter_->setBrush(Qt::NoBrush); }

void TvlQtCanvas::FillRect(const TvlRect& r) {
  if (vlRectEmpty(r) || Brush().Style == TvlBrushStyle::Clear) return;
  painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter_->setBrushOrigin(0, 0);
  painter_->fillRect(ToQt(r), MakeBrush());
}

void TvlQtCanvas::Rectangle(const TvlRect& r) {
  if (vlRectEmpty(r)) return;
  // The outline lies on the rectangle's first and last pixels, the inside
  // is filled with the brush.
  // The inside takes the pen's mode too, so an exclusive-or rectangle with a
  // brush is undone by drawing it again.
  if (Brush().Style != TvlBrushStyle::Clear) {
    SetRasterOp(Pen().Mode);
    painter_->fillRect(ToQt(r), MakeBrush());
  }
  if (Pen().Style == TvlPenStyle::Clear) return;
  UsePen();
  NoBrush();
  const int w = std::max(1, Pen().Width);
  if (w <= 1) {
    painter_->drawRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
  } else {
    const double h = w / 2.0;
    painter_->drawRect(QRectF(r.Left + h, r.Top + h, r.Width() - w, r.Height() - w));
  }
}

void TvlQtCanvas::Ellipse(const TvlRect& r) {
  if (vlRectEmpty(r)) return;
  UsePen();
  UseBrush();
  painter_->drawEllipse(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
}

void TvlQtCanvas::Polygon(const std::vector<TvlPoint>& points) {
  if (points.size() < 2) return;
  UsePen();
  UseBrush();
  painter_->drawPolygon(ToQt(points));
}

void TvlQtCanvas::Polyline(const std::vector<TvlPoint>& points) {
  if (points.size() < 2) return;
  UsePen();
  NoBrush();
  painter_->drawPolyline(ToQt(points));
}

void TvlQtCanvas::DoLine(TvlPoint from, TvlPoint to) {
  if (Pen().Style == TvlPenStyle::Clear) return;
  UsePen();
  if (from == to) return;
  painter_->drawLine(from.X, from.Y, to.X, to.Y);
}

void TvlQtCanvas::SetPixel(std::int32_t x, std::int32_t y, TvlColor color) {
  painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter_->fillRect(QRect(x, y, 1, 1), vlQtColor(color));
}

TvlSize TvlQtCanvas::TextExtent(const std::string& text) { return fonts_.Extent(Font(), CharSpacing(), text); }

TvlTextMetrics TvlQtCanvas::TextMetrics() { return fonts_.Metrics(Font()); }

void TvlQtCanvas::DoText(const TvlRect& clip, std::int32_t x, std::int32_t y, const std::string& text,
                         std::uint32_t options) {
  painter_->save();
  painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
  // The cell's background is filled below when the background mode asks for
  // it; the painter itself never paints behind glyphs (it may still be in
  // the opaque mode a dashed pen left behind).
  painter_->setBackgroundMode(Qt::TransparentMode);
  if (options & toClipped) painter_->setClipRect(ToQt(clip), painter_->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
  if (options & toOpaque) painter_->fillRect(ToQt(clip), vlQtColor(Brush().Color));
  if (!text.empty()) {
    // The text is laid out without the device, in the surface's pixels:
    // fonts are sized in pixels, so the glyphs are the device's anyway, and
    // the extra character spacing stays the number of pixels asked for
    // (converted to a device, Qt multiplies absolute spacing by whole
    // multiples of 96 dpi: none at 72, three times at 300). TextExtent
    // measures the same layout, so drawn and measured widths agree.
    QFont font = fonts_.Spaced(Font(), CharSpacing());
    if (JustifyBreaks() > 0 && JustifyExtra() != 0)
      font.setWordSpacing(static_cast<qreal>(JustifyExtra()) / JustifyBreaks());
    QTextLayout layout(vlToQt(text), font);
    // The text's cell is measured only when its background is painted: the
    // line is left-aligned and never wraps, so its width does not move it.
    const bool opaque = BkMode() == TvlBkMode::Opaque && Brush().Style != TvlBrushStyle::Clear;
    const int width = opaque ? TextExtent(text).Width + JustifyExtra() : 0;
    vlQtLayOutLine(layout, options & toRtlReading, opaque ? std::max(width, 0) + 4 : 1e6);
    painter_->translate(x, y);
    // Escapement turns counter-clockwise; Qt's rotation is clockwise.
    if (Font().Escapement % 3600 != 0) painter_->rotate(-Font().Escapement / 10.0);
    if (opaque) painter_->fillRect(QRect(0, 0, width, TextMetrics().Height), vlQtColor(Brush().Color));
    painter_->setPen(vlQtColor(Font().Color));
    layout.draw(painter_, QPointF(0, 0));
  }
  painter_->restore();
}

void TvlQtCanvas::DoFillRegion(const TvlRegion& region) {
  if (Brush().Style == TvlBrushStyle::Clear) return;
  painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter_->setBrushOrigin(0, 0);
  const QBrush brush = MakeBrush();
  for (const TvlRect& r : region.Rects()) painter_->fillRect(ToQt(r), brush);
}

void TvlQtCanvas::SetHalfTurn(const TvlRect& about) {
  if (!painter_) return;
  if (vlRectEmpty(HalfTurn())) unturned_ = painter_->worldTransform();
  TvlCanvas::SetHalfTurn(about);
  if (vlRectEmpty(about)) {
    painter_->setWorldTransform(unturned_);
    return;
  }
  // x' = left + right - x, y' = top + bottom - y: a point turned about the centre.
  const QTransform turn(-1, 0, 0, -1, about.Left + about.Right, about.Top + about.Bottom);
  painter_->setWorldTransform(turn * unturned_);
}

void TvlQtCanvas::ClipChanged() {
  if (!painter_) return;
  if (ClipRegion()) painter_->setClipRegion(ToQt(*ClipRegion()));
  else painter_->setClipping(false);
}

void TvlQtCanvas::StretchRaster(const TvlRect& dest, const TvlRaster& raster, TvlStretchMode mode,
                                bool deviceIndependent) {
  (void)deviceIndependent;  // a QImage is already device-independent
  if (vlRectEmpty(dest) || raster.Empty()) return;
  painter_->save();
  painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter_->setRenderHint(QPainter::SmoothPixmapTransform, mode == TvlStretchMode::Smooth);
  painter_->drawImage(ToQt(dest), vlQtImage(raster));
  painter_->restore();
}

std::unique_ptr<TvlCanvas> TvlQtCanvas::CreateOffscreen(std::int32_t width, std::int32_t height) {
  return std::make_unique<TvlQtImageCanvas>(width, height, dpiX_);
}

void TvlQtCanvas::DrawCanvas(std::int32_t x, std::int32_t y, TvlCanvas& source) {
  auto* image = dynamic_cast<TvlQtImageCanvas*>(&source);
  if (!image) return;
  painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter_->drawImage(QPoint(x, y), image->Image());
}

TvlQtImageCanvas::TvlQtImageCanvas(std::int32_t width, std::int32_t height, int dpi, TvlColor fill)
    : TvlQtCanvas(TvlSize{std::max(1, width), std::max(1, height)}, dpi, dpi),
      image_(std::max(1, width), std::max(1, height), QImage::Format_RGB32) {
  const int dpm = static_cast<int>(std::lround(dpi / 0.0254));
  image_.setDotsPerMeterX(dpm);
  image_.setDotsPerMeterY(dpm);
  image_.fill(vlQtColor(fill));
  owned_ = std::make_unique<QPainter>(&image_);
  Attach(owned_.get());
}

TvlQtImageCanvas::~TvlQtImageCanvas() {
  if (owned_->isActive()) owned_->end();
}

const QImage& TvlQtImageCanvas::Image() { return image_; }

}  // namespace vl
