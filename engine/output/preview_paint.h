#pragma once
// Painting the preview surface: the grey ground, a white sheet with a black
// border and shadow for each page in view, and the pages drawn through the
// prepared pages store. Only the pages in view keep their expanded form;
// a page that leaves the view is released at the next paint.

#include <cstdint>
#include <vector>

#include "platform/canvas_types.h"
#include "platform/graphics_types.h"

namespace vl {

class TvlCanvas;
class TvlEMFPages;

// Below this many pixels from the surface's top no page is drawn, whatever
// the surface's height (a taller surface draws down to its own bottom).
inline constexpr std::int32_t kPreviewDrawLimit = 2000;

inline constexpr TvlColor kPreviewGround = 0x808080;  // red, green and blue 128

class TvlPreviewPainter {
 public:
  // Paints paintRect of a surface of the given size. offset is the scroll
  // offset (the negated scroll positions) added to the pages' layout
  // rectangles; tallest is the layout's tallest scaled page.
  void Paint(TvlEMFPages& pages, TvlCanvas& canvas, TvlPoint offset, double factor, const TvlRect& paintRect,
             TvlSize surface, std::int32_t tallest);
  // Every page loses its expanded form (visible flag cleared, drawn with an
  // empty rectangle).
  void ReleaseAll(TvlEMFPages& pages);
  // The pages drawn by the last paint, from 0.
  const std::vector<int>& Shown() const { return shown_; }
  // Forgets the pages drawn (the store was exchanged for another).
  void Forget() { shown_.clear(); }

 private:
  std::vector<int> shown_;
};

// Inverts the pixels of a rectangle (exclusive-or with white, one line per
// pixel row): the highlight of found text.
void vlInvertRect(TvlCanvas& canvas, const TvlRect& r);

}  // namespace vl
