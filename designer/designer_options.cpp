#include "designer/designer_options.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "platform/qt/qt_text.h"
#include "platform/settings_store.h"

namespace vl {


void TvlDesignerOptions::Load(TvlSettingsStore& s, const std::string& key) {
  GridSize = s.ReadInteger(key, "GridSize", 4);
  if (GridSize <= 0) GridSize = 4;
  GridAlign = s.ReadBool(key, "GridAlign", true);
  GridShow = s.ReadBool(key, "GridShow", true);
  Units = s.ReadInteger(key, "Units", 0);
  if (Units < unPixels || Units > unInches) Units = unPixels;
  GrayButtons = s.ReadBool(key, "GrayButtons", false);
  EditAfterInsert = s.ReadBool(key, "EditAfterInsert", true);
  Selection = s.ReadInteger(key, "Selection", 1) != 0 ? 1 : 0;
  PagePosition = s.ReadInteger(key, "PagePosition", ppCenter);
  if (PagePosition < ppLeft || PagePosition > ppCenter) PagePosition = ppCenter;
  BandTitles = s.ReadBool(key, "BandTitles", true);
  LocalizedPropNames = s.ReadBool(key, "LocalizedPropNames", false);
  UnlimitedHeight = s.ReadBool(key, "UnlimitedHeight", false);
  DisableUndo = s.ReadBool(key, "DisableUndo", false);
  SyntaxHighlight = s.ReadBool(key, "SyntaxHighlight", true);
  TextFontName = s.ReadString(key, "TextFontName", "Arial");
  TextFontSize = s.ReadString(key, "TextFontSize", "10");
  ScriptFontName = s.ReadString(key, "ScriptFontName", "Courier New");
  ScriptFontSize = s.ReadString(key, "ScriptFontSize", "10");
  UseDefaultFont = s.ReadBool(key, "UseDefaultFont", true);
  SplitterPos = s.ReadInteger(key, "SplitterPos", 100);
}

void TvlDesignerOptions::Save(TvlSettingsStore& s, const std::string& key) const {
  s.WriteInteger(key, "GridSize", GridSize);
  s.WriteBool(key, "GridAlign", GridAlign);
  s.WriteBool(key, "GridShow", GridShow);
  s.WriteInteger(key, "Units", Units);
  s.WriteBool(key, "GrayButtons", GrayButtons);
  s.WriteBool(key, "EditAfterInsert", EditAfterInsert);
  s.WriteInteger(key, "Selection", Selection);
  s.WriteInteger(key, "PagePosition", PagePosition);
  s.WriteBool(key, "BandTitles", BandTitles);
  s.WriteBool(key, "LocalizedPropNames", LocalizedPropNames);
  s.WriteBool(key, "UnlimitedHeight", UnlimitedHeight);
  s.WriteBool(key, "DisableUndo", DisableUndo);
  s.WriteBool(key, "SyntaxHighlight", SyntaxHighlight);
  SaveEditorFonts(s, key);
  s.WriteInteger(key, "SplitterPos", SplitterPos);
}

void TvlDesignerOptions::SaveEditorFonts(TvlSettingsStore& s, const std::string& key) const {
  s.WriteString(key, "TextFontName", TextFontName);
  s.WriteString(key, "TextFontSize", TextFontSize);
  s.WriteString(key, "ScriptFontName", ScriptFontName);
  s.WriteString(key, "ScriptFontSize", ScriptFontSize);
  s.WriteBool(key, "UseDefaultFont", UseDefaultFont);
}

std::string vlDesignerRegistryRoot() {
  QString title = QCoreApplication::applicationName();
  if (title.isEmpty()) title = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
  return "Software\\Vellora\\" + vlFromQt(title);
}

std::string vlDesignerFormKey() { return vlDesignerRegistryRoot() + "\\Form\\TvlDesignerForm"; }
std::string vlInspectorFormKey() { return vlDesignerRegistryRoot() + "\\Form\\TvlInspForm"; }
std::string vlFieldsFormKey() { return vlDesignerRegistryRoot() + "\\Form\\TvlInsFieldsForm"; }

}  // namespace vl
