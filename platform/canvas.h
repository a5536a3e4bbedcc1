#pragma once
// The drawing surface every picture goes through: preview, printout, PDF,
// designer and the prepared pages. Coordinates are device pixels; callers
// scale page units themselves.
//
// The base class keeps the state (pen, brush, font, background mode,
// character spacing, justification, clip region, current position) and
// builds the convenience operations on a few primitives that each surface
// implements: the Qt surface over QPainter and the recording surface.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/canvas_types.h"
#include "platform/region.h"

namespace vl {

struct TvlRaster;
class TvlPicture;

// What a surface stands for. Prepared pages skip the views outside the clip
// only on a screen, and keep the printer's own font and bitmap handling on
// a printer; a recorded page picture takes every view.
enum class TvlSurfaceKind : std::uint8_t { Screen, Printer, Metafile };

class TvlCanvas {
 public:
  TvlCanvas() = default;
  TvlCanvas(const TvlCanvas&) = delete;
  TvlCanvas& operator=(const TvlCanvas&) = delete;
  virtual ~TvlCanvas();

  // The surface's extent in device pixels and its resolution.
  virtual TvlSize Size() const = 0;
  virtual int PixelsPerInchX() const = 0;
  virtual int PixelsPerInchY() const = 0;
  // Screen unless whoever made the surface says otherwise.
  TvlSurfaceKind Kind() const { return kind_; }
  void SetKind(TvlSurfaceKind kind) { kind_ = kind; }

  // ---- state ----
  const TvlPen& Pen() const { return pen_; }
  const TvlBrush& Brush() const { return brush_; }
  const TvlCanvasFont& Font() const { return font_; }
  TvlBkMode BkMode() const { return bkMode_; }
  std::int32_t CharSpacing() const { return charSpacing_; }
  TvlPoint PenPos() const { return penPos_; }

  virtual void SetPen(const TvlPen& pen) { pen_ = pen; }
  virtual void SetBrush(const TvlBrush& brush) { brush_ = brush; }
  virtual void SetFont(const TvlCanvasFont& font) { font_ = font; }
  virtual void SetBkMode(TvlBkMode mode) { bkMode_ = mode; }
  // Extra pixels after every character of later output and measurement.
  virtual void SetCharSpacing(std::int32_t extra) { charSpacing_ = extra; }
  // Spreads extra pixels over the break characters (blanks) of the next
  // text output; any text output resets it, so it lasts one line.
  virtual void SetTextJustification(std::int32_t extra, std::int32_t breakCount);

  // Shorthands that change one part of the pen, brush or font.
  void SetPenColor(TvlColor c);
  void SetPenWidth(std::int32_t w);
  void SetPenStyle(TvlPenStyle s);
  void SetPenMode(TvlPenMode m);
  void SetSolidBrush(TvlColor c);
  void SetClearBrush();
  void SetTextColor(TvlColor c);
  void SetFontHeight(std::int32_t h);

  // ---- drawing ----
  // Fills the rectangle (right and bottom exclusive) with the brush.
  virtual void FillRect(const TvlRect& r) = 0;
  // Outline with the pen, inside with the brush.
  virtual void Rectangle(const TvlRect& r) = 0;
  virtual void Ellipse(const TvlRect& r) = 0;
  virtual void Polygon(const std::vector<TvlPoint>& points) = 0;
  // Lines join the points; the last point itself is not drawn.
  virtual void Polyline(const std::vector<TvlPoint>& points) = 0;
  virtual void SetPixel(std::int32_t x, std::int32_t y, TvlColor color) = 0;
  void MoveTo(std::int32_t x, std::int32_t y) { penPos_ = {x, y}; }
  // A line from the current position, leaving out its end point (so that
  // exclusive-or figures meet without double-inverting corners).
  void LineTo(std::int32_t x, std::int32_t y);

  // Text with its cell's top-left at (x, y) (turned fonts turn about that
  // point), in the font and text colour; the background of the cell is filled
  // when the background mode is opaque. options: toClipped, toOpaque,
  // toRtlReading. Resets the text justification.
  void TextRect(const TvlRect& clip, std::int32_t x, std::int32_t y, const std::string& text,
                std::uint32_t options = toClipped);
  void TextOut(std::int32_t x, std::int32_t y, const std::string& text) { TextRect({}, x, y, text, 0); }

  // ---- measurement ----
  // One line; the width includes the extra character spacing.
  virtual TvlSize TextExtent(const std::string& text) = 0;
  std::int32_t TextWidth(const std::string& text) { return TextExtent(text).Width; }
  std::int32_t TextHeight(const std::string& text) { return TextExtent(text).Height; }
  // Lines separated by CR LF, CR or LF, no prefix processing: the widest
  // line's width and the lines' total height.
  TvlSize MeasureText(const std::string& text);
  virtual TvlTextMetrics TextMetrics() = 0;

  // ---- regions and clipping ----
  void FillRegion(const TvlRegion& region);
  // Output is limited to the region; nullopt lifts the limit.
  void SelectClipRegion(const std::optional<TvlRegion>& region);
  void ExcludeClipRect(const TvlRect& r);
  void IntersectClipRect(const TvlRect& r);
  const std::optional<TvlRegion>& ClipRegion() const { return clip_; }
  // The bounds of what can be drawn: the clip region within the surface.
  TvlRect ClipBox() const;
  bool PtVisible(std::int32_t x, std::int32_t y) const;
  bool RectVisible(const TvlRect& r) const;

  // ---- pictures ----
  // A raster stretched into the rectangle. deviceIndependent marks the
  // transfer that pictures sent to a printer use.
  virtual void StretchRaster(const TvlRect& dest, const TvlRaster& raster,
                             TvlStretchMode mode = TvlStretchMode::Smooth, bool deviceIndependent = false) = 0;
  // A picture of any kind stretched into the rectangle; a picture that does
  // not decode draws nothing.
  void StretchDraw(const TvlRect& dest, const TvlPicture& picture, bool toPrinter = false);

  // ---- off-screen surfaces ----
  // A surface of the same kind, width x height pixels, at this resolution.
  virtual std::unique_ptr<TvlCanvas> CreateOffscreen(std::int32_t width, std::int32_t height) = 0;
  // Copies a surface made by CreateOffscreen with its top-left at (x, y).
  virtual void DrawCanvas(std::int32_t x, std::int32_t y, TvlCanvas& source) = 0;

  // ---- turning ----
  // Everything drawn afterwards, clip regions set afterwards included, is
  // turned half a turn about the centre of about: a printer that takes
  // envelopes the other way round. An empty rectangle ends the turn.
  virtual void SetHalfTurn(const TvlRect& about) { halfTurn_ = about; }
  const TvlRect& HalfTurn() const { return halfTurn_; }

 protected:
  // Surface primitives behind the base class's operations.
  virtual void DoLine(TvlPoint from, TvlPoint to) = 0;
  virtual void DoText(const TvlRect& clip, std::int32_t x, std::int32_t y, const std::string& text,
                      std::uint32_t options) = 0;
  virtual void DoFillRegion(const TvlRegion& region) = 0;
  virtual void ClipChanged() = 0;

  std::int32_t JustifyExtra() const { return justifyExtra_; }
  std::int32_t JustifyBreaks() const { return justifyBreaks_; }

 private:
  TvlPen pen_;
  TvlBrush brush_;
  TvlCanvasFont font_;
  TvlBkMode bkMode_ = TvlBkMode::Opaque;
  std::int32_t charSpacing_ = 0;
  std::int32_t justifyExtra_ = 0, justifyBreaks_ = 0;
  TvlPoint penPos_;
  std::optional<TvlRegion> clip_;
  TvlSurfaceKind kind_ = TvlSurfaceKind::Screen;
  TvlRect halfTurn_;
};

// Characters of an engine text (whole characters of the code page).
std::size_t vlCharCount(const std::string& text);
// Number of blanks (bytes 32 and 160 outside multi-byte characters) a
// justified line spreads its extra width over.
std::int32_t vlBreakCount(const std::string& text);

}  // namespace vl
