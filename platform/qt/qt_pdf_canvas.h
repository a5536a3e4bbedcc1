#pragma once
// The drawing surface of one PDF page. Every drawing operation becomes one
// self-contained part of the page's content (it sets its own clip, turn,
// colours and pen and restores the state after itself), so that a part
// repeated on later pages can be written once and referenced
// (TvlPdfDocument). Text is laid out through Qt exactly as the painter
// surface lays it out and written as glyphs of embedded fonts; pictures
// become shared image objects.

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/canvas.h"
#include "platform/pdf/pdf_document.h"
#include "platform/pdf/pdf_hash.h"
#include "platform/qt/qt_pdf_fonts.h"

namespace vl {

// What the pages of one document share: the fonts and laid-out texts, and
// the pictures already given to the document.
class TvlQtPdfResources {
 public:
  TvlQtPdfText& Text() { return text_; }
  // The picture's number; a picture not seen before is added to images.
  int Image(const TvlRaster& raster, bool interpolate, std::vector<TvlPdfImage>& images);

 private:
  TvlQtPdfText text_;
  std::unordered_map<TvlPdfHash, int, TvlPdfHashKey> images_;
};

class TvlQtPdfCanvas : public TvlCanvas {
 public:
  // A page of size device pixels at dpi.
  TvlQtPdfCanvas(TvlQtPdfResources& resources, TvlSize size, int dpi);
  ~TvlQtPdfCanvas() override;

  // The page drawn so far, for a media box of widthPt x heightPt points.
  TvlPdfPage TakePage(double widthPt, double heightPt);

  TvlSize Size() const override { return size_; }
  int PixelsPerInchX() const override { return dpi_; }
  int PixelsPerInchY() const override { return dpi_; }

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

 protected:
  void DoLine(TvlPoint from, TvlPoint to) override;
  void DoText(const TvlRect& clip, std::int32_t x, std::int32_t y, const std::string& text,
              std::uint32_t options) override;
  void DoFillRegion(const TvlRegion& region) override;
  void ClipChanged() override;

 private:
  // Opens a part with the clip and turn in force; false when the clip
  // leaves nothing to draw (the part is then not opened).
  bool BeginPart();
  void EndPart();
  void Turn(const TvlRect& about);
  void Rect(double x, double y, double w, double h, const char* op);
  void FillColor(TvlColor c);
  void StrokeColor(TvlColor c);
  // The pen's width, caps, joins, dashes and colour; false for a clear pen.
  bool SetUpPen();
  // Fills r with the brush, a pattern brush as its picture.
  void FillWithBrush(const TvlRect& r);
  // Writes the points as a path: a move to the first, lines to the rest.
  void PointPath(const std::vector<TvlPoint>& points);
  // Fills the path with the brush through the clip operator given (the path's
  // bounding box is what a pattern covers), then strokes it with the pen.
  void FillAndStroke(const std::function<void()>& path, const char* clip, const TvlRect& box);
  void Image(const TvlRect& dest, const TvlRaster& raster, bool interpolate);
  void Text(const TvlPdfShapedText& shaped);

  TvlQtPdfResources& resources_;
  TvlSize size_;
  int dpi_;
  TvlPdfPage page_;
  std::string& out_;
  // The half turn in force when the clip region was set: the region stays
  // where it was set, as on the painter.
  TvlRect clipTurn_;
};

}  // namespace vl
