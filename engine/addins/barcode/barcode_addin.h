#pragma once
// The barcode add-in's entry point: what the program registers at start-up
// and what the designer shows for the class.

#include "platform/raster.h"

namespace vl {

// Registers TvlBarCodeView in the add-in registry, with its toolbar picture
// (a bitmap file of vlBarCodeGlyph) and hint. False when the class is
// already registered or the registry is full.
bool vlRegisterBarCodeView();

// The 24 x 24 picture for the designer's objects toolbar: black bars of
// mixed widths on white inside a grey frame.
const TvlRaster& vlBarCodeGlyph();

}  // namespace vl
