#pragma once
// The catalogue of label sheets: the sheets shipped as a text file (one
// sheet a line, fields separated by "|") and the user's own sheets kept in
// the settings store. Every sheet read is checked as a user's sheet is.

#include <string>
#include <vector>

#include "engine/labels/label_sheet.h"

namespace vl {

class TvlSettingsStore;

// The file's name beside the program's data (app/data/labels).
inline constexpr const char* kSheetCatalogueFile = "sheets.txt";
// A catalogue file larger than this is refused unread.
inline constexpr std::size_t kSheetCatalogueLimit = 1 << 20;

// The fields after the name, in order: paper | label width | label height |
// columns | rows | top margin | left margin | horizontal pitch | vertical
// pitch | corner radius.
std::string vlSheetFields(const TvlLabelSheet& sheet);
// Reads those fields into sheet (its name set already); the problem, or
// empty when the fields give a sheet that prints.
std::string vlReadSheetFields(const std::string& fields, TvlLabelSheet& sheet);

// Reads a catalogue's text: blank lines and lines starting with "#" are
// skipped, every other line is "name | fields". Raises TvlError naming the
// source and the line for a line that does not give a sheet and for a name
// given twice.
std::vector<TvlLabelSheet> vlReadSheetCatalogue(const std::string& text, const std::string& sourceName);
// The same from a file (raises TvlError when it cannot be read or exceeds
// kSheetCatalogueLimit).
std::vector<TvlLabelSheet> vlLoadSheetCatalogue(const std::string& path);

// The user's own sheets, under "Software\Vellora\Labels\Sheets", one value
// per sheet. Damaged values are skipped.
std::vector<TvlLabelSheet> vlUserSheets(TvlSettingsStore& settings);
// Checks and keeps a user's sheet (replacing one of that name); the problem,
// or empty when it was kept.
std::string vlRememberUserSheet(TvlSettingsStore& settings, const TvlLabelSheet& sheet);

// The sheet of that name (ignoring case) among sheets, or nullptr.
const TvlLabelSheet* vlFindSheet(const std::vector<TvlLabelSheet>& sheets, const std::string& name);

}  // namespace vl
