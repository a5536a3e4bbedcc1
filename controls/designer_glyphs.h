#pragma once
// The designer's button pictures, drawn in code (16 x 16, transparent).

#include <QImage>

namespace vl {

enum class TvlDesignerGlyph {
  New, Open, Save, Preview, Cut, Copy, Paste, Undo, Redo, BringToFront, SendToBack, SelectAll,
  AddPage, AddDialog, RemovePage, PageOptions, Grid, GridAlign, FitToGrid, Help, Close,
  Select, Memo, Picture, Band, SubReport, Line, Pencil, ScriptMark, HighlightMark, InsertFields,
};

// Made once and kept.
const QImage& vlDesignerGlyph(TvlDesignerGlyph glyph);

}  // namespace vl
