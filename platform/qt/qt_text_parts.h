#pragma once
// Texts measured and laid out a part at a time. Qt lays a line out by
// shaping it whole; for texts of Latin letters, digits, punctuation and
// Chinese characters in the fonts the templates use (kerning off, no extra
// character or word spacing), a run of Latin words and the blanks between
// them shapes the same inside any line (ligatures stay inside words) and
// every other character alone, so a line's glyphs and width are those
// of its parts side by side. A batch repeats its words and characters
// endlessly; their shapes and widths are kept instead of shaping every line.

#include <QString>
#include <utility>
#include <vector>

namespace vl {

// The parts of text as [start, length) in UTF-16 units; false (and no
// parts) when the text holds characters outside those sets (tabs, marks,
// right-to-left or complex scripts), which are shaped whole.
bool vlQtSplitTextParts(const QString& text, std::vector<std::pair<int, int>>& parts);

}  // namespace vl
