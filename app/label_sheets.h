#pragma once
// The label sheets the programs offer: the shipped catalogue
// (share/vellora/labels/sheets.txt beside the programs) and then the user's
// own sheets from the settings store.

#include <filesystem>
#include <vector>

#include "engine/labels/label_sheet.h"

namespace vl {

class TvlSettingsStore;

// The shipped catalogue's file; empty when the programs have no data folder.
std::filesystem::path vlSheetCatalogueFile();
// The catalogue's sheets, then the user's own whose names it does not use.
// Raises TvlError when the catalogue cannot be read or is damaged.
std::vector<TvlLabelSheet> vlOfferedSheets(TvlSettingsStore& settings);

}  // namespace vl
