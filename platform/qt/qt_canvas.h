#pragma once
// The drawing surface over QPainter: windows, off-screen images, printers and
// PDF. Exclusive-or and inverting pens need a raster device (an image or a
// window's backing store); printers and PDF draw them as copy pens.

#include <QFont>
#include <QImage>
#include <QPainter>
#include <memory>

#include "platform/canvas.h"
#include "platform/qt/qt_text_fonts.h"

namespace vl {

// The installed family that stands in for a Windows face name ("Arial" ->
// "Liberation Sans", "宋体" -> "WenQuanYi Zen Hei"); other names unchanged.
QString vlQtFontFamily(const std::string& faceName);
QFont vlQtFont(const TvlCanvasFont& font);
QColor vlQtColor(TvlColor color);
QImage vlQtImage(const TvlRaster& raster);

class TvlQtCanvas : public TvlCanvas {
 public:
  // Draws through a painter already active on its device; size and
  // resolution are the device's.
  TvlQtCanvas(QPainter& painter, TvlSize size, int dpiX, int dpiY);
  ~TvlQtCanvas() override;

  QPainter& Painter() { return *painter_; }

  TvlSize Size() const override { return size_; }
  int PixelsPerInchX() const override { return dpiX_; }
  int PixelsPerInchY() const override { return dpiY_; }

  void FillRect(const TvlRect& r) override;
  void Rectangle(const TvlRect& r) override;
  void Ellipse(const TvlRect& r) override;
  void Polygon(const std::vector<TvlPoint>& points) override;
  void Polyline(const std::vector<TvlPoint>& points) override;
  void SetPixel(std::int32_t x, std::int32_t y, TvlColor color) override;
  TvlSize TextExtent(const std::string& text) override;
  TvlTextMetrics TextMetrics() override;
  void StretchRaster(const TvlRect& dest, const TvlRaster& raster, TvlStretchMode mode,
                     bool deviceIndependent) override;
  std::unique_ptr<TvlCanvas> CreateOffscreen(std::int32_t width, std::int32_t height) override;
  void DrawCanvas(std::int32_t x, std::int32_t y, TvlCanvas& source) override;
  void SetHalfTurn(const TvlRect& about) override;

 protected:
  TvlQtCanvas(TvlSize size, int dpiX, int dpiY);
  void Attach(QPainter* painter);

  void DoLine(TvlPoint from, TvlPoint to) override;
  void DoText(const TvlRect& clip, std::int32_t x, std::int32_t y, const std::string& text,
              std::uint32_t options) override;
  void DoFillRegion(const TvlRegion& region) override;
  void ClipChanged() override;

 private:
  void UsePen();
  void UseBrush();
  void NoPen();
  void NoBrush();
  QBrush MakeBrush() const;
  void SetRasterOp(TvlPenMode mode);

  QPainter* painter_ = nullptr;
  // The painter's transform before a half turn, given back when it ends.
  QTransform unturned_;
  TvlSize size_;
  int dpiX_, dpiY_;
  TvlQtTextFonts fonts_;
};

// An off-screen image surface (RGB, filled white), which owns its painter.
class TvlQtImageCanvas : public TvlQtCanvas {
 public:
  TvlQtImageCanvas(std::int32_t width, std::int32_t height, int dpi = 96, TvlColor fill = clWhite);
  ~TvlQtImageCanvas() override;

  // The picture so far (painting goes on afterwards).
  const QImage& Image();

 private:
  QImage image_;
  std::unique_ptr<QPainter> owned_;
};

}  // namespace vl
