// The named properties every view answers to (scripts, expressions and the
// object inspector reach views only through them).

#include <cmath>

#include "engine/core/text.h"
#include "engine/core/value_convert.h"
#include "engine/model/shared_properties.h"
#include "engine/model/view.h"

namespace vl {
namespace {

// Colours are 32-bit patterns; system colours do not fit a signed integer,
// so they travel as their bit pattern.
TvlColor ToColor(const TvlValue& v) {
  const double d = vlValueToFloat(v);
  return static_cast<TvlColor>(static_cast<std::int64_t>(std::llround(d)));
}
TvlValue FromColor(TvlColor c) { return TvlValue(static_cast<std::int32_t>(c)); }

std::vector<TvlValue> Numbers(int count) {
  std::vector<TvlValue> v;
  for (int k = 0; k < count; ++k) v.emplace_back(static_cast<std::int32_t>(k));
  return v;
}

}  // namespace

void TvlView::SetProperty(const std::string& name, const TvlValue& value) {
  const std::string n = vlUpperCase(name);
  if (n == "NAME") Name = vlValueToText(value);
  else if (n == "LEFT") Left = vlBoundViewCoordinate(vlValueToInteger(value));
  else if (n == "TOP") Top = vlBoundViewCoordinate(vlValueToInteger(value));
  else if (n == "WIDTH") Width = vlBoundViewCoordinate(vlValueToInteger(value));
  else if (n == "HEIGHT") Height = vlBoundViewCoordinate(vlValueToInteger(value));
  else if (n == "FLAGS") Flags = static_cast<std::uint16_t>(vlValueToInteger(value));
  else if (n == "FRAMETYP") FrameTyp = static_cast<std::uint16_t>(vlValueToInteger(value));
  else if (n == "FRAMEWIDTH") FrameWidth = vlBoundFrameWidth(vlValueToFloat(value));
  else if (n == "FRAMECOLOR") FrameColor = ToColor(value);
  else if (n == "FRAMESTYLE") FrameStyle = static_cast<std::uint16_t>(vlValueToInteger(value));
  else if (n == "FILLCOLOR") FillColor = ToColor(value);
  else if (n == "VISIBLE") Visible = vlValueToBool(value);
  else if (n == "MEMO") Memo = vlSplitLines(vlValueToText(value));
  else if (n == "GAPX") GapX = vlBoundViewCoordinate(vlValueToInteger(value));
  else if (n == "GAPY") GapY = vlBoundViewCoordinate(vlValueToInteger(value));
  else if (n == "STRETCHED") {
    if (vlValueToBool(value)) Flags |= flStretched;
    else Flags &= static_cast<std::uint16_t>(~flStretched);
  } else if (n == "BANDALIGN") BandAlign = static_cast<std::uint8_t>(vlValueToInteger(value));
  else if (n == "DATAFIELD") Memo = {vlValueToText(value)};
  else if (n == "TAG") Tag = vlValueToText(value);
  else TvlObject::SetProperty(name, value);
}

TvlValue TvlView::GetProperty(const std::string& name) {
  const std::string n = vlUpperCase(name);
  if (n == "NAME") return TvlValue(Name);
  if (n == "LEFT") return TvlValue(Left);
  if (n == "TOP") return TvlValue(Top);
  if (n == "WIDTH") return TvlValue(Width);
  if (n == "HEIGHT") return TvlValue(Height);
  if (n == "FLAGS") return TvlValue(static_cast<std::int32_t>(Flags));
  if (n == "FRAMETYP") return TvlValue(static_cast<std::int32_t>(FrameTyp));
  if (n == "FRAMEWIDTH") return TvlValue(static_cast<double>(FrameWidth));
  if (n == "FRAMECOLOR") return FromColor(FrameColor);
  if (n == "FRAMESTYLE") return TvlValue(static_cast<std::int32_t>(FrameStyle));
  if (n == "FILLCOLOR") return FromColor(FillColor);
  if (n == "VISIBLE") return TvlValue(Visible);
  if (n == "MEMO") return TvlValue(vlJoinLines(Memo));
  if (n == "MEMO.COUNT") return TvlValue(static_cast<std::int32_t>(Memo.size()));
  if (n == "GAPX") return TvlValue(GapX);
  if (n == "GAPY") return TvlValue(GapY);
  if (n == "STRETCHED") return TvlValue((Flags & flStretched) != 0);
  if (n == "BANDALIGN") return TvlValue(static_cast<std::int32_t>(BandAlign));
  if (n == "DATAFIELD") return TvlValue(Memo.empty() ? std::string() : Memo.front());
  if (n == "TAG") return TvlValue(Tag);
  return TvlObject::GetProperty(name);
}

TvlValue TvlView::CallMethod(const std::string& name, const TvlValue& p1, const TvlValue& p2, const TvlValue& p3) {
  TvlValue result = TvlObject::CallMethod(name, p1, p2, p3);
  if (result.IsNull()) result = vlListMethod(Memo, name, p1, p2, p3, "MEMO");
  if (name == "HIDE") SetProperty("Visible", TvlValue(false));
  else if (name == "SHOW") SetProperty("Visible", TvlValue(true));
  return result;
}

void TvlView::DeclareProperties() {
  ClearProperties();
  AddProperty("Name", ptString | ptOneObject);
  AddProperty("Left", ptSize);
  AddProperty("Top", ptSize);
  AddProperty("Width", ptSize);
  AddProperty("Height", ptSize);
  AddProperty("Flags", 0);
  if (Typ != otBand && Typ != otSubReport) {
    AddProperty("FrameTyp", ptInteger);
    AddProperty("FrameWidth", ptSize | ptFloat);
    AddProperty("FrameColor", ptColor);
    AddEnumProperty("FrameStyle", "psSolid;psDash;psDot;psDashDot;psDashDotDot;psDouble", Numbers(6));
    AddProperty("FillColor", ptColor);
    AddProperty("Tag", ptHasEditor | ptOneObject);
    AddEnumProperty("BandAlign", "baNone;baLeft;baRight;baCenter;baWidth;baBottom;baTop;baRest", Numbers(8));
  }
  AddProperty("Visible", ptBoolean);
  AddProperty("Memo", ptHasEditor | ptOneObject);
  AddProperty("Memo.Count", 0);
  AddProperty("Restrictions", ptHasEditor);
}

std::int32_t TvlStretcheable::CalcHeight() { return Height; }
std::int32_t TvlStretcheable::MinHeight() { return Height; }
std::int32_t TvlStretcheable::RemainHeight() { return 0; }

TvlValue TvlStretcheable::CallMethod(const std::string& name, const TvlValue& p1, const TvlValue& p2,
                                     const TvlValue& p3) {
  TvlValue result = TvlView::CallMethod(name, p1, p2, p3);
  if (name == "CALCHEIGHT") result = TvlValue(CalcHeight());
  return result;
}

}  // namespace vl
