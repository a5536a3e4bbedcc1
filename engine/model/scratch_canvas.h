#pragma once
// The engine's shared scratch canvas: the off-screen surface every text is
// measured on at design resolution, so that a layout is the same in the
// preview, on the printer and in the designer. The default is a recording
// surface with fixed metrics (the same on every machine); programs install
// a real off-screen surface that measures with the installed fonts.

namespace vl {

class TvlCanvas;

TvlCanvas& vlScratchCanvas();
// Installs a surface (nullptr: back to the default); the caller keeps it alive.
void vlSetScratchCanvas(TvlCanvas* canvas);

}  // namespace vl
