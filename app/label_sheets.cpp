#include "app/label_sheets.h"

#include "app/data_folders.h"
#include "engine/labels/sheet_catalogue.h"

namespace vl {

std::filesystem::path vlSheetCatalogueFile() {
  const std::filesystem::path shipped = vlShippedDataDir(vlExecutableDir());
  return shipped.empty() ? std::filesystem::path() : shipped / "labels" / kSheetCatalogueFile;
}

std::vector<TvlLabelSheet> vlOfferedSheets(TvlSettingsStore& settings) {
  const std::filesystem::path file = vlSheetCatalogueFile();
  std::vector<TvlLabelSheet> sheets;
  if (!file.empty()) sheets = vlLoadSheetCatalogue(file.string());
  for (TvlLabelSheet& own : vlUserSheets(settings))
    if (!vlFindSheet(sheets, own.Name)) sheets.push_back(std::move(own));
  return sheets;
}

}  // namespace vl
