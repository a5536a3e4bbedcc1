#include "engine/labels/label_template.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "engine/addins/barcode/barcode_view.h"
#include "engine/core/error.h"
#include "engine/core/text.h"
#include "engine/core/units.h"
#include "engine/data/address_fields.h"
#include "engine/data/envelope_record.h"
#include "engine/model/codes.h"
#include "engine/model/object_factory.h"
#include "engine/model/report.h"
#include "engine/model/screen_only.h"
#include "engine/model/views.h"

namespace vl {
namespace {

constexpr const char* kLayoutNames[] = {"recipient", "barcode", "return"};
constexpr std::uint16_t kAllSides = vlftLeft | vlftTop | vlftRight | vlftBottom;
// General display format with "." as the decimal separator, whatever the locale.
constexpr std::int32_t kFormat = 0x200 + '.';
constexpr TvlColor kOutlineColor = vlRGB(150, 150, 150);

std::int32_t Units(double mm) { return vlRound(mm * vlPageUnitsPerMm()); }

// Lays out one label's views inside the first label's rectangle.
class TLabelBuilder {
 public:
  TLabelBuilder(TvlPage& page, const TvlLabelGrid& grid, std::int32_t bandTop)
      : page_(page), grid_(grid), top_(bandTop) {
    // Inside the label: a margin that keeps text off the die-cut edge.
    padX_ = std::clamp(vlRound(grid.Width * 0.06), Units(1.5), Units(4));
    padY_ = std::clamp(vlRound(grid.Height * 0.08), Units(1), Units(3));
  }
  std::int32_t InnerWidth() const { return grid_.Width - 2 * padX_; }
  std::int32_t InnerHeight() const { return grid_.Height - 2 * padY_; }

  void Outline() {
    TvlView& v = Add(otMemo, kLabelOutlineName, 0, 0, grid_.Width, grid_.Height);
    v.FrameTyp = kAllSides;
    v.FrameStyle = psDash;
    v.FrameColor = kOutlineColor;
    v.FrameWidth = 1;
    v.Flags = flScreenOnly;
  }
  // A text printing a variable; y and h inside the label's inner box.
  void Text(const std::string& name, int field, std::int32_t y, std::int32_t h, int size, bool bold, bool wrap) {
    auto& m = static_cast<TvlMemoView&>(Add(otMemo, name, padX_, padY_ + y, InnerWidth(), h));
    m.Memo = {"[" + std::string(vlEnvelopeVariable(field)) + "]"};
    m.Font.Name = "Arial";
    m.Font.Size = size;
    m.Font.Style = bold ? fsBold : 0;
    m.Alignment = wrap ? vltaLeft : (vltaLeft | vltaMiddle);
    m.Flags = static_cast<std::uint16_t>(wrap ? flWordWrap : 0);
  }
  void Barcode(const std::string& name, int field, std::int32_t y, std::int32_t h) {
    auto view = std::make_unique<TvlBarCodeView>();
    view->Symbology = bcCode128;
    view->Code = "[" + std::string(vlEnvelopeVariable(field)) + "]";
    view->ShowText = true;
    Place(*view, name, padX_, padY_ + y, std::min(InnerWidth(), Units(45)), h);
    page_.Objects.push_back(std::move(view));
  }

 private:
  TvlView& Add(int typ, const std::string& name, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) {
    std::unique_ptr<TvlView> view = vlCreateView(typ, std::string());
    Place(*view, name, x, y, w, h);
    page_.Objects.push_back(std::move(view));
    return *page_.Objects.back();
  }
  void Place(TvlView& v, const std::string& name, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) {
    v.Name = name;
    v.Left = grid_.Left + x;
    v.Top = top_ + y;
    v.Width = w;
    v.Height = h;
    v.Format = kFormat;
  }

  TvlPage& page_;
  TvlLabelGrid grid_;
  std::int32_t top_;
  std::int32_t padX_ = 0, padY_ = 0;
};

void LayOut(TLabelBuilder& b, TvlLabelLayout layout) {
  const std::int32_t h = b.InnerHeight();
  const std::int32_t line = Units(4.2);  // one line of 9 to 10 points
  if (layout == TvlLabelLayout::Return) {
    const std::int32_t code = std::min(line, h / 3);
    b.Text("SenderAddress1", efSenderAddress, 0, h - code, 9, false, true);
    b.Text("SenderPostcode1", efSenderPostcode, h - code, code, 9, false, false);
    return;
  }
  const std::int32_t name = std::min(line + Units(0.6), h / 3);
  const std::int32_t bottom = layout == TvlLabelLayout::Barcode ? std::clamp(h * 3 / 10, std::min(Units(6), h / 3), Units(14))
                                                                : std::min(line, h / 4);
  b.Text("RecipientName1", efRecipientName, 0, name, 10, true, true);
  b.Text("RecipientAddress1", efRecipientAddress, name, h - name - bottom, 9, false, true);
  if (layout == TvlLabelLayout::Barcode)
    b.Barcode("PostcodeBarCode1", efRecipientPostcode, h - bottom, bottom);
  else
    b.Text("RecipientPostcode1", efRecipientPostcode, h - bottom, bottom, 9, false, false);
}

}  // namespace

const char* vlLabelLayoutName(TvlLabelLayout layout) { return kLayoutNames[static_cast<int>(layout)]; }

bool vlLabelLayoutOf(const std::string& name, TvlLabelLayout& layout) {
  for (int k = 0; k < 3; ++k)
    if (vlSameText(name, kLayoutNames[k])) {
      layout = static_cast<TvlLabelLayout>(k);
      return true;
    }
  return false;
}

const char* vlLabelDataset(TvlLabelLayout layout) {
  return layout == TvlLabelLayout::Return ? TvlEnvelopeRecord::kDataset : kAddressDataset;
}

namespace {

TvlBandView* LabelBand(const TvlReport& report) {
  for (int p = 0; p < report.Pages.Count(); ++p)
    if (auto* band = dynamic_cast<TvlBandView*>(report.Pages[p]->FindObject(kLabelBandName))) return band;
  return nullptr;
}

}  // namespace

std::string vlLabelDatasetOf(const TvlReport& report) {
  const TvlBandView* band = LabelBand(report);
  return band ? band->FormatText : std::string();
}

void vlSetLabelDataset(TvlReport& report, const std::string& dataset) {
  if (TvlBandView* band = LabelBand(report)) band->FormatText = dataset;
}

double vlPageUnitsPerMm() { return kPageUnitsPerInch / 25.4; }

TvlLabelGrid vlLabelGrid(const TvlLabelSheet& s) {
  const double u = vlPageUnitsPerMm();
  TvlLabelGrid g;
  g.StepX = vlRound(s.PitchX * u);
  g.StepY = vlRound(s.PitchY * u);
  g.Width = std::min(vlRound(s.LabelWidth * u), g.StepX);
  g.Height = std::min(vlRound(s.LabelHeight * u), g.StepY);
  // Whole-unit steps drift from the sheet's pitch a little per label; the
  // grid is centred on the sheet's so that the first and the last label
  // are off by the same half of it.
  g.Left = std::max(0, vlRound(s.LeftMargin * u + (s.Columns - 1) * (s.PitchX * u - g.StepX) / 2));
  g.Top = std::max(0, vlRound(s.TopMargin * u + (s.Rows - 1) * (s.PitchY * u - g.StepY) / 2));
  // Every row is one step high, the last one too: the rows end on the paper.
  std::int32_t code = 0, widthTenths = 0, heightTenths = 0;
  if (vlLabelPaper(s.Paper, code, widthTenths, heightTenths))
    g.Top = std::max(0, std::min(g.Top, vlTenthsToUnits(heightTenths) - s.Rows * g.StepY));
  return g;
}

void vlBuildLabelTemplate(TvlReport& report, const TvlLabelSheet& sheet, TvlLabelLayout layout) {
  if (const std::string problem = vlLabelSheetProblem(sheet); !problem.empty()) throw TvlError(problem);
  std::int32_t code = 0, widthTenths = 0, heightTenths = 0;
  vlLabelPaper(sheet.Paper, code, widthTenths, heightTenths);
  report.Clear();
  report.ReportName = sheet.Name;
  report.ReportComment = "Address labels";

  TvlPage& page = *report.Pages.Add();
  page.Name = "Page1";
  page.PaperSize = code;
  page.PaperWidth = widthTenths;
  page.PaperHeight = heightTenths;
  page.Orientation = 0;
  page.Bin = -1;
  // The whole paper: the grid places the labels from the paper's edges.
  page.UseMargins = false;
  page.Margins = TvlRect{0, 0, 0, 0};
  page.ApplyPaper();

  const TvlLabelGrid grid = vlLabelGrid(sheet);

  TvlVariables& vars = report.Dictionary.Variables;
  vars.Set(std::string(" ") + kEnvelopeCategory, TvlValue(std::string()));
  for (int f = 0; f < kEnvelopeFieldCount; ++f) vars.Set(vlEnvelopeVariable(f), TvlValue(std::string()));

  const std::int32_t paperWidth = page.PaperMetrics.PaperWidthU;
  auto band = [&](std::uint8_t type, const char* name, std::int32_t top, std::int32_t height) -> TvlBandView& {
    auto v = std::make_unique<TvlBandView>();
    v->Name = name;
    v->FrameTyp = type;
    v->Left = 0;
    v->Top = top;
    v->Width = paperWidth;
    v->Height = height;
    TvlBandView& raw = *v;
    page.Objects.push_back(std::move(v));
    return raw;
  };
  TvlBandView& labels = band(btMasterData, kLabelBandName, grid.Top, grid.StepY);
  labels.FormatText = vlLabelDataset(layout);
  labels.Columns = sheet.Columns;
  labels.ColumnWidth = grid.Width;
  labels.ColumnGap = grid.StepX - grid.Width;
  // The space above the first row, on every sheet. A page header prints at
  // the top of the page wherever it stands in the design; it stands below
  // the labels so that it takes none of their views (a view on the edge of
  // two bands goes to the one of the lower type code).
  if (grid.Top > 0) band(btPageHeader, "SheetTop", grid.Top + grid.StepY + 1, grid.Top).Flags |= flOnFirstPage;

  TLabelBuilder b(page, grid, grid.Top);
  b.Outline();
  LayOut(b, layout);
}

}  // namespace vl
