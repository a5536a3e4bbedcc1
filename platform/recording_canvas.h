#pragma once
// A drawing surface that keeps every operation in order instead of painting:
// state changes, figures, pictures and every text run with its font and
// bounds. Tests compare its operations; text search reads its text runs; it
// stands in for a recorded page picture.
//
// Without a measuring surface it measures with fixed metrics, the same on
// every machine: each character is (height + 1) / 2 pixels wide plus the
// character spacing; ascent is round(0.9 x height), descent round(0.2 x height).

#include <memory>

#include "platform/raster.h"
#include <string>
#include <vector>

#include "platform/canvas.h"

namespace vl {

enum class TvlOpKind : std::uint8_t {
  Pen, Brush, Font, BkMode, CharSpacing, Justify, Clip,
  FillRect, Rectangle, Ellipse, Polygon, Polyline, Line, Pixel, Text, FillRegion, Raster, Canvas, Turn,
};

struct TvlCanvasOp {
  TvlOpKind Kind = TvlOpKind::Line;
  TvlRect Rect;                  // figure, fill, text clip, picture or canvas destination; turn centre
  std::vector<TvlPoint> Points;  // line (from, to), polygon, polyline
  TvlPoint At;                   // text position, pixel
  std::string Text;
  std::uint32_t Options = 0;     // text options; raster: 1 device-independent, 2 smooth
  TvlColor Color = 0;            // pixel
  std::int32_t A = 0, B = 0;     // spacing; justification extra and breaks; raster size
  TvlRect Bounds;                // text: the pixels the run covers
  TvlPen Pen;
  TvlBrush Brush;
  TvlCanvasFont Font;            // font change and text runs
  TvlBkMode BkMode = TvlBkMode::Opaque;
  bool HasClip = false;
  TvlRegion Region;              // clip, region fill
  std::shared_ptr<const std::vector<TvlCanvasOp>> Nested;  // an off-screen surface drawn here
  std::shared_ptr<const TvlRaster> Picture;                 // raster: the pixels drawn
};

// One text output as text search and tests see it.
struct TvlTextRun {
  std::string Text;
  TvlCanvasFont Font;
  TvlPoint At;
  TvlRect Bounds;
  std::uint32_t Options = 0;
};

class TvlRecordingCanvas : public TvlCanvas {
 public:
  explicit TvlRecordingCanvas(TvlSize size = {100000, 100000}, int dpi = 96, TvlCanvas* measurer = nullptr);

  const std::vector<TvlCanvasOp>& Ops() const { return ops_; }
  void Clear() { ops_.clear(); }
  // Text runs in output order, those of drawn off-screen surfaces included
  // at their place.
  std::vector<TvlTextRun> TextRuns() const;
  // The operations as lines of text, one per operation ("line 10,10 110,10").
  std::vector<std::string> Describe(bool withState = true) const;
  static std::string Describe(const TvlCanvasOp& op);
  // Plays the operations onto another surface in the same order, as a
  // recorded page picture is played.
  void Replay(TvlCanvas& target) const;
  static void Replay(const std::vector<TvlCanvasOp>& ops, TvlCanvas& target);

  TvlSize Size() const override { return size_; }
  int PixelsPerInchX() const override { return dpi_; }
  int PixelsPerInchY() const override { return dpi_; }

  void SetPen(const TvlPen& pen) override;
  void SetBrush(const TvlBrush& brush) override;
  void SetFont(const TvlCanvasFont& font) override;
  void SetBkMode(TvlBkMode mode) override;
  void SetCharSpacing(std::int32_t extra) override;
  void SetTextJustification(std::int32_t extra, std::int32_t breakCount) override;

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
  void DoLine(TvlPoint from, TvlPoint to) override;
  void DoText(const TvlRect& clip, std::int32_t x, std::int32_t y, const std::string& text,
              std::uint32_t options) override;
  void DoFillRegion(const TvlRegion& region) override;
  void ClipChanged() override;

 private:
  TvlCanvasOp& Add(TvlOpKind kind);
  void SyncMeasurer();

  TvlSize size_;
  int dpi_;
  TvlCanvas* measurer_;
  std::vector<TvlCanvasOp> ops_;
};

}  // namespace vl
