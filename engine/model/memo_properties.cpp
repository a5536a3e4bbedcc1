// The text view's named properties, its list methods under both names and
// its context-menu entries.

#include "engine/core/text.h"
#include "engine/core/value_convert.h"
#include "engine/model/layout_bounds.h"
#include "engine/model/memo_view.h"
#include "engine/model/shared_properties.h"

namespace vl {
namespace {

struct TvlFlagName {
  const char* Name;
  std::uint16_t Bit;
};
constexpr TvlFlagName kFlagNames[] = {
    {"WORDWRAP", flWordWrap}, {"WORDBREAK", flWordBreak}, {"AUTOWIDTH", flAutoWidth},
    {"TEXTONLY", flTextOnly}, {"SUPPRESS", flSuppress},   {"HIDEZEROS", flHideZeros},
    {"UNDERLINES", flUnderlines}, {"RTLREADING", flRTLReading},
};

// The check items of the menu, in menu order, with their string numbers.
struct TvlFlagItem {
  std::int32_t CaptionId;
  std::uint16_t Bit;
};
constexpr TvlFlagItem kFlagItems[] = {
    {55192, flWordWrap}, {55335, flAutoWidth}, {55433, flTextOnly},
    {55434, flSuppress}, {55438, flHideZeros}, {55441, flUnderlines},
};

int BitIndex(std::uint16_t bit) {
  int i = 0;
  while (bit > 1) bit >>= 1, ++i;
  return i;
}

}  // namespace

void TvlMemoView::SetProperty(const std::string& name, const TvlValue& value) {
  TvlView::SetProperty(name, value);
  const std::string n = vlUpperCase(name);
  vlSetFontProperty(Font, n, value);
  if (n == "ALIGNMENT") Alignment = vlValueToInteger(value);
  else if (n == "LINESPACING") LineSpacing = vlBoundDistance(vlValueToInteger(value));
  else if (n == "CHARSPACING") CharSpacing = vlBoundCharSpacing(vlValueToInteger(value));
  for (const TvlFlagName& f : kFlagNames) {
    if (n != f.Name) continue;
    if (vlValueToBool(value)) Flags |= f.Bit;
    else Flags &= static_cast<std::uint16_t>(~f.Bit);
  }
}

TvlValue TvlMemoView::GetProperty(const std::string& name) {
  TvlValue result = TvlView::GetProperty(name);
  if (!result.IsNull()) return result;
  const std::string n = vlUpperCase(name);
  result = vlGetFontProperty(Font, n);
  if (!result.IsNull()) return result;
  if (n == "ALIGNMENT") return TvlValue(Alignment);
  if (n == "LINESPACING") return TvlValue(LineSpacing);
  if (n == "CHARSPACING") return TvlValue(CharSpacing);
  for (const TvlFlagName& f : kFlagNames)
    if (n == f.Name) return TvlValue((Flags & f.Bit) != 0);
  if (n == "LINES.COUNT") return TvlValue(static_cast<std::int32_t>(Memo.size()));
  return result;
}

TvlValue TvlMemoView::CallMethod(const std::string& name, const TvlValue& p1, const TvlValue& p2,
                                 const TvlValue& p3) {
  TvlValue result = TvlStretcheable::CallMethod(name, p1, p2, p3);
  if (result.IsNull()) result = vlListMethod(Memo, name, p1, p2, p3, "LINES");
  return result;
}

void TvlMemoView::DeclareProperties() {
  TvlView::DeclareProperties();
  AddProperty("Font.Name", 0);
  AddProperty("Font.Size", 0);
  AddProperty("Font.Style", 0);
  AddProperty("Font.Color", 0);
  AddProperty("Font", ptHasEditor);
  AddProperty("Alignment", 0);
  AddProperty("DisplayFormat", ptHasEditor);
  AddProperty("Highlight", ptHasEditor);
  AddProperty("LineSpacing", ptInteger);
  AddProperty("CharSpacing", ptInteger);
  AddProperty("GapX", ptInteger);
  AddProperty("GapY", ptInteger);
  for (const char* flag : {"Stretched", "WordWrap", "WordBreak", "AutoWidth", "TextOnly", "Suppress", "HideZeros"})
    AddProperty(flag, ptBoolean);
  AddProperty("Lines.Count", 0);
  AddProperty("Underlines", ptBoolean);
  AddProperty("RTLReading", ptBoolean);
}

void TvlMemoView::DefinePopupMenu(std::vector<TvlPopupEntry>& menu) {
  menu.push_back({55191, false, TvlPopupAction::Custom, mmVariableFormat});
  menu.push_back({55334, false, TvlPopupAction::Custom, mmFont});
  menu.push_back({55347, false, TvlPopupAction::Custom, mmClearContents});
  TvlView::DefinePopupMenu(menu);
  for (const TvlFlagItem& item : kFlagItems)
    menu.push_back({item.CaptionId, (Flags & item.Bit) != 0, TvlPopupAction::Custom, mmFlag + BitIndex(item.Bit)});
  // A word-break item would follow only if the string table had entry 55193.
}

void TvlMemoView::GetBlob(const TvlBlobField& field) { PrintedMemo = vlSplitLines(field.Content()); }

void vlMemoMenuAction(const TvlPopupEntry& entry, const std::vector<TvlView*>& selected) {
  if (entry.Action != TvlPopupAction::Custom) return;
  if (entry.Tag == mmClearContents) {
    for (TvlView* v : selected) {
      if (v->Restrictions & rsDontEditContents) continue;
      v->Memo.clear();
      v->Script.clear();
    }
  } else if (entry.Tag >= mmFlag && entry.Tag < mmFlag + 16) {
    const auto bit = static_cast<std::uint16_t>(1u << (entry.Tag - mmFlag));
    for (TvlView* v : selected)
      if (!(v->Restrictions & rsDontModify)) v->Flags ^= bit;
  }
  // "Variable format..." and "Font..." open the designer's dialogs, which
  // then give their result to every selected text view.
}

}  // namespace vl
