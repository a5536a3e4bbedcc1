// The named properties and methods of a band view: which properties each
// band type offers, and what a script reaches of the prepared band.

#include "engine/core/string_table.h"
#include "engine/core/text.h"
#include "engine/core/value_convert.h"
#include "engine/model/band_kinds.h"
#include "engine/model/band_view.h"
#include "engine/model/layout_bounds.h"

namespace vl {
namespace {

// The band flags a script or the inspector sets by name.
struct TvlFlagName {
  const char* Name;
  std::uint16_t Bit;
};
constexpr TvlFlagName kFlagNames[] = {
    {"FORMNEWPAGE", flFormNewPage}, {"PRINTIFSUBSETEMPTY", flPrintIfSubsetEmpty},
    {"BREAKED", flBreaked},         {"ONFIRSTPAGE", flOnFirstPage},
    {"ONLASTPAGE", flOnLastPage},   {"REPEATHEADER", flRepeatHeader},
    {"PRINTCHILDIFINVISIBLE", flPrintChildIfInvisible},
};

const TvlFlagName* FindFlag(const std::string& upperName) {
  for (const TvlFlagName& f : kFlagNames)
    if (upperName == f.Name) return &f;
  return nullptr;
}

// The names of the other band views of the view's page that pass the test,
// joined by ";" (the inspector's drop-down).
template <typename Pred>
std::string OtherBandNames(TvlView& self, Pred pred) {
  TvlBandAlignContext ctx;
  std::string names;
  if (!vlBandAlignProvider() || !vlBandAlignProvider()(self, ctx)) return names;
  for (const TvlView* v : ctx.Objects) {
    if (!v || v == &self || v->Typ != otBand || !pred(v->FrameTyp)) continue;
    if (!names.empty()) names += ';';
    names += v->Name;
  }
  return names;
}

}  // namespace

bool& vlBandTitles() {
  static bool on = true;
  return on;
}

std::string vlBandTypeName(std::uint16_t bandType) {
  return bandType <= btNone ? vlLoadStr(vlBandKind(bandType).NameText) : std::string();
}

std::string TvlBandView::TypeName() const { return vlBandTypeName(BandType()); }

void TvlBandView::DeclareProperties() {
  TvlView::DeclareProperties();  // clears the list; bands leave out frame, fill, tag and alignment
  const std::uint16_t t = BandType();
  if (vlBandTypeTakesChild(t)) {
    AddEnumProperty("ChildBand", OtherBandNames(*this, [](std::uint16_t type) { return type == btChild; }),
                    TvlValue::Null());
    AddProperty("PrintChildIfInvisible", ptBoolean);
  }
  const struct {
    const char* Name;
    std::uint16_t Flag;
  } flags[] = {{"Stretched", flStretched},     {"FormNewPage", flFormNewPage},
               {"PrintIfSubsetEmpty", flPrintIfSubsetEmpty}, {"Breaked", flBreaked},
               {"OnFirstPage", flOnFirstPage}, {"OnLastPage", flOnLastPage},
               {"RepeatHeader", flRepeatHeader}};
  for (const auto& f : flags)
    if (vlBandTypeOffers(t, f.Flag)) AddProperty(f.Name, ptBoolean);
  if (vlBandKind(t).Editor == TvlBandEditor::CrossDataSource) AddProperty("DataSource", ptHasEditor);
  if (vlIsDataBandType(t)) {
    AddProperty("Columns", ptInteger);
    AddProperty("ColumnWidth", ptSize);
    AddProperty("ColumnGap", ptSize);
    AddProperty("DataSource", ptHasEditor);
  }
  if (vlBandKind(t).Editor == TvlBandEditor::GroupCondition) {
    AddProperty("Condition", ptString);
    AddEnumProperty("Master", OtherBandNames(*this, vlIsDataBandType), TvlValue::Null());
  }
  AddProperty("EOF", 0);
  // A band's text is the script run before it prints.
  if (TvlPropRec* memo = FindProperty("Memo")) memo->Name = "OnBeforePrint";
}

void TvlBandView::SetProperty(const std::string& name, const TvlValue& value) {
  TvlView::SetProperty(name, value);
  const std::string n = vlUpperCase(name);
  TvlPreparedBand* band = PreparedBand;
  if (n == "CHILDBAND") {
    ChildBand = vlValueToText(value);
    if (band) band->SetChild(ChildBand);
  } else if (n == "MASTER") {
    Master = vlValueToText(value);
  } else if (const TvlFlagName* flag = FindFlag(n)) {
    const bool on = vlValueToBool(value);
    if (on) Flags |= flag->Bit;
    else Flags &= static_cast<std::uint16_t>(~flag->Bit);
    if (band && flag->Bit == flBreaked) band->SetBreaked(on);
  } else if (n == "CONDITION") {
    FormatText = vlValueToText(value);
    if (band) band->SetGroupCondition(FormatText);
  } else if (n == "COLUMNS") {
    Columns = vlBoundColumns(vlValueToInteger(value));
  } else if (n == "COLUMNGAP") {
    ColumnGap = vlBoundDistance(vlValueToInteger(value));
  } else if (n == "COLUMNWIDTH") {
    ColumnWidth = vlBoundDistance(vlValueToInteger(value));
  } else if (n == "NEWCOLUMNAFTER") {
    NewColumnAfter = vlValueToInteger(value);
  } else if (band) {
    // While a report is prepared a script moves, sizes and hides the band
    // itself, and may bind it to another dataset.
    TvlPreparedBand::TvlPlace& place = band->Place();
    if (n == "LEFT") place.Left = vlValueToInteger(value);
    else if (n == "TOP") place.Top = vlValueToInteger(value);
    else if (n == "WIDTH") place.Width = vlValueToInteger(value);
    else if (n == "HEIGHT") place.Height = vlValueToInteger(value);
    else if (n == "VISIBLE") place.Visible = vlValueToBool(value);
    else if (n == "DATASOURCE") band->BindDataSet(vlValueToText(value));
  }
}

TvlValue TvlBandView::GetProperty(const std::string& name) {
  TvlValue result = TvlView::GetProperty(name);
  const std::string n = vlUpperCase(name);
  TvlPreparedBand* band = PreparedBand;
  if (band) {
    const TvlPreparedBand::TvlPlace& place = band->Place();
    if (n == "LEFT") result = TvlValue(place.Left);
    else if (n == "TOP") result = TvlValue(place.Top);
    else if (n == "WIDTH") result = TvlValue(place.Width);
    else if (n == "HEIGHT") result = TvlValue(place.Height);
    else if (n == "VISIBLE") result = TvlValue(place.Visible);
  }
  if (!result.IsNull()) return result;
  if (n == "CHILDBAND") return TvlValue(ChildBand);
  if (n == "MASTER") return TvlValue(Master);
  if (n == "EOF") return band && band->HasDataSet() ? TvlValue(band->DataSetEof()) : TvlValue::Null();
  if (const TvlFlagName* flag = FindFlag(n)) {
    if (band && flag->Bit == flBreaked) return TvlValue(band->Breaked());
    return TvlValue((Flags & flag->Bit) != 0);
  }
  if (n == "CONDITION") return TvlValue(FormatText);
  if (n == "COLUMNS") return TvlValue(Columns);
  if (n == "COLUMNGAP") return TvlValue(ColumnGap);
  if (n == "NEWCOLUMNAFTER") return TvlValue(NewColumnAfter);
  if (n == "COLUMNWIDTH") return TvlValue(ColumnWidth);
  return result;
}

TvlValue TvlBandView::CallMethod(const std::string& name, const TvlValue& p1, const TvlValue& p2,
                                 const TvlValue& p3) {
  TvlValue result = TvlView::CallMethod(name, p1, p2, p3);
  TvlPreparedBand* band = PreparedBand;
  if (band && band->HasDataSet()) {
    if (name == "NEXT") band->DataSetNext();
    else if (name == "PRIOR") band->DataSetPrior();
    else if (name == "FIRST") band->DataSetFirst();
  }
  return result;
}

}  // namespace vl
