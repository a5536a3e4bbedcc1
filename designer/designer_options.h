#pragma once
// The designer's own options and where they are kept: the settings store
// under "Software\Vellora\" and the application title, section
// "Form\TvlDesignerForm". Every value is stored as text; a missing value, or
// a number that does not read, gives the default.

#include <cstdint>
#include <string>

namespace vl {

class TvlSettingsStore;

enum TvlUnits : std::uint8_t { unPixels = 0, unMM = 1, unInches = 2 };
enum TvlPagePosition : std::uint8_t { ppLeft = 3, ppRight = 4, ppCenter = 5 };

struct TvlDesignerOptions {
  int GridSize = 4;  // 4, 8 or 18; a stored 0 reads as 4
  bool GridAlign = true;
  bool GridShow = true;
  int Units = unPixels;
  bool GrayButtons = false;
  bool EditAfterInsert = true;
  int Selection = 1;  // 1 contents shown while moving, 0 outlines only
  int PagePosition = ppCenter;
  bool BandTitles = true;
  bool LocalizedPropNames = false;
  bool UnlimitedHeight = false;
  bool DisableUndo = false;
  bool SyntaxHighlight = true;
  std::string TextFontName = "Arial", TextFontSize = "10";
  std::string ScriptFontName = "Courier New", ScriptFontSize = "10";
  bool UseDefaultFont = true;
  int SplitterPos = 100;

  void Load(TvlSettingsStore& store, const std::string& key);
  void Save(TvlSettingsStore& store, const std::string& key) const;
  // The text editor's and script editor's fonts alone (written at once by
  // the options dialog).
  void SaveEditorFonts(TvlSettingsStore& store, const std::string& key) const;
};

// "Software\Vellora\" followed by the application title.
std::string vlDesignerRegistryRoot();
// The designer window's section below the root.
std::string vlDesignerFormKey();
// The inspector's and the DB fields window's sections.
std::string vlInspectorFormKey();
std::string vlFieldsFormKey();

}  // namespace vl
