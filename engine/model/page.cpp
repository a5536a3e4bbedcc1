#include "engine/model/page.h"

#include "engine/model/layout_bounds.h"
#include "engine/model/page_limits.h"

#include "engine/core/engine_state.h"
#include "engine/core/string_table.h"
#include "engine/core/text.h"
#include "engine/core/units.h"
#include "engine/core/value_convert.h"
#include "engine/printer/paper_table.h"
#include "engine/printer/printer.h"

namespace vl {

TvlPage::TvlPage(std::int32_t paperSize, std::int32_t paperWidth, std::int32_t paperHeight,
                 std::int32_t bin, std::uint8_t orientation)
    : PaperSize(paperSize),
      PaperWidth(paperWidth),
      PaperHeight(paperHeight),
      Orientation(orientation),
      Bin(bin) {
  ApplyPaper();
}

TvlPage::~TvlPage() {
  TvlEngineState& st = vlState();
  if (st.CurPage == this) st.CurPage = nullptr;
}

void vlApplyPagePaper(std::int32_t paperSize, std::int32_t paperWidth, std::int32_t paperHeight,
                      std::uint8_t orientation, std::int32_t bin, TvlPaperMetrics& metrics) {
  TvlPrinter& p = vlPrinter();
  if (!p.SetPaper(paperSize, paperWidth, paperHeight, orientation, bin, false))
    p.SetPaper(kCustomPaper, paperWidth, paperHeight, orientation, -1, false);
  p.FillMetrics(metrics);
}

void TvlPage::ApplyPaper() {
  vlApplyPagePaper(PaperSize, PaperWidth, PaperHeight, Orientation, Bin, PaperMetrics);
  const TvlPrinter& p = vlPrinter();
  PaperSize = p.PaperCode;
  PaperWidth = p.PaperWidthTenths;
  PaperHeight = p.PaperHeightTenths;
  Orientation = static_cast<std::uint8_t>(p.Landscape ? 1 : 0);
  Bin = Bin == -1 ? 0xFFFF : p.BinCode;
}

TvlView* TvlPage::FindObject(const std::string& name) const {
  for (const auto& v : Objects)
    if (vlSameText(v->Name, name)) return v.get();
  return nullptr;
}

namespace {

bool IsMarginName(const std::string& n) {
  return n == "LEFTMARGIN" || n == "TOPMARGIN" || n == "RIGHTMARGIN" || n == "BOTTOMMARGIN";
}

std::int32_t& Margin(TvlRect& m, const std::string& n) {
  if (n == "LEFTMARGIN") return m.Left;
  if (n == "TOPMARGIN") return m.Top;
  if (n == "RIGHTMARGIN") return m.Right;
  return m.Bottom;
}

std::uint8_t Byte(const TvlValue& v) { return static_cast<std::uint8_t>(vlValueToInteger(v)); }

}  // namespace

void TvlPage::SetProperty(const std::string& name, const TvlValue& value) {
  TvlObject::SetProperty(name, value);
  const std::string n = vlUpperCase(name);
  if (n == "LEFT") Left = vlValueToInteger(value);
  else if (n == "TOP") Top = vlValueToInteger(value);
  else if (n == "WIDTH" || n == "HEIGHT") {
    const std::int32_t v = vlValueToInteger(value);
    if (PageType == ptDialog)
      (n == "WIDTH" ? Width : Height) = v;
    else  // design pixels to tenths of a millimetre (18 pixels are 5 mm)
      (n == "WIDTH" ? PaperWidth : PaperHeight) = vlRound(v * 10.0 * 5.0 / 18.0);
  } else if (n == "TYPE") PageType = Byte(value);
  else if (n == "BORDERSTYLE") BorderStyle = Byte(value);
  else if (n == "CAPTION") Caption = vlValueToText(value);
  else if (n == "NAME") Name = vlValueToText(value);
  else if (n == "COLOR") Color = static_cast<TvlColor>(vlValueToInteger(value));
  else if (n == "POSITION") Position = Byte(value);
  else if (n == "SIZE") PaperSize = vlValueToInteger(value);
  else if (IsMarginName(n)) Margin(Margins, n) = vlBoundDistance(vlValueToInteger(value));
  else if (n == "ORIENTATION") Orientation = Byte(value);
  else if (n == "PRINTTOPREVPAGE") PrintToPrevPage = vlValueToBool(value);
  else if (n == "STRETCHTOPRINTABLE") UseMargins = !vlValueToBool(value);
  else if (n == "COLUMNS") Columns = vlBoundColumns(vlValueToInteger(value));
  else if (n == "COLUMNGAP") ColumnGap = vlBoundDistance(vlValueToInteger(value));
  else if (n == "VISIBLE") Visible = vlValueToBool(value) ? 1 : 0;
  else if (n == "COLUMNWIDTH") ColumnWidth = vlBoundDistance(vlValueToInteger(value));
}

TvlValue TvlPage::GetProperty(const std::string& name) {
  TvlValue r = TvlObject::GetProperty(name);
  if (!r.IsNull()) return r;
  const std::string n = vlUpperCase(name);
  if (n == "LEFT") return TvlValue(Left);
  if (n == "TOP") return TvlValue(Top);
  if (n == "WIDTH" || n == "HEIGHT") {
    if (PageType == ptDialog) return TvlValue(n == "WIDTH" ? Width : Height);
    const std::int32_t tenths = n == "WIDTH" ? PaperWidth : PaperHeight;
    return TvlValue(vlRound(tenths / 10.0 * 18.0 / 5.0));
  }
  if (n == "TYPE") return TvlValue(static_cast<std::int32_t>(PageType));
  if (n == "BORDERSTYLE") return TvlValue(static_cast<std::int32_t>(BorderStyle));
  if (n == "CAPTION") return TvlValue(Caption);
  if (n == "NAME") return TvlValue(Name);
  if (n == "COLOR") return TvlValue(static_cast<std::int32_t>(Color));
  if (n == "POSITION") return TvlValue(static_cast<std::int32_t>(Position));
  if (n == "SIZE") return TvlValue(PaperSize);
  // While a report is prepared page formation answers the margins in use;
  // here the stored margins.
  if (IsMarginName(n)) {
    TvlPageLimits limits;
    if (const TvlLimitsInUse& inUse = vlLimitsInUse(); inUse && inUse(*this, limits)) {
      if (n == "LEFTMARGIN") return TvlValue(limits.Left);
      if (n == "TOPMARGIN") return TvlValue(limits.Top);
      if (n == "RIGHTMARGIN") return TvlValue(limits.Right);
      return TvlValue(limits.Bottom);
    }
    return TvlValue(Margin(Margins, n));
  }
  if (n == "ORIENTATION") return TvlValue(static_cast<std::int32_t>(Orientation));
  if (n == "PRINTTOPREVPAGE") return TvlValue(PrintToPrevPage);
  if (n == "STRETCHTOPRINTABLE") return TvlValue(!UseMargins);
  if (n == "COLUMNS") return TvlValue(Columns);
  if (n == "COLUMNGAP") return TvlValue(ColumnGap);
  if (n == "VISIBLE") return TvlValue(Visible != 0);
  return r;
}

void TvlPage::DeclareProperties() {
  ClearProperties();
  TvlObject::DeclareProperties();
  AddEnumProperty("Type", "ptReport;ptDialog", std::vector<TvlValue>{TvlValue(0), TvlValue(1)});
  AddProperty("Visible", 0);
  constexpr std::uint16_t kScriptKind = ptHasEditor | ptOneObject;  // 0x0140
  if (PageType == ptReport) {
    TvlPrinter& p = vlPrinter();
    std::vector<TvlValue> codes;
    for (std::int32_t c : p.PaperCodes) codes.emplace_back(c);
    if (codes.empty()) codes.emplace_back(0);
    AddEnumProperty("Size", p.PaperNamesText(), std::move(codes));
    AddProperty("Width", ptSize);
    AddProperty("Height", ptSize);
    AddProperty("LeftMargin", ptSize);
    AddProperty("TopMargin", ptSize);
    AddProperty("RightMargin", ptSize);
    AddProperty("BottomMargin", ptSize);
    AddEnumProperty("Orientation", "poPortrait;poLandscape",
                    std::vector<TvlValue>{TvlValue(0), TvlValue(1)});
    AddProperty("PrintToPrevPage", ptBoolean);
    AddProperty("StretchToPrintable", ptBoolean);
    AddProperty("Columns", ptInteger);
    AddProperty("ColumnWidth", 0);
    AddProperty("ColumnGap", ptSize);
    AddProperty("OnBeforePrint", kScriptKind);
  } else {
    AddEnumProperty("BorderStyle", "bsDialog;bsSizeable",
                    std::vector<TvlValue>{TvlValue(3), TvlValue(2)});
    AddProperty("Caption", ptString);
    AddProperty("Color", ptColor);
    AddProperty("Left", ptSize);
    AddProperty("Top", ptSize);
    AddProperty("Width", ptInteger);
    AddProperty("Height", ptInteger);
    AddEnumProperty("Position", "poDesigned;poScreenCenter",
                    std::vector<TvlValue>{TvlValue(0), TvlValue(4)});
    AddProperty("OnActivate", kScriptKind);
  }
}

}  // namespace vl
